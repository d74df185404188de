#pragma once
// A picture held as its encoded bytes (PNG in layouts: `Glyph.Data: file("hint.png")`)
// and decoded once for drawing. Bytes that do not decode raise EInvalidGraphic.

#include <memory>
#include <string>

#include "core/exceptions.h"
#include "core/rtti.h"
#include "gui/graphics/geometry.h"

class QImage;

class EInvalidGraphic : public Exception {
  using Exception::Exception;
};

class TPicture : public TPersistent {
 public:
  BREVANT_CLASS(TPicture)
  TPicture();
  ~TPicture() override;

  const TBytes& Data() const { return Data_; }
  // Empty bytes clear the picture.
  void SetData(TBytes Value);
  void LoadFromFile(const std::string& FileName);
  // A file compiled into the program (brevant_embed_resources).
  void LoadFromResource(const std::string& Name);

  bool Empty() const;
  int Width() const;
  int Height() const;
  void Assign(const TPersistent& Source) override;

  // For drawing: the decoded image, or none while the picture is empty.
  const QImage* Image() const { return Image_.get(); }

  TNotifyEvent OnChange;

 private:
  TBytes Data_;
  std::unique_ptr<QImage> Image_;
};
