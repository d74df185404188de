// The font dialog on the selection.

#include "gui/dialogs/font_dialog.h"
#include "gui/graphics/colors.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

void TwwCustomRichEdit::ExecuteFontDialog() {
  if (EffectiveReadOnly()) return;
  TFontDialog& dialog = *FontDialog_;
  const TTextAttributes& selection = *SelectionFormat();
  TFont& font = *dialog.Font();
  font.SetName(selection.Name());
  font.SetStyle(selection.Style());
  font.SetColor(selection.Color());
  font.SetSize(selection.Size());
  font.SetPitch(selection.Pitch());
  // Text laid out for the printer's page offers the faces both screen and printer have.
  TFontDialogOptions options = dialog.Options();
  if (EditWidth() == rewPrinterSize) {
    options.Include(fdWysiwyg);
  } else {
    options.Exclude(fdWysiwyg);
  }
  dialog.SetOptions(options);
  if (!dialog.Execute()) return;

  BeginFieldEdit();
  TRichCharFormat format;
  format.Fields = {cfBold, cfItalic, cfUnderline, cfStrikeOut, cfFace, cfCharset, cfSize, cfColor};
  format.Face = CharFormatFaceName(font.Name());
  format.Charset = static_cast<uint8_t>(Font()->Charset());
  format.Style = font.Style();
  format.HeightTwips = font.Size() * 20;
  // The window-text colour stays automatic: it follows the desktop's.
  format.AutoColor = font.Color() == clWindowText;
  format.Color = format.AutoColor ? clBlack : ColorToRGB(font.Color());
  EditBox()->SetCharFormat(true, format);
}
