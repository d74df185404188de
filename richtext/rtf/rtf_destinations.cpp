// The reader's destinations other than the body: font and colour tables, fields, pictures, bullets and
// numbering, list tables.

#include <algorithm>

#include "core/text.h"
#include "rtf_field_instruction.h"
#include "rtf_reader_impl.h"

namespace {

using K = TRtfKeyword;
using D = TRtfDestination;

constexpr int kMaxListLevels = 9;
constexpr std::size_t kMaxObjectName = 1024;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// \levelnfcN of a list level.
TRtfNumbering NumberingOfLevelFormat(int format) {
  switch (format) {
    case 0:
      return TRtfNumbering::nmDecimal;
    case 1:
      return TRtfNumbering::nmUpperRoman;
    case 2:
      return TRtfNumbering::nmLowerRoman;
    case 3:
      return TRtfNumbering::nmUpperAlpha;
    case 4:
      return TRtfNumbering::nmLowerAlpha;
    case 23:
      return TRtfNumbering::nmBullet;
    case 255:
      return TRtfNumbering::nmNone;
    default:
      return TRtfNumbering::nmDecimal;
  }
}

}  // namespace

bool TRtfReader::StartDestination(TRtfKeyword keyword) {
  TRtfGroupState& state = State();
  D destination;
  switch (keyword) {
    case K::kwSkipDestination:
    case K::kwNonShapePicture:
      destination = D::dsSkip;
      break;
    case K::kwFontTable:
      destination = D::dsFontTable;
      break;
    case K::kwColorTable:
      destination = D::dsColorTable;
      break;
    case K::kwObject:
      object_ = TRtfEmbeddedObject();
      objectDepth_ = stack_.size();
      objectEmbedded_ = false;
      objectDamaged_ = false;
      objectNibble_ = -1;
      destination = D::dsContainer;
      break;
    case K::kwShape:
      destination = D::dsContainer;
      break;
    case K::kwObjectClass:
    case K::kwObjectName:
    case K::kwObjectData:
      // Outside an object they carry nothing shown.
      if (objectDepth_ == 0) {
        destination = D::dsSkip;
      } else {
        destination = keyword == K::kwObjectClass  ? D::dsObjectClass
                      : keyword == K::kwObjectName ? D::dsObjectName
                                                   : D::dsObjectData;
      }
      break;
    case K::kwObjectResult:
    case K::kwShapeResult:
    case K::kwShapePicture:
      destination = D::dsBody;
      break;
    case K::kwField:
      // A field's own group stays in the body; its instruction and result are groups inside it.
      fields_.emplace_back();
      state.fieldIndex = static_cast<int>(fields_.size()) - 1;
      return true;
    case K::kwFieldInstruction:
      if (state.fieldIndex < 0) {
        fields_.emplace_back();
        state.fieldIndex = static_cast<int>(fields_.size()) - 1;
      }
      destination = D::dsFieldInstruction;
      break;
    case K::kwFieldResult:
      if (state.fieldIndex >= 0 && !fields_[static_cast<std::size_t>(state.fieldIndex)].target.empty()) {
        state.linkField = state.fieldIndex;
      }
      destination = D::dsBody;
      break;
    case K::kwPicture:
      picture_ = TRtfPicture();
      pictureNibble_ = -1;
      destination = D::dsPicture;
      break;
    case K::kwListText:
      // Only the body's paragraphs have numbers; elsewhere the text is not shown.
      if (state.destination != D::dsBody) {
        destination = D::dsSkip;
        break;
      }
      listText_.items.clear();
      destination = D::dsListText;
      break;
    case K::kwParaNumbering:
      pnNumbering_ = TRtfNumbering::nmNone;
      pnStart_ = 1;
      destination = D::dsParaNumbering;
      break;
    case K::kwListTable:
      destination = D::dsListTable;
      break;
    case K::kwList:
      if (state.destination != D::dsListTable) return false;
      listLevels_.clear();
      listId_ = 0;
      destination = D::dsList;
      break;
    case K::kwListLevel:
      if (state.destination != D::dsList) return false;
      listLevel_ = TListLevel();
      destination = D::dsListLevel;
      break;
    case K::kwListOverrideTable:
      destination = D::dsListOverrideTable;
      break;
    case K::kwListOverride:
      if (state.destination != D::dsListOverrideTable) return false;
      overrideListId_ = 0;
      overrideIndex_ = 0;
      destination = D::dsListOverride;
      break;
    default:
      return false;
  }
  // A destination ends with its group; starting a second one in the same group finishes the first.
  if (state.startsDestination) FinishDestination(state);
  state.destination = destination;
  state.startsDestination = true;
  return true;
}

