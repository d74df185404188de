// Renders every sample through QTextDocument into a PNG kept in the build tree for a visual check.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <filesystem>

#include "rtf_qt.h"
#include "rtf_reader.h"
#include "rtf_test_support.h"

namespace {

constexpr int kPageWidth = 640;

QImage Render(QTextDocument& document) {
  QImage image(kPageWidth, static_cast<int>(document.size().height()) + 1, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  document.drawContents(&painter);
  return image;
}

// The number of pixels of a colour close to the given one.
int CountNear(const QImage& image, QColor color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
              std::abs(c.blue() - color.blue()) <
          30) {
        ++count;
      }
    }
  }
  return count;
}

TEST(RtfQtRender, EverySampleRendersToAnArtefact) {
  std::filesystem::create_directories(RTF_ARTEFACTS);
  const auto samples = FilesIn(RTF_SAMPLES, ".rtf");
  ASSERT_FALSE(samples.empty());
  for (const auto& path : samples) {
    QTextDocument document;
    ModelToQTextDocument(ReadRtf(ReadFileBytes(path)).document, document);
    document.setTextWidth(kPageWidth);
    const QImage image = Render(document);
    const std::string out = (std::filesystem::path(RTF_ARTEFACTS) / path.stem()).string() + ".png";
    ASSERT_TRUE(image.save(QString::fromStdString(out))) << out;
    EXPECT_GT(image.height(), 20) << path;
    EXPECT_GT(CountNear(image, Qt::black), 50) << path << ": no text drawn";
  }
}

TEST(RtfQtRender, PicturesAndColoursAreDrawn) {
  QTextDocument document;
  ModelToQTextDocument(
      ReadRtf(ReadFileBytes(std::filesystem::path(RTF_SAMPLES) / "13_pictures.rtf")).document, document);
  document.setTextWidth(kPageWidth);
  const QImage pictures = Render(document);
  // The PNG's red quarter shows at its own size, doubled and halved, and once more from \bin data:
  // 24x16 + 48x32 + 12x8 + 24x16 pixels.
  EXPECT_NEAR(CountNear(pictures, QColor(220, 40, 40)), 384 + 1536 + 96 + 384, 200);
  EXPECT_GT(CountNear(pictures, QColor(0xE8, 0xE8, 0xE8)), 2000);  // the placeholders

  ModelToQTextDocument(
      ReadRtf(ReadFileBytes(std::filesystem::path(RTF_SAMPLES) / "04_colors_and_highlight.rtf")).document,
      document);
  const QImage colours = Render(document);
  EXPECT_GT(CountNear(colours, QColor(255, 255, 0)), 500);  // highlight
  EXPECT_GT(CountNear(colours, QColor(192, 0, 0)), 20);     // red text
}

TEST(RtfQtRender, MissingFontsFallBackToTheirKind) {
  QTextDocument document;
  ModelToQTextDocument(ReadRtf(ReadFileBytes(std::filesystem::path(RTF_SAMPLES) / "03_fonts.rtf")).document,
                       document);
  QTextBlock block = document.begin();
  for (int i = 0; i < 5; ++i)
    block = block.next();
  const QFont missingMono = block.begin().fragment().charFormat().font();
  EXPECT_TRUE(QFontInfo(missingMono).fixedPitch());
  const QFont missingAny = block.next().begin().fragment().charFormat().font();
  EXPECT_FALSE(QFontInfo(missingAny).fixedPitch());
}

}  // namespace
