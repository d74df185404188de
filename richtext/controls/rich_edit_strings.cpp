#include "richtext/controls/rich_edit_strings.h"

#include <algorithm>
#include <map>

#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/streams.h"
#include "core/text.h"
#include "richtext/controls/custom_rich_edit.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/edit/rich_edit_box.h"

BREVANT_DEFINE_CLASS(TRichEditStrings, TStrings, )

namespace {

constexpr int kLineBuffer = 4096;

std::map<std::string, TConversionFactory>& Conversions() {
  static std::map<std::string, TConversionFactory> conversions;
  return conversions;
}

TConversion& DefaultConversion() {
  static TConversion conversion;
  return conversion;
}

// Restores the file variants' conversion when they end.
class TConversionScope {
 public:
  TConversionScope(std::unique_ptr<TConversion>& Slot, const std::string& FileName) : Slot_(Slot) {
    const size_t dot = FileName.rfind('.');
    if (dot == std::string::npos) return;
    auto it = Conversions().find(LowerCase(FileName.substr(dot)));
    if (it != Conversions().end()) Slot_ = it->second();
  }
  ~TConversionScope() { Slot_.reset(); }

 private:
  std::unique_ptr<TConversion>& Slot_;
};

}  // namespace

int64_t TConversion::ConvertReadStream(TStream& Stream, char* Buffer, int64_t Count) {
  return Stream.Read(Buffer, Count);
}

int64_t TConversion::ConvertWriteStream(TStream& Stream, const char* Buffer, int64_t Count) {
  return Stream.Write(Buffer, Count);
}

void RegisterConversionFormat(const std::string& Extension, TConversionFactory Factory) {
  Conversions()[LowerCase(Extension)] = std::move(Factory);
}

// --- The stream-in pump ----------------------------------------------------------------------

TStreamInPump::TStreamInPump(TConversion& Converter, TStream& Stream, bool Normalise, bool FirstParagraphOnly)
    : Converter_(Converter),
      Stream_(Stream),
      Normalise_(Normalise),
      FirstParagraphOnly_(FirstParagraphOnly) {}

int64_t TStreamInPump::Fill(char* Buffer, int64_t Capacity) {
  // Text may double (every byte a lone line break) and a CR held back from the last chunk adds
  // two more: read little enough that the result always fits.
  const int64_t want = Normalise_ ? (Capacity - 2) / 2 : Capacity;
  if (want <= 0) return -1;
  for (;;) {
    if (Ended_ || Cut_) return 0;
    In_.resize(static_cast<size_t>(want));
    int64_t count = 0;
    try {
      count = Converter_.ConvertReadStream(Stream_, In_.data(), want);
    } catch (...) {
      return -1;
    }
    count = std::min(count, want);
    if (count <= 0) {
      Ended_ = true;
      return Normalise_ ? Normalise(nullptr, 0, Buffer, true) : 0;
    }
    if (FirstParagraphOnly_) {
      // Only the first paragraph: the first "{" after the first "\pard" closes the text instead.
      Cut_ = true;
      const std::string_view chunk(In_.data(), static_cast<size_t>(count));
      const size_t pard = chunk.find("\\pard");
      const size_t brace = pard == std::string_view::npos ? pard : chunk.find('{', pard);
      if (brace != std::string_view::npos) {
        In_[brace] = '}';
        count = static_cast<int64_t>(brace) + 1;
      }
    }
    const int64_t out = Normalise_ ? Normalise(In_.data(), count, Buffer, false)
                                   : (std::copy_n(In_.data(), count, Buffer), count);
    if (out > 0) return out;
  }
}