void TRtfReader::FinishDestination(const TRtfGroupState& closing) {
  switch (closing.destination) {
    case D::dsFontTable:
      FinishFont();
      if (auto it = fontIndexByNumber_.find(defaultFontNumber_); it != fontIndexByNumber_.end()) {
        defaultFontIndex_ = it->second;
      }
      // The enclosing group's text, so far without a font, takes the default one.
      if (stack_.size() > 1 && stack_[stack_.size() - 2].character.fontIndex < 0) {
        stack_[stack_.size() - 2].character.fontIndex = defaultFontIndex_;
      }
      break;
    case D::dsColorTable:
      if (colorPending_) {
        document_.colors.push_back(color_);
        colorPending_ = false;
      }
      break;
    case D::dsFieldInstruction:
      if (closing.fieldIndex >= 0) FinishFieldInstruction(closing.fieldIndex);
      break;
    case D::dsPicture:
      FinishPicture();
      break;
    case D::dsObjectClass:
      object_.className = std::string(Trim(object_.className));
      break;
    case D::dsObjectName:
      object_.name = std::string(Trim(object_.name));
      break;
    case D::dsObjectData:
      if (objectNibble_ >= 0) objectDamaged_ = true;
      break;
    case D::dsContainer:
      if (stack_.size() == objectDepth_) objectDepth_ = 0;
      break;
    case D::dsParaNumbering:
      if (stack_.size() > 1) {
        TRtfParaFormat& para = stack_[stack_.size() - 2].paragraph;
        para.numbering = pnNumbering_;
        para.numberingStart = pnStart_;
      }
      break;
    case D::dsListLevel:
      if (listLevels_.size() < kMaxListLevels) listLevels_.push_back(listLevel_);
      break;
    case D::dsList:
      listsById_[listId_] = listLevels_;
      break;
    case D::dsListOverride:
      listIdByOverride_[overrideIndex_] = overrideListId_;
      break;
    default:
      break;
  }
}

// ---- Font table -------------------------------------------------------------------------------------------

void TRtfReader::HandleFontTableWord(TRtfKeyword keyword, const TRtfToken& token) {
  if (keyword == K::kwFont) {
    FinishFont();
    fontPending_ = true;
    fontDepth_ = stack_.size();
    fontNumber_ = token.parameter;
    font_ = TRtfFont();
    return;
  }
  if (!fontPending_) return;
  switch (keyword) {
    case K::kwFontNil:
      font_.family = TRtfFontFamily::ffNil;
      break;
    case K::kwFontRoman:
      font_.family = TRtfFontFamily::ffRoman;
      break;
    case K::kwFontSwiss:
      font_.family = TRtfFontFamily::ffSwiss;
      break;
    case K::kwFontModern:
      font_.family = TRtfFontFamily::ffModern;
      break;
    case K::kwFontScript:
      font_.family = TRtfFontFamily::ffScript;
      break;
    case K::kwFontDecor:
      font_.family = TRtfFontFamily::ffDecor;
      break;
    case K::kwFontTech:
      font_.family = TRtfFontFamily::ffTech;
      break;
    case K::kwFontBidi:
      font_.family = TRtfFontFamily::ffBidi;
      break;
    case K::kwFontCharset:
      font_.charset = std::clamp(static_cast<int>(token.parameter), 0, 255);
      break;
    case K::kwFontPitch:
      font_.pitch = std::clamp(static_cast<int>(token.parameter), 0, 2);
      break;
    case K::kwCodePage:
      font_.codePage = std::clamp(static_cast<int>(token.parameter), 0, 65535);
      break;
    default:
      break;
  }
  // The name that follows is in the font's own code page.
  codePage_ = nullptr;
}

void TRtfReader::HandleFontTableText(std::string_view utf8) {
  while (!utf8.empty()) {
    const auto semicolon = utf8.find(';');
    if (fontPending_) font_.name.append(utf8.substr(0, semicolon));
    if (semicolon == std::string_view::npos) return;
    FinishFont();
    utf8.remove_prefix(semicolon + 1);
  }
}

