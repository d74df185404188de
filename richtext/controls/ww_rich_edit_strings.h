#pragma once
// TwwRichEditStrings: the Lines of a TwwCustomRichEdit. It hands streaming, deletion and clearing
// to the control's inner line list, and keeps bulk changes quiet: adding many lines holds back
// the selection-change event, assigning the whole text holds back the change notification, and
// a counted update (BeginUpdate / EndUpdate) stops drawing until it ends.

#include <string>

#include "core/strings.h"

class TStream;
class TwwCustomRichEdit;
class TRichEditStrings;

class TwwRichEditStrings : public TStrings {
 public:
  BREVANT_CLASS(TwwRichEditStrings)
  explicit TwwRichEditStrings(TwwCustomRichEdit* Owner);

  int Count() const override;
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  std::string Text() const override;
  void SetText(std::string_view Value) override;
  void Assign(const TPersistent& Source) override;

  void LoadContent(TStream& Stream);
  void SaveContent(TStream& Stream);
  void LoadContentFile(const std::string& FileName);
  void SaveContentFile(const std::string& FileName);

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  TRichEditStrings& Inner() const;

  TwwCustomRichEdit* Owner_;
};
