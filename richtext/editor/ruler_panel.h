#pragma once
// TwwRulerPanel: the ruler of the editor window. It shows the text's width in inches (eighths)
// or centimetres (quarters) and carries three markers: the first-line indent on top, the left
// and the right indent below. Dropping a marker changes the indents of the selected paragraphs.
//
// In window-width mode the ruler is as wide as the text; in printer-width mode it is as wide as
// the printable part of the page (the paper less the left and right margins).

#include "gui/controls/custom_panel.h"
#include "richtext/controls/ww_rich_edit_options.h"

class TwwCustomRichEdit;
class TwwTrackIcon;

class TwwRulerPanel : public TCustomPanel {
 public:
  BREVANT_CLASS(TwwRulerPanel)
  explicit TwwRulerPanel(TComponent* AOwner);

  // The control whose paragraphs the markers show and change.
  void SetEditor(TwwCustomRichEdit* Value) { Editor_ = Value; }
  TwwCustomRichEdit* Editor() const { return Editor_; }
  // Creates the three markers, owned as the ruler is; call once the ruler has its size.
  void CreateMarkers();
  TwwTrackIcon* LeftMarker() const { return LeftMarker_; }
  TwwTrackIcon* FirstMarker() const { return FirstMarker_; }
  TwwTrackIcon* RightMarker() const { return RightMarker_; }

  // Where the face is drawn, inside the ruler's own bevel.
  TRect DrawArea() const { return DrawArea_; }
  void SetDrawArea(const TRect& Value);
  // The screen's pixels per unit of the editor's measurement units.
  double PixelsPerUnit() const;
  // How many units the ruler shows.
  double LengthInUnits() const;
  // The ruler's width in printer-width mode: the printable page width, plus 12.
  int PrinterWidth() const;
  // Twips from screen pixels and back.
  int PixelsToTwips(int Pixels) const;
  int TwipsToPixels(int Twips) const;

  // Moves the markers to the indents of the paragraph at the caret.
  void RefreshMarkers();
  // Applies a dropped marker: keeps the markers in order, then changes the paragraph's indents.
  void ApplyMarker(TwwTrackIcon* Marker);

 protected:
  void Paint() override;

 private:
  TwwTrackIcon* NewMarker(const char* Name, const char* Picture);
  void MarkerEndTrack(TObject* Sender);
  int ScreenPixelsPerInch() const;

  TwwCustomRichEdit* Editor_ = nullptr;
  TwwTrackIcon* LeftMarker_ = nullptr;
  TwwTrackIcon* FirstMarker_ = nullptr;
  TwwTrackIcon* RightMarker_ = nullptr;
  TRect DrawArea_{6, 4, 0, 0};
};

// How far apart the right marker keeps from the others, in pixels.
inline constexpr int kRulerMarkerGap = 48;