void TRtfReader::FinishFont() {
  if (!fontPending_) return;
  fontPending_ = false;
  for (char& c : font_.name) {
    if (c == '\t') c = ' ';
  }
  font_.name = std::string(Trim(font_.name));
  document_.fonts.push_back(std::move(font_));
  fontIndexByNumber_[fontNumber_] = static_cast<int>(document_.fonts.size()) - 1;
  font_ = TRtfFont();
  codePage_ = nullptr;
}

// ---- Colour table -----------------------------------------------------------------------------------------

void TRtfReader::HandleColorTableWord(TRtfKeyword keyword, const TRtfToken& token) {
  const auto component = static_cast<std::uint8_t>(std::clamp(static_cast<int>(token.parameter), 0, 255));
  switch (keyword) {
    case K::kwRed:
      color_.red = component;
      break;
    case K::kwGreen:
      color_.green = component;
      break;
    case K::kwBlue:
      color_.blue = component;
      break;
    default:
      return;
  }
  colorPending_ = true;
}

void TRtfReader::HandleColorTableText(std::string_view bytes) {
  for (const char c : bytes) {
    if (c != ';') continue;
    // An entry without components is the automatic colour.
    if (!colorPending_) color_ = TRtfColor{0, 0, 0, true};
    document_.colors.push_back(color_);
    color_ = TRtfColor();
    colorPending_ = false;
  }
}

// ---- Fields -----------------------------------------------------------------------------------------------

void TRtfReader::FinishFieldInstruction(int fieldIndex) {
  TField& field = fields_[static_cast<std::size_t>(fieldIndex)];
  field.target = HyperlinkTargetOf(field.instruction);
  field.instruction = std::string();
}

int TRtfReader::LinkIndexOf(int fieldIndex) {
  if (fieldIndex < 0) return -1;
  TField& field = fields_[static_cast<std::size_t>(fieldIndex)];
  if (field.linkIndex < 0) {
    // A second instruction in the same field may have taken the target away again.
    if (field.target.empty()) return -1;
    auto [it, added] = linkIndexByTarget_.try_emplace(field.target, static_cast<int>(document_.links.size()));
    if (added) document_.links.push_back(field.target);
    field.linkIndex = it->second;
  }
  return field.linkIndex;
}

// ---- Pictures ---------------------------------------------------------------------------------------------

void TRtfReader::HandlePictureWord(TRtfKeyword keyword, const TRtfToken& token) {
  const int n = token.parameter;
  const auto size = [](int v) { return std::clamp(v, 0, 1 << 20); };
  switch (keyword) {
    case K::kwPng:
      picture_.kind = TRtfPictureKind::pkPng, picture_.kindParameter = 0;
      break;
    case K::kwJpeg:
      picture_.kind = TRtfPictureKind::pkJpeg, picture_.kindParameter = 0;
      break;
    case K::kwEmf:
      picture_.kind = TRtfPictureKind::pkEmf, picture_.kindParameter = 0;
      break;
    case K::kwWmf:
      picture_.kind = TRtfPictureKind::pkWmf, picture_.kindParameter = std::max(0, n);
      break;
    case K::kwDib:
      picture_.kind = TRtfPictureKind::pkDib, picture_.kindParameter = std::max(0, n);
      break;
    case K::kwBitmap:
      picture_.kind = TRtfPictureKind::pkBitmap, picture_.kindParameter = std::max(0, n);
      break;
    case K::kwPicWidth:
      picture_.width = size(n);
      break;
    case K::kwPicHeight:
      picture_.height = size(n);
      break;
    case K::kwPicGoalWidth:
      picture_.goalWidth = size(n);
      break;
    case K::kwPicGoalHeight:
      picture_.goalHeight = size(n);
      break;
    case K::kwPicScaleX:
      picture_.scaleX = std::clamp(n, 1, 1000);
      break;
    case K::kwPicScaleY:
      picture_.scaleY = std::clamp(n, 1, 1000);
      break;
    default:
      break;
  }
}

void TRtfReader::HandlePictureText(std::string_view bytes) {
  for (const char c : bytes) {
    const int digit = HexDigit(c);
    if (digit < 0) continue;
    if (pictureNibble_ < 0) {
      pictureNibble_ = digit;
    } else {
      picture_.data.push_back(static_cast<std::uint8_t>(pictureNibble_ * 16 + digit));
      pictureNibble_ = -1;
    }
  }
}

