#pragma once
// TFontDialog: the font dialog over Qt's own (widget-based) one, with a colour choice
// added. Execute shows Font (face, size in points, bold, italic, underline, strike-out,
// colour) and on OK takes the player's choice back into it.
//
// Which faces are offered: Device fdScreen lists every face of the screen, fdPrinter and
// fdBoth with fdWysiwyg only those the printer can also print (scalable outlines, see
// TPrinter::Fonts), fdBoth alone both lists together (every face). A face the system lacks
// is shown as the face that stands in for it (ResolveFontFamily) and comes back as that
// face. MinFontSize/MaxFontSize (0: no limit) bound the size: OK with a size outside them
// shows a message and the dialog stays open.
//
// Controls for automation: "Face", "Style", "Size" (a list each), "SizeText" (the typed
// size), "StrikeOut", "Underline", "Color", "OK", "Cancel".

#include <memory>

#include "gui/dialogs/common_dialog.h"
#include "gui/graphics/graphics_objects.h"

enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
BREVANT_ENUM_NAMES(TFontDialogDevice, "fdScreen", "fdPrinter", "fdBoth");

enum TFontDialogOption { fdEffects, fdFixedPitchOnly, fdScalableOnly, fdWysiwyg };
BREVANT_ENUM_NAMES(TFontDialogOption, "fdEffects", "fdFixedPitchOnly", "fdScalableOnly", "fdWysiwyg");
using TFontDialogOptions = TSet<TFontDialogOption>;

class TFontDialog : public TCommonDialog {
 public:
  BREVANT_CLASS(TFontDialog)
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;

  TFont* Font() const { return Font_.get(); }
  void SetFont(TFont* Value) { Font_->Assign(*Value); }
  TFontDialogDevice Device() const { return Device_; }
  void SetDevice(TFontDialogDevice Value) { Device_ = Value; }
  TFontDialogOptions Options() const { return Options_; }
  void SetOptions(TFontDialogOptions Value) { Options_ = Value; }
  int MinFontSize() const { return MinFontSize_; }
  void SetMinFontSize(int Value) { MinFontSize_ = Value; }
  int MaxFontSize() const { return MaxFontSize_; }
  void SetMaxFontSize(int Value) { MaxFontSize_ = Value; }

  // Whether the faces offered are those the printer can print as well.
  bool PrintableFacesOnly() const;

  bool Execute() override;

 private:
  std::unique_ptr<TFont> Font_;
  TFontDialogDevice Device_ = fdScreen;
  TFontDialogOptions Options_{fdEffects};
  int MinFontSize_ = 0;
  int MaxFontSize_ = 0;
};
