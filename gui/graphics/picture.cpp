#include "gui/graphics/picture.h"

#include <QImage>
#include <map>

#include "core/format.h"
#include "core/resources.h"
#include "core/streams.h"
#include "gui/gui_strings.h"

BREVANT_DEFINE_CLASS(TPicture, TPersistent, .Property("Data", &TPicture::Data, &TPicture::SetData))

namespace {

// Small pictures (glyphs, markers) are decoded once per process: windows made from the same
// layout again and again then share the decoded images (QImage copies share their pixels).
constexpr size_t kCachedPictureBytes = 16 * 1024;
constexpr size_t kCachedPictures = 256;

bool DecodeCached(const TBytes& Bytes, QImage& Image) {
  static std::map<TBytes, QImage> cache;
  const bool small = Bytes.size() <= kCachedPictureBytes;
  if (small) {
    if (const auto found = cache.find(Bytes); found != cache.end()) {
      Image = found->second;
      return true;
    }
  }
  if (!Image.loadFromData(Bytes.data(), static_cast<int>(Bytes.size()))) return false;
  Image = Image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (small && cache.size() < kCachedPictures) cache.emplace(Bytes, Image);
  return true;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetData(TBytes Value) {
  if (Value == Data_) return;
  std::unique_ptr<QImage> image;
  if (!Value.empty()) {
    image = std::make_unique<QImage>();
    if (!DecodeCached(Value, *image)) throw EInvalidGraphic(LoadResString(SInvalidImage));
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