int64_t TStreamInPump::Normalise(const char* In, int64_t Count, char* Out, bool AtEnd) {
  int64_t k = 0;
  int64_t i = 0;
  if (PendingCR_) {
    // The CR that ended the last chunk: a line break either way; an LF now belongs to it.
    Out[k++] = '\r';
    Out[k++] = '\n';
    PendingCR_ = false;
    if (Count > 0 && In[0] == '\n') i = 1;
  }
  if (AtEnd) return k;
  for (; i < Count; ++i) {
    const char c = In[i];
    if (c == '\r') {
      if (i + 1 == Count) {
        PendingCR_ = true;
        break;
      }
      Out[k++] = '\r';
      Out[k++] = '\n';
      if (In[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      Out[k++] = '\r';
      Out[k++] = '\n';
    } else {
      Out[k++] = c;
    }
  }
  return k;
}

// --- The line list ---------------------------------------------------------------------------

TRichEditStrings::TRichEditStrings(TCustomRichEdit* Owner) : Owner_(Owner) {}

TConversion& TRichEditStrings::Converter() {
  return Converter_ ? *Converter_ : DefaultConversion();
}

int TRichEditStrings::Count() const {
  return Owner_->EditBox()->LineCount();
}

std::string TRichEditStrings::Get(int Index) const {
  TRichEditBox* box = Owner_->EditBox();
  if (Index < 0 || box->LineIndex(Index) < 0) return {};
  return box->LineText(Index, kLineBuffer);
}

void TRichEditStrings::Put(int Index, const std::string& S) {
  TRichEditBox* box = Owner_->EditBox();
  const int start = Index >= 0 ? box->LineIndex(Index) : -1;
  if (start < 0) Error(Index);
  box->SetSelection(start, start + box->LineLength(start));
  box->ReplaceSelection(S);
}

void TRichEditStrings::Insert(int Index, const std::string& S) {
  if (Index < 0) Error(Index);
  TRichEditBox* box = Owner_->EditBox();
  int at = box->LineIndex(Index);
  std::string text = S + "\r\n";
  if (at < 0) {
    const int last = Index > 0 ? box->LineIndex(Index - 1) : -1;
    if (last < 0) Error(Index);
    const int length = box->LineLength(last);
    at = last + length;
    text = length == 0 ? S : "\r\n" + S;
  }
  box->SetSelection(at, at);
  box->ReplaceSelection(text);
  if (box->SelStart() != at + TRichEditBox::DocumentLengthOf(text) || box->SelLength() != 0)
    throw EOutOfResources(LoadResString(SRichEditInsertError));
}

void TRichEditStrings::Delete(int Index) {
  TRichEditBox* box = Owner_->EditBox();
  int start = Index >= 0 ? box->LineIndex(Index) : -1;
  if (start < 0) Error(Index);
  const int next = box->LineIndex(Index + 1);
  const int end = next >= 0 ? next : box->TextLength();
  // The last line takes the break before it along, so that no empty line stays behind.
  if (next < 0 && start > 0) --start;
  box->SetSelection(start, end);
  box->ReplaceSelection("");
}

void TRichEditStrings::Clear() {
  Owner_->EditBox()->SetText("");
}

std::string TRichEditStrings::Text() const {
  std::string text = Owner_->EditBox()->Text();
  std::string out;
  out.reserve(text.size() + 1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' ? '\n' : text[i];
  }
  if (!out.empty()) out += '\n';
  return out;
}

void TRichEditStrings::SetText(std::string_view Value) {
  if (!Value.empty() && Value.back() == '\n') Value.remove_suffix(1);
  if (!Value.empty() && Value.back() == '\r') Value.remove_suffix(1);
  Owner_->EditBox()->SetText(std::string(Value));
}

int TRichEditStrings::StreamIn(TStream& Stream, bool AsText, bool AtSelection, bool FirstParagraphOnly) {
  TStreamInPump pump(Converter(), Stream, AsText, FirstParagraphOnly && !AsText);
  return Owner_->EditBox()->StreamIn(
      AsText ? rfText : rfRtf, AtSelection,
      [&pump](char* Buffer, int64_t Capacity) { return pump.Fill(Buffer, Capacity); });
}

void TRichEditStrings::LoadContent(TStream& Stream) {
  const int64_t position = Stream.Position();
  int error = StreamIn(Stream, Owner_->PlainText(), false, false);
  if (error != reNone && !Owner_->PlainText()) {
    Stream.SetPosition(position);
    error = StreamIn(Stream, true, false, false);
  }
  if (error != reNone) throw EOutOfResources(LoadResString(SRichEditLoadFail));
}

void TRichEditStrings::SaveContent(TStream& Stream) {
  TConversion& converter = Converter();
  const TRichStreamError error = Owner_->EditBox()->StreamOut(
      Owner_->PlainText() ? rfText : rfRtf, false, [&](const char* Data, int64_t Count) {
        try {
          return converter.ConvertWriteStream(Stream, Data, Count) == Count;
        } catch (...) {
          return false;
        }
      });
  if (error != reNone) throw EOutOfResources(LoadResString(SRichEditSaveFail));
}

void TRichEditStrings::LoadContentFile(const std::string& FileName) {
  TConversionScope scope(Converter_, FileName);
  TFileStream file(FileName, fmOpenRead);
  LoadContent(file);
}

void TRichEditStrings::SaveContentFile(const std::string& FileName) {
  TConversionScope scope(Converter_, FileName);
  TFileStream file(FileName, fmCreate);
  SaveContent(file);
}
