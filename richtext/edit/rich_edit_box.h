#pragma once
// TRichEditBox: the edit layer. One object over a QTextEdit and its QTextDocument that answers
// what the rich text controls ask of a rich edit window: streaming RTF and plain text in and out
// (whole content or the selection), finding text, character and paragraph formats, the
// formatting rectangle, the clipboard, the selection, the lines, read-only, the event mask with
// its notifications (change, selection change, resize request, protected change, link), the
// background colour, URL detection, undo and redo.
//
// Positions count characters as the document does: a paragraph break is one character. The box is
// the widget of its control (a TQtBridge, so keys, focus and mouse reach the control through the
// framework); it works just as well without a control.

#include <QTextEdit>
#include <memory>
#include <string>
#include <vector>

#include "gui/graphics/geometry.h"
#include "gui/qt/bridge.h"
#include "gui/stdctrls/edit.h"
#include "richtext/edit/rich_edit_types.h"

class TRichPageLayout;
class TRichUrlHighlighter;

class TRichEditBox : public TQtBridge<QTextEdit> {
 public:
  // Bytes a stream operation hands its reader or writer at a time.
  static constexpr int64_t kStreamChunk = 4096;
  // Streams longer than this are refused unless SetMaxStreamInSize says otherwise.
  static constexpr int64_t kDefaultMaxStreamInSize = int64_t{512} << 20;

  TRichEditBox(TWinControl* Control, QWidget* Parent);
  ~TRichEditBox() override;

  // --- Streaming ---------------------------------------------------------------------------
  // Reads everything Read gives and shows it: the whole content is replaced (and the undo
  // history cleared), or with AtSelection the selection is (as one undo step). RTF that is not
  // RTF at all is refused with reNotRtf, so that the caller can read it as text; damaged RTF
  // shows what could be read. On any error the content stays as it was.
  TRichStreamError StreamIn(TRichStreamFormat Format, bool AtSelection, const TRichStreamReader& Read);
  // Writes the whole content, or the selection, through Write in chunks.
  TRichStreamError StreamOut(TRichStreamFormat Format, bool SelectionOnly,
                             const TRichStreamWriter& Write) const;
  int64_t MaxStreamInSize() const { return MaxStreamIn_; }
  void SetMaxStreamInSize(int64_t Value) { MaxStreamIn_ = Value; }

  // --- Text and selection ------------------------------------------------------------------
  int TextLength() const;
  // The whole text with CR LF between paragraphs.
  std::string Text() const;
  // Replaces everything with plain text in the default format; clears the undo history.
  void SetText(const std::string& Value);
  // The characters from Start up to End (exclusive), paragraph breaks as CR.
  std::string TextRange(int Start, int End) const;
  int SelStart() const;
  int SelLength() const;
  // Selects from Start to End (clamped); End -1 means the end of the text. The caret ends at End.
  void SetSelection(int Start, int End);
  std::string SelectedText() const;
  // Replaces the selection with Value (CR LF, CR or LF start a paragraph); the caret ends behind
  // it. Answers false when protected text refused the change.
  bool ReplaceSelection(const std::string& Value, bool CanUndo = true);
  // How many positions a text takes once inserted (a line break, CR LF included, takes one).
  static int DocumentLengthOf(const std::string& Value);
  // The position of the first match of Value between Start and End (End -1: the end of the
  // text; searching up, End is the lower limit), or -1.
  int FindText(const std::string& Value, int Start, int End, const TRichFindOptions& Options) const;

  // --- Pages (printing) ----------------------------------------------------------------------
  // Lays out the page of the content that starts at Range->First on the range's printer, at the
  // width of its Area, and with Render draws it in the Area of the printer's current page;
  // answers the first character of the next page (the text length once all is placed). A page
  // holds whole lines, as many as fit the Area's height but at least one, and ends at a page
  // break of the text. The layout is kept for the next call on the same printer and width;
  // without a range it is dropped (do that before printing a changed text).
  int FormatRange(const TRichFormatRange* Range, bool Render);

  // --- Embedded objects ------------------------------------------------------------------------
  // Inserts a picture (the bytes of a PNG, JPEG, GIF, BMP or SVG file), kept as PNG, in place of
  // the selection; the caret ends behind it. False when the bytes are no such picture, or one
  // too large to show.
  bool InsertPicture(const std::string& Bytes);
  // Inserts a file carried whole (an object of class "Package"), shown as an icon with the
  // file's name, in place of the selection; the caret ends behind it.
  void InsertPackage(const std::string& FileName, const std::string& Bytes);
  // The embedded object or picture that the selection is (exactly one character), if any.
  bool SelectedObject(TRichEmbeddedObject& Object) const;
  // What a drop does with the modifier keys held: Ctrl (with or without Shift) copies,
  // otherwise it moves; an effect the drag does not allow leaves the drag's own choice.
  static Qt::DropAction DropActionFor(Qt::KeyboardModifiers Modifiers, Qt::DropActions Allowed,
                                      Qt::DropAction Proposed);

  // --- Lines (as laid out: a wrapped paragraph has several) ---------------------------------
  int LineCount() const;
  // The position of the line's first character, -1 beyond the last line; Line -1 is the
  // caret's line.
  int LineIndex(int Line) const;
  // The length of the line holding the character at Position, without its break.
  int LineLength(int Position) const;
  int LineFromChar(int Position) const;
  // The line's text without its break, at most MaxBytes bytes of UTF-8 (whole characters).
  std::string LineText(int Line, int MaxBytes) const;