void TRtfReader::FinishPicture() {
  // Only a picture in the shown text becomes part of the document; its group's parent decides.
  if (stack_.size() < 2) return;
  const TRtfGroupState& parent = stack_[stack_.size() - 2];
  if (parent.destination != D::dsBody || parent.hidden) return;
  // The first picture of an embedded object's result shows the object. Its names are trimmed here
  // too: in damaged input the result can open before the class name's group has closed.
  object_.className = std::string(Trim(object_.className));
  object_.name = std::string(Trim(object_.name));
  if (objectDepth_ > 0 && objectEmbedded_ && !objectDamaged_ && !object_.className.empty()) {
    picture_.object = std::move(object_);
    object_ = TRtfEmbeddedObject();
  }
  document_.pictures.push_back(std::move(picture_));
  picture_ = TRtfPicture();
  AppendItem(paragraph_, TRtfInlineKind::ikPicture, EmitFormat(),
             static_cast<int>(document_.pictures.size()) - 1);
}

// ---- Embedded objects -----------------------------------------------------------------------------------

void TRtfReader::HandleObjectName(std::string_view utf8) {
  std::string& into = State().destination == D::dsObjectClass ? object_.className : object_.name;
  // A class or file name is short; a longer text is damage, not a name.
  if (into.size() + utf8.size() > kMaxObjectName) {
    objectDamaged_ = true;
    return;
  }
  // A tab in a name is a blank, as in a font's name.
  const std::size_t from = into.size();
  into.append(utf8);
  std::replace(into.begin() + static_cast<std::ptrdiff_t>(from), into.end(), '\t', ' ');
}

void TRtfReader::HandleObjectData(std::string_view bytes) {
  for (const char c : bytes) {
    const int digit = HexDigit(c);
    if (digit < 0) {
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') objectDamaged_ = true;
      continue;
    }
    if (objectNibble_ < 0) {
      objectNibble_ = digit;
    } else {
      object_.data.push_back(static_cast<std::uint8_t>(objectNibble_ * 16 + digit));
      objectNibble_ = -1;
    }
  }
}

// ---- Bullets and numbering --------------------------------------------------------------------------------

void TRtfReader::HandleNumberingWord(TRtfKeyword keyword, const TRtfToken& token) {
  const auto set = [this](TRtfNumbering numbering) {
    if (pnNumbering_ != TRtfNumbering::nmBullet) pnNumbering_ = numbering;
  };
  switch (keyword) {
    case K::kwPnBullet:
      pnNumbering_ = TRtfNumbering::nmBullet;
      break;
    case K::kwPnBody:
    case K::kwPnLevel:
      if (pnNumbering_ == TRtfNumbering::nmNone) pnNumbering_ = TRtfNumbering::nmDecimal;
      break;
    case K::kwPnContinue:
      pnNumbering_ = TRtfNumbering::nmNone;
      break;
    case K::kwPnDecimal:
      set(TRtfNumbering::nmDecimal);
      break;
    case K::kwPnLowerLetter:
      set(TRtfNumbering::nmLowerAlpha);
      break;
    case K::kwPnUpperLetter:
      set(TRtfNumbering::nmUpperAlpha);
      break;
    case K::kwPnLowerRoman:
      set(TRtfNumbering::nmLowerRoman);
      break;
    case K::kwPnUpperRoman:
      set(TRtfNumbering::nmUpperRoman);
      break;
    case K::kwPnStart:
      pnStart_ = std::clamp(static_cast<int>(token.parameter), 0, 32767);
      break;
    default:
      break;
  }
}

void TRtfReader::HandleListWord(TRtfKeyword keyword, const TRtfToken& token) {
  const int n = token.parameter;
  switch (State().destination) {
    case D::dsList:
      if (keyword == K::kwListId) listId_ = n;
      break;
    case D::dsListLevel:
      if (keyword == K::kwLevelNumberFormat) listLevel_.numbering = NumberingOfLevelFormat(n);
      if (keyword == K::kwLevelStartAt) listLevel_.start = std::clamp(n, 0, 32767);
      break;
    case D::dsListOverride:
      if (keyword == K::kwListId) overrideListId_ = n;
      if (keyword == K::kwListIndex) overrideIndex_ = n;
      break;
    default:
      break;
  }
}
