#pragma once
// Blob columns: any number of bytes read and written through the dataset's blob streams.
// TMemoField holds text, TGraphicField a picture; all blob types form one group.

#include <memory>

#include "data/fields/field.h"

class TStream;

class TBlobField : public TField {
 public:
  BREVANT_CLASS(TBlobField)

  explicit TBlobField(TComponent* AOwner);

  // The blob's type, one of ftBlob to ftTypedBinary; it is the field's data type.
  TFieldType BlobType() const { return DataType(); }
  void SetBlobType(TFieldType Value);
  // Convert the bytes from the engine's character set when reading (the engine's streams ask).
  bool Transliterate() const { return Transliterate_; }
  void SetTransliterate(bool Value) { Transliterate_ = Value; }

  bool HoldsBlob() const override { return true; }
  // The blob's bytes as they are (zero bytes kept, no conversion).
  std::string AsText() const override;
  // Replaces the blob with Value's bytes (the dataset must be editing).
  void SetAsText(const std::string& Value) override;
  // Appends the whole blob to Dest at its current position; a null blob writes nothing.
  void CopyToStream(TStream& Dest) const;
  // Replaces the blob with Source's bytes from its start.
  void LoadFromStream(TStream& Source);
  int64_t BlobLength() const;
  // Empties the blob.
  void Clear();
  bool ValueIsNull() const override;

  // Set by the dataset's write streams: the blob was changed on the active row.
  bool Modified() const { return Modified_; }
  void SetModified(bool Value);
  // Changed on the row that is active now.
  bool BlobChanged() const;
  void ReleaseBuffers() override;
  void SetFieldType(TFieldType Value) override;

 protected:
  std::string GetText(bool DisplayText) const override;
  void CheckTypeSize(int Value) const override;

 private:
  std::unique_ptr<TStream> OpenStream(TBlobStreamMode Mode) const;

  bool Transliterate_ = false;
  bool Modified_ = false;
  int ModifiedSlot_ = -1;
};

class TMemoField : public TBlobField {
 public:
  BREVANT_CLASS(TMemoField)
  explicit TMemoField(TComponent* AOwner);
};

class TGraphicField : public TBlobField {
 public:
  BREVANT_CLASS(TGraphicField)
  explicit TGraphicField(TComponent* AOwner);
};
