#pragma once
// TRichEditStrings: the line list of a rich text control. It streams the whole content in and out
// as RTF or plain text (LoadContent / SaveContent, and the file variants), and gives access to the
// lines as laid out in the window.
//
// Bytes stream in through a conversion: the default one reads the stream as it is; others can be
// registered by file extension for the file variants. Plain text streams in with its line breaks
// made CR LF (a lone CR or a lone LF each become CR LF; CR LF stays), also where a chunk of the
// transfer ends between a CR and what follows it. RTF streams in untouched. RTF that is not RTF at
// all is read again from the same position as plain text.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/strings.h"

class TCustomRichEdit;
class TStream;

// Turns the bytes of a stream into what the control reads, and back.
class TConversion {
 public:
  virtual ~TConversion() = default;
  // Reads at most Count bytes into Buffer; answers how many (0 at the end).
  virtual int64_t ConvertReadStream(TStream& Stream, char* Buffer, int64_t Count);
  virtual int64_t ConvertWriteStream(TStream& Stream, const char* Buffer, int64_t Count);
};

using TConversionFactory = std::function<std::unique_ptr<TConversion>()>;
// Files whose name ends in Extension (".rtf", any case) load and save through the conversion.
void RegisterConversionFormat(const std::string& Extension, TConversionFactory Factory);

class TRichEditStrings : public TStrings {
 public:
  BREVANT_CLASS(TRichEditStrings)
  explicit TRichEditStrings(TCustomRichEdit* Owner);

  int Count() const override;
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  // Writes "S CR LF" at the start of line Index, or "CR LF S" after the last line when Index is
  // one past it (only "S" when the last line is empty). Raises EOutOfResources "RichEdit line
  // insertion error" when the text did not land there.
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  // The paragraphs, each followed by "\n".
  std::string Text() const override;
  // Replaces the content with the text (a final line break makes no empty last line).
  void SetText(std::string_view Value) override;

  // Replaces the content with the stream's bytes from its position: RTF unless the control's
  // PlainText is set, and RTF that is not RTF as text. Raises EOutOfResources "Failed to Load
  // Stream" when nothing could be read.
  void LoadContent(TStream& Stream);
  // Writes the content (RTF, or text with PlainText) at the stream's position; raises
  // EOutOfResources "Failed to Save Stream" when the stream refuses it.
  void SaveContent(TStream& Stream);
  void LoadContentFile(const std::string& FileName);
  void SaveContentFile(const std::string& FileName);
  // Streams into the selection or the whole content with a given format, through the current
  // conversion, with the plain-text retry only for the whole content. FirstParagraphOnly stops
  // RTF after its first paragraph. Answers the edit layer's error (0 for none).
  int StreamIn(TStream& Stream, bool AsText, bool AtSelection, bool FirstParagraphOnly);

 private:
  TConversion& Converter();

  TCustomRichEdit* Owner_;
  std::unique_ptr<TConversion> Converter_;  // the file variants' conversion while they run
};

// The reading side of a transfer as the window sees it: up to half the window's buffer from the
// conversion, line breaks made CR LF for text. Exposed for tests of chunk boundaries.
class TStreamInPump {
 public:
  TStreamInPump(TConversion& Converter, TStream& Stream, bool Normalise, bool FirstParagraphOnly);
  // Fills Buffer (Capacity bytes); answers the count, 0 at the end, -1 when the conversion raised.
  int64_t Fill(char* Buffer, int64_t Capacity);

 private:
  int64_t Normalise(const char* In, int64_t Count, char* Out, bool AtEnd);

  TConversion& Converter_;
  TStream& Stream_;
  bool Normalise_;
  bool FirstParagraphOnly_;
  bool Cut_ = false;        // the first paragraph has been given; nothing more
  bool PendingCR_ = false;  // the last chunk ended in a CR whose LF may follow
  bool Ended_ = false;
  std::vector<char> In_;
};