  // --- Formats -----------------------------------------------------------------------------
  // The selection's format (Fields: what holds for all of it) or the default format.
  TRichCharFormat CharFormat(bool Selection) const;
  // Applies Format's Fields to the selection (or, without one, to what is typed next), or to
  // the default format, which is what text without a format of its own shows.
  void SetCharFormat(bool Selection, const TRichCharFormat& Format);
  // The format of the selection's first paragraph (Fields: what holds for all its paragraphs).
  TRichParaFormat ParaFormat() const;
  // Applies Format's Fields to every paragraph of the selection, as one undo step.
  void SetParaFormat(const TRichParaFormat& Format);

  // --- Appearance --------------------------------------------------------------------------
  bool IsReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  // The colour behind the text (a system colour resolves now).
  void SetBackgroundColor(TColor Value);
  // The rectangle the text is laid out in, in client coordinates of the box. Text wraps at its
  // width when that is wider than the box (a page-wide layout), else at the box's width.
  void SetFormatRect(const TRect& Value);
  TRect FormatRect() const { return FormatRect_; }
  void SetWordWrap(bool Value);
  void SetScrollBars(TScrollStyle Value, bool HideScrollBars);
  bool VerticalScrollBarShowing() const;
  int VerticalScrollBarWidth() const;
  void SetHideSelection(bool Value);
  void SetBorder(bool Value);
  // Whether Tab moves the focus instead of typing a tab.
  void SetTabChangesFocus(bool Value) { setTabChangesFocus(Value); }
  // Stops drawing until switched on again (then everything is drawn anew).
  void SetRedraw(bool Value);
  // The position of the embedded picture under a point of the text area, or -1.
  int ObjectAt(int X, int Y) const;
  // The same for a point of the screen.
  int ObjectAtScreenPoint(int X, int Y) const;
  // The size of a paper, by the printer's paper code (1 letter, 9 A4, ...), in inches; letter
  // for a code it does not know.
  static void PaperSizeInches(int PaperCode, double& Width, double& Height);
  static void Beep();
  // Marks URLs in the text as links (drawn underlined in blue; reported through the link
  // notification). Nothing of it is stored in the content.
  void SetAutoUrlDetect(bool Value);
  bool AutoUrlDetect() const { return Highlighter_ != nullptr; }
  // The link under a point of the text area, if any.
  bool LinkAt(QPoint Pos, int& Start, int& End) const;

  // --- Editing -----------------------------------------------------------------------------
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();
  bool Modified() const;
  void SetModified(bool Value);
  // Whether the clipboard holds something the box can paste (read-only or not).
  bool CanPaste() const;
  std::vector<TClipboardKind> ClipboardKinds() const;
  void Cut();
  void Copy();
  void Paste();

  // --- Notifications -----------------------------------------------------------------------
  TRichEventMask EventMask() const { return EventMask_; }
  void SetEventMask(TRichEventMask Value) { EventMask_ = Value; }
  std::function<void()> OnChange;
  std::function<void()> OnSelectionChange;
  // The size the content wants (the text area's width, the laid-out height). A long text is
  // laid out from the top while the program is idle, and this follows as its height grows.
  std::function<void(const TRect&)> OnRequestResize;
  // A change would touch protected text from Start to End; answer true to allow it.
  std::function<bool(int Start, int End)> OnProtected;
  std::function<void(const TRichLinkNotice&)> OnLink;
  // Before each paint of the text; answer false to leave the paint out.
  std::function<bool()> OnPaint;

  // Takes the caret out of the text for a scope in which the whole content is replaced, and puts
  // it back at the start at its end. Selection notices wait until then.
  class TCaretAside {
   public:
    explicit TCaretAside(TRichEditBox& Box);
    ~TCaretAside();
    TCaretAside(const TCaretAside&) = delete;
    TCaretAside& operator=(const TCaretAside&) = delete;

   private:
    TRichEditBox& Box_;
  };

  // Whether a change of the characters from Start to End (an insertion when equal) may go ahead:
  // asks the protected notification when protected text lies there.
  bool ChangeAllowed(int Start, int End);

 protected:
  bool viewportEvent(QEvent* E) override;
  void keyPressEvent(QKeyEvent* E) override;
  void changeEvent(QEvent* E) override;
  void contextMenuEvent(QContextMenuEvent* E) override;
  void dragMoveEvent(QDragMoveEvent* E) override;
  void dropEvent(QDropEvent* E) override;
  bool canInsertFromMimeData(const QMimeData* Source) const override;
  void insertFromMimeData(const QMimeData* Source) override;
  QMimeData* createMimeDataFromSelection() const override;

 private:
  friend class TRichEditBoxNotices;

  void Connect();
  void NotifyChange();
  void NotifySelectionChange();
  void NotifyResize(const QSizeF& Size);
  void NotifyLink(QMouseEvent* E);
  void ApplyInteraction();
  void ApplyFormatRect();
  void ApplyDefaultFont();
  bool KeyChangeAllowed(QKeyEvent* E);
  TRichStreamError ReadAll(const TRichStreamReader& Read, std::string& Bytes) const;

  bool ReadOnly_ = false;
  bool HideSelection_ = true;
  bool WordWrap_ = true;
  TRect FormatRect_{};
  bool HasFormatRect_ = false;
  TRichEventMask EventMask_;
  int64_t MaxStreamIn_ = kDefaultMaxStreamInSize;
  int LastSelStart_ = 0;
  int LastSelEnd_ = 0;
  bool CaretAside_ = false;
  QSizeF LastDocumentSize_;
  TRichCharFormat Default_;
  TRichUrlHighlighter* Highlighter_ = nullptr;
  std::unique_ptr<TRichPageLayout> Pages_;
  int Hovering_ = -1;
};
