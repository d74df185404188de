#pragma once
// The reader's state machine. Internal to the codec: include rtf_reader.h instead.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtf_code_pages.h"
#include "rtf_document.h"
#include "rtf_keywords.h"
#include "rtf_lexer.h"
#include "rtf_reader.h"

// Where the text and control words of a group go.
enum class TRtfDestination : std::uint8_t {
  dsBody,       // the shown document
  dsSkip,       // nothing of it is read
  dsContainer,  // an object or shape: only its result group is shown
  dsFontTable,
  dsColorTable,
  dsFieldInstruction,
  dsPicture,
  dsObjectClass,  // the class, name and bytes of the \object being read
  dsObjectName,
  dsObjectData,
  dsParaNumbering,  // \pn: old-style bullets and numbering of the enclosing paragraph
  dsListText,       // \listtext, \pntext: a list item's number as text, for readers that draw none
  dsListTable,
  dsList,
  dsListLevel,
  dsListOverrideTable,
  dsListOverride,
};

// Everything that RTF saves on "{" and restores on "}".
struct TRtfGroupState {
  TRtfDestination destination = TRtfDestination::dsBody;
  bool startsDestination = false;  // this group changed the destination: its end finishes it
  bool hidden = false;             // \v
  int skipAfterUnicode = 1;        // \ucN
  int fieldIndex = -1;             // the \field this group belongs to
  int linkField = -1;              // the field whose hyperlink the text of this group is part of
  TRtfCharFormat character;
  TRtfParaFormat paragraph;
  int listOverride = 0;  // \lsN
  int listLevel = 0;     // \ilvlN
  TRtfTabKind nextTabKind = TRtfTabKind::tkLeft;
  int rawLineSpacing = 0;            // \slN as written
  bool lineSpacingMultiple = false;  // \slmult1
};

class TRtfReader {
 public:
  explicit TRtfReader(std::string_view input);
  TRtfReadResult Read();

 private:
  static constexpr std::size_t kMaxDepth = 512;

  struct TField {
    std::string instruction;
    std::string target;  // the hyperlink target, empty when the field is no hyperlink
    int linkIndex = -1;  // given on first use, so that unused targets never enter the table
  };
  struct TListLevel {
    TRtfNumbering numbering = TRtfNumbering::nmBullet;
    int start = 1;
  };

  TRtfGroupState& State() { return stack_.back(); }

  // Tokens
  void OpenGroup();
  bool CloseGroup();  // false once the document's own group has closed
  void HandleControlWord(const TRtfToken& token);
  void HandleControlSymbol(char symbol);
  void HandleText(std::string_view bytes);
  void HandleHexByte(std::uint8_t byte);
  void HandleBinary(std::string_view bytes);
  void HandleUnicode(std::int32_t value);

  // Body
  bool StartDestination(TRtfKeyword keyword);
  void HandleBodyWord(TRtfKeyword keyword, const TRtfToken& token);
  void FlushSurrogate();
  void DropLeadByte();
  void EmitText(std::string_view utf8);
  void AppendRun(TRtfParagraph& paragraph, std::string_view utf8);
  void EmitCodePoint(char32_t cp);
  void EmitItem(TRtfInlineKind kind, int pictureIndex = -1);
  TRtfCharFormat EmitFormat();
  void EndParagraph();
  TRtfParaFormat ResolvedParagraphFormat(const TRtfGroupState& state) const;
  const TRtfCodePage& CurrentCodePage();
  void DecodeBytes(std::string_view bytes, std::string& out, const TRtfCodePage& codePage);

  // Destinations (rtf_destinations.cpp)
  void FinishDestination(const TRtfGroupState& closing);
  void HandleFontTableWord(TRtfKeyword keyword, const TRtfToken& token);
  void HandleFontTableText(std::string_view utf8);
  void FinishFont();
  void HandleColorTableWord(TRtfKeyword keyword, const TRtfToken& token);
  void HandleColorTableText(std::string_view bytes);
  void HandlePictureWord(TRtfKeyword keyword, const TRtfToken& token);
  void HandlePictureText(std::string_view bytes);
  void FinishPicture();
  void HandleObjectName(std::string_view utf8);
  void HandleObjectData(std::string_view bytes);
  void HandleNumberingWord(TRtfKeyword keyword, const TRtfToken& token);
  void HandleListWord(TRtfKeyword keyword, const TRtfToken& token);
  void FinishFieldInstruction(int fieldIndex);
  int LinkIndexOf(int fieldIndex);

  TRtfLexer lexer_;
  TRtfDocument document_;
  bool damaged_ = false;
  std::vector<TRtfGroupState> stack_;
  std::size_t overflowDepth_ = 0;  // groups beyond kMaxDepth, read as part of the deepest followed one

  int documentCodePage_ = 1252;
  const TRtfCodePage* codePage_ = nullptr;  // cache for CurrentCodePage
  int codePageFont_ = -2;
  int codePageNumber_ = 0;

  bool ignorableNext_ = false;      // \* seen: an unknown destination word that follows skips its group
  std::int64_t skipRemaining_ = 0;  // characters still to skip after \uN
  char32_t highSurrogate_ = 0;
  std::uint8_t leadByte_ = 0;  // the first byte of a double-byte character whose second is still to come

  TRtfParagraph paragraph_;  // the paragraph being read
  TRtfParagraph listText_;   // its number as the writer wrote it, kept when the model draws no number
  std::string scratch_;      // decoding buffer, reused

  // Font table
  int defaultFontNumber_ = -1;
  int defaultFontIndex_ = -1;
  std::unordered_map<int, int> fontIndexByNumber_;
  bool fontPending_ = false;
  std::size_t fontDepth_ = 0;
  int fontNumber_ = 0;
  TRtfFont font_;

  // Colour table
  bool colorPending_ = false;
  TRtfColor color_;

  // Fields
  std::vector<TField> fields_;
  std::unordered_map<std::string, int> linkIndexByTarget_;

  // Picture
  TRtfPicture picture_;
  int pictureNibble_ = -1;

  // The embedded object being read (\object): its class, name and bytes wait for the picture of its
  // result, which shows it. Damaged bytes leave the picture a plain one.
  TRtfEmbeddedObject object_;
  std::size_t objectDepth_ = 0;  // the depth of the \object group, 0 outside one
  bool objectEmbedded_ = false;  // \objemb: the bytes are the object itself, not a link to it
  bool objectDamaged_ = false;
  int objectNibble_ = -1;

  // Old-style numbering of the \pn group being read
  TRtfNumbering pnNumbering_ = TRtfNumbering::nmNone;
  int pnStart_ = 1;

  // List tables
  std::vector<TListLevel> listLevels_;
  TListLevel listLevel_;
  int listId_ = 0;
  int overrideListId_ = 0;
  int overrideIndex_ = 0;
  std::unordered_map<int, std::vector<TListLevel>> listsById_;
  std::unordered_map<int, int> listIdByOverride_;
};
