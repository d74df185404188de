#pragma once
// The remaining field kinds. The data layer of this program reads only strings and blobs;
// these exist so that every column type gets its field object with the right data type,
// raw size and caption. Numbers and truth values also read and write as text.

#include <cstdint>

#include "data/fields/field.h"

// Whole numbers; the raw value is a little-endian integer of RawSize bytes.
class TIntegerField : public TField {
 public:
  BREVANT_CLASS(TIntegerField)
  explicit TIntegerField(TComponent* AOwner);
  int RawSize() const override { return 4; }
  std::string AsText() const override;
  void SetAsText(const std::string& Value) override;
  // The value, or 0 when null.
  int64_t AsInteger() const;
  void SetAsInteger(int64_t Value);

 protected:
  int DefaultWidth() const override { return 11; }
  virtual int64_t Lowest() const { return INT32_MIN; }
  virtual int64_t Highest() const { return INT32_MAX; }
};

class TSmallintField : public TIntegerField {
 public:
  BREVANT_CLASS(TSmallintField)
  explicit TSmallintField(TComponent* AOwner);
  int RawSize() const override { return 2; }

 protected:
  int DefaultWidth() const override { return 6; }
  int64_t Lowest() const override { return INT16_MIN; }
  int64_t Highest() const override { return INT16_MAX; }
};

class TWordField : public TIntegerField {
 public:
  BREVANT_CLASS(TWordField)
  explicit TWordField(TComponent* AOwner);
  int RawSize() const override { return 2; }

 protected:
  int DefaultWidth() const override { return 5; }
  int64_t Lowest() const override { return 0; }
  int64_t Highest() const override { return UINT16_MAX; }
};

class TAutoIncField : public TIntegerField {
 public:
  BREVANT_CLASS(TAutoIncField)
  explicit TAutoIncField(TComponent* AOwner);
};

class TLargeintField : public TIntegerField {
 public:
  BREVANT_CLASS(TLargeintField)
  explicit TLargeintField(TComponent* AOwner);
  int RawSize() const override { return 8; }

 protected:
  int DefaultWidth() const override { return 15; }
  int64_t Lowest() const override { return INT64_MIN; }
  int64_t Highest() const override { return INT64_MAX; }
};

// Floating point numbers; the raw value is a double.
class TFloatField : public TField {
 public:
  BREVANT_CLASS(TFloatField)
  explicit TFloatField(TComponent* AOwner);
  int RawSize() const override { return 8; }
  std::string AsText() const override;
  void SetAsText(const std::string& Value) override;
};

class TCurrencyField : public TFloatField {
 public:
  BREVANT_CLASS(TCurrencyField)
  explicit TCurrencyField(TComponent* AOwner);
};

// True or false; the raw value is a 16-bit integer, 0 for false.
class TBooleanField : public TField {
 public:
  BREVANT_CLASS(TBooleanField)
  explicit TBooleanField(TComponent* AOwner);
  int RawSize() const override { return 2; }
  std::string AsText() const override;
  void SetAsText(const std::string& Value) override;

 protected:
  int DefaultWidth() const override { return 5; }
};

// Binary coded decimals; Size is the number of decimals (0 to 32).
class TBCDField : public TField {
 public:
  BREVANT_CLASS(TBCDField)
  explicit TBCDField(TComponent* AOwner);
  int RawSize() const override { return 34; }

 protected:
  void CheckTypeSize(int Value) const override;
};

class TDateField : public TField {
 public:
  BREVANT_CLASS(TDateField)
  explicit TDateField(TComponent* AOwner);
  int RawSize() const override { return 4; }
};

class TTimeField : public TField {
 public:
  BREVANT_CLASS(TTimeField)
  explicit TTimeField(TComponent* AOwner);
  int RawSize() const override { return 4; }
};

class TDateTimeField : public TField {
 public:
  BREVANT_CLASS(TDateTimeField)
  explicit TDateTimeField(TComponent* AOwner);
  int RawSize() const override { return 8; }
};

// Fixed (Size bytes) and variable (a 16-bit length, then up to Size bytes) byte strings.
class TBytesField : public TField {
 public:
  BREVANT_CLASS(TBytesField)
  explicit TBytesField(TComponent* AOwner);
  int RawSize() const override { return Size(); }

 protected:
  void CheckTypeSize(int Value) const override;
};

class TVarBytesField : public TBytesField {
 public:
  BREVANT_CLASS(TVarBytesField)
  explicit TVarBytesField(TComponent* AOwner);
  int RawSize() const override { return Size() + 2; }
};

// Object columns: a structure, an array, a reference and a nested dataset.
class TADTField : public TField {
 public:
  BREVANT_CLASS(TADTField)
  explicit TADTField(TComponent* AOwner);
};

class TArrayField : public TField {
 public:
  BREVANT_CLASS(TArrayField)
  explicit TArrayField(TComponent* AOwner);

 protected:
  void CheckTypeSize(int /*Value*/) const override {}
};

class TReferenceField : public TField {
 public:
  BREVANT_CLASS(TReferenceField)
  explicit TReferenceField(TComponent* AOwner);

 protected:
  void CheckTypeSize(int /*Value*/) const override {}
};

class TDataSetField : public TField {
 public:
  BREVANT_CLASS(TDataSetField)
  explicit TDataSetField(TComponent* AOwner);
};
