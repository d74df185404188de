#include "gui/graphics/picture.h"

#include <QImage>

#include "core/format.h"
#include "core/resources.h"
#include "core/streams.h"
#include "gui/gui_strings.h"

BREVANT_DEFINE_CLASS(TPicture, TPersistent, .Property("Data", &TPicture::Data, &TPicture::SetData))

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetData(TBytes Value) {
  if (Value == Data_) return;
  std::unique_ptr<QImage> image;
  if (!Value.empty()) {
    image = std::make_unique<QImage>();
    if (!image->loadFromData(Value.data(), static_cast<int>(Value.size()))) {
      throw EInvalidGraphic(LoadResString(SInvalidImage));
    }
    *image = image->convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  Data_ = std::move(Value);
  Image_ = std::move(image);
  if (OnChange) OnChange(this);
}

void TPicture::LoadFromFile(const std::string& FileName) {
  TMemoryStream s;
  s.LoadFromFile(FileName);
  const std::string_view v = s.View();
  SetData(TBytes(v.begin(), v.end()));
}

void TPicture::LoadFromResource(const std::string& Name) {
  const std::string_view v = TResourceRegistry::Load(Name);
  SetData(TBytes(v.begin(), v.end()));
}

bool TPicture::Empty() const {
  return Image_ == nullptr;
}

int TPicture::Width() const {
  return Image_ ? Image_->width() : 0;
}

int TPicture::Height() const {
  return Image_ ? Image_->height() : 0;
}

void TPicture::Assign(const TPersistent& Source) {
  if (const auto* p = dynamic_cast<const TPicture*>(&Source)) {
    SetData(p->Data_);
    return;
  }
  TPersistent::Assign(Source);
}
