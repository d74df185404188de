// The dialogs' stored layouts drawn by the layout renderer, the real tool, into
// build/artefacts/richtext/*.png for people to look at.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <string>

namespace {

QImage Render(const std::string& Layout, const std::string& Png) {
  QDir().mkpath(RICH_ARTEFACTS);
  const QString out = QString(RICH_ARTEFACTS) + "/" + QString::fromStdString(Png);
  QFile::remove(out);
  QProcess tool;
  tool.start(RENDER_LAYOUT, {QString(DIALOG_LAYOUTS) + "/" + QString::fromStdString(Layout), out});
  EXPECT_TRUE(tool.waitForFinished(60000));
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  QImage image(out);
  EXPECT_FALSE(image.isNull()) << out.toStdString();
  return image;
}

// Pixels clearly darker than the dialog's face: text, frames, boxes' borders.
int DarkPixels(const QImage& Image, QRect Area) {
  int dark = 0;
  for (int y = Area.top(); y <= Area.bottom(); ++y)
    for (int x = Area.left(); x <= Area.right(); ++x)
      if (qGray(Image.pixel(x, y)) < 100) ++dark;
  return dark;
}

TEST(DialogLayouts, TheParagraphDialogRendersAtItsSize) {
  const QImage image = Render("TwwRichParagraphDialog.layout", "paragraph_dialog_layout.png");
  ASSERT_EQ(image.size(), QSize(331, 229));
  EXPECT_GT(DarkPixels(image, QRect(8, 8, 60, 13)), 10);      // "Indentation"
  EXPECT_GT(DarkPixels(image, QRect(184, 32, 60, 13)), 10);   // "Alignment"
  EXPECT_GT(DarkPixels(image, QRect(168, 196, 75, 25)), 10);  // OK
}

TEST(DialogLayouts, TheTabDialogRendersAtItsSize) {
  const QImage image = Render("TwwRichTabDialog.layout", "tab_dialog_layout.png");
  ASSERT_EQ(image.size(), QSize(257, 192));
  EXPECT_GT(DarkPixels(image, QRect(14, 0, 120, 14)), 10);   // the group's caption
  EXPECT_GT(DarkPixels(image, QRect(176, 10, 75, 25)), 10);  // OK
}

}  // namespace
