#include "data/fields/blob_field.h"

#include "core/rtti.h"
#include "core/streams.h"
#include "data/data_strings.h"
#include "data/dataset.h"
#include "data/db_error.h"

BREVANT_DEFINE_CLASS(TBlobField, TField,
                     .Property("BlobType", &TBlobField::BlobType, &TBlobField::SetBlobType)
                         .Property("Size", &TField::Size, &TField::SetSize)
                         .Default(0))
BREVANT_DEFINE_CLASS(TMemoField, TBlobField, )
BREVANT_DEFINE_CLASS(TGraphicField, TBlobField, )

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftBlob);
}

void TBlobField::SetBlobType(TFieldType Value) {
  if (Value == DataType()) return;
  if (!IsBlobType(Value)) RaiseDataErrorFmt(LoadResString(SInvalidBlobType), {ShownName()}, nullptr);
  if (HostDataSet() != nullptr) HostDataSet()->EnsureInactive();
  SetDataType(Value);
}

void TBlobField::SetFieldType(TFieldType Value) {
  if (IsBlobType(Value)) SetBlobType(Value);
}

void TBlobField::CheckTypeSize(int /*Value*/) const {}

std::unique_ptr<TStream> TBlobField::OpenStream(TBlobStreamMode Mode) const {
  if (HostDataSet() == nullptr) RaiseDataErrorFmt(LoadResString(SDataSetMissing), {ShownName()}, nullptr);
  return HostDataSet()->OpenBlobStream(const_cast<TBlobField*>(this), Mode);
}

std::string TBlobField::AsText() const {
  std::unique_ptr<TStream> stream = OpenStream(bmRead);
  if (!stream) return std::string();
  const int64_t size = stream->Size();
  std::string text(static_cast<size_t>(size), '\0');
  const int64_t got = size > 0 ? stream->Read(text.data(), size) : 0;
  text.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return text;
}

void TBlobField::SetAsText(const std::string& Value) {
  {
    std::unique_ptr<TStream> stream = OpenStream(bmWrite);
    if (stream && !Value.empty()) stream->WriteBuffer(Value.data(), static_cast<int64_t>(Value.size()));
  }
  DataChanged();
}

void TBlobField::CopyToStream(TStream& Dest) const {
  std::unique_ptr<TStream> stream = OpenStream(bmRead);
  if (!stream) return;
  stream->SetPosition(0);
  char chunk[8192];
  for (;;) {
    const int64_t got = stream->Read(chunk, sizeof chunk);
    if (got <= 0) break;
    Dest.WriteBuffer(chunk, got);
  }
}

void TBlobField::LoadFromStream(TStream& Source) {
  {
    std::unique_ptr<TStream> stream = OpenStream(bmWrite);
    if (stream) {
      Source.SetPosition(0);
      char chunk[8192];
      for (;;) {
        const int64_t got = Source.Read(chunk, sizeof chunk);
        if (got <= 0) break;
        stream->WriteBuffer(chunk, got);
      }
    }
  }
  DataChanged();
}

int64_t TBlobField::BlobLength() const {
  std::unique_ptr<TStream> stream = OpenStream(bmRead);
  return stream ? stream->Size() : 0;
}

void TBlobField::Clear() {
  OpenStream(bmWrite).reset();
  DataChanged();
}

bool TBlobField::BlobChanged() const {
  return Modified_ && HostDataSet() != nullptr && ModifiedSlot_ == HostDataSet()->ActiveSlot();
}

bool TBlobField::ValueIsNull() const {
  if (BlobChanged()) return BlobLength() == 0;
  return TField::ValueIsNull();
}

void TBlobField::SetModified(bool Value) {
  Modified_ = Value;
  if (Value && HostDataSet() != nullptr) ModifiedSlot_ = HostDataSet()->ActiveSlot();
}

void TBlobField::ReleaseBuffers() {
  if (!Modified_) return;
  if (HostDataSet() != nullptr) HostDataSet()->ReleaseBlob(this);
  Modified_ = false;
}

std::string TBlobField::GetText(bool /*DisplayText*/) const {
  return KindCaption();
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner) {
  SetDataType(ftMemo);
  SetTransliterate(true);
}

TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner) {
  SetDataType(ftGraphic);
}
