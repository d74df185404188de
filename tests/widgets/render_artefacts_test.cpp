// The renderings kept for people to look at: the layout renderer draws the main window's
// bar at 0, 50 and 100 percent and a block-look bar into build/artefacts/widgets/*.png.
// The test runs the real tool and checks the pictures it wrote.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <algorithm>
#include <string>

#include "bar_test_support.h"

namespace {

QImage Render(const std::string& Layout, const std::string& Png, const std::string& Component) {
  QDir().mkpath(BREVANT_WIDGET_ARTEFACTS);
  const QString out = QString(BREVANT_WIDGET_ARTEFACTS) + "/" + QString::fromStdString(Png);
  QFile::remove(out);
  QProcess tool;
  tool.start(BREVANT_RENDER_LAYOUT, {QString(BREVANT_WIDGET_LAYOUTS) + "/" + QString::fromStdString(Layout),
                                     out, QString::fromStdString(Component)});
  EXPECT_TRUE(tool.waitForFinished(60000));
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  QImage image(out);
  EXPECT_FALSE(image.isNull()) << out.toStdString();
  return image;
}

TEST(RenderedArtefacts, MainWindowBarAtZeroHalfAndFull) {
  struct TCase {
    int Percent;
    int FillEnd;  // first x in the back colour
  };
  for (const TCase& c : {TCase{0, 2}, TCase{50, 300}, TCase{100, 599}}) {
    SCOPED_TRACE(c.Percent);
    const QImage image = Render("main_bar_" + std::to_string(c.Percent) + ".layout",
                                "main_bar_" + std::to_string(c.Percent) + ".png", "RzProgressBar1");
    ASSERT_EQ(image.size(), QSize(601, 28));
    EXPECT_EQ(PixelAt(image, 0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(PixelAt(image, 600, 27), Rgb(clBtnHighlight));
    // Rows 2 and 3 lie above the text.
    EXPECT_EQ(CountOther(image, Rect(2, 2, c.FillEnd, 4), Rgb(clGreen)), 0);
    EXPECT_EQ(CountOther(image, Rect(c.FillEnd, 2, 599, 4), Rgb(clRed)), 0);
    // The text is there, around x = 299: letters over the fill and over the rest.
    const int overFill =
        c.FillEnd > 280 ? CountOther(image, Rect(280, 4, std::min(c.FillEnd, 320), 24), Rgb(clGreen)) : 0;
    const int overRest =
        c.FillEnd < 320 ? CountOther(image, Rect(std::max(c.FillEnd, 280), 4, 320, 24), Rgb(clRed)) : 0;
    EXPECT_GT(overFill + overRest, 10);
    if (c.Percent == 50) {
      EXPECT_GT(overFill, 5);
      EXPECT_GT(overRest, 5);
    }
  }
}

TEST(RenderedArtefacts, BlockLookBar) {
  const QImage image = Render("led_bar.layout", "led_bar.png", "LedBar1");
  ASSERT_EQ(image.size(), QSize(200, 24));
  const auto runs = RunsInRow(image, 12, 0, 200, Rgb(clHighlight));
  ASSERT_EQ(runs.size(), 10u);
  EXPECT_EQ(runs.front(), std::make_pair(6, 13));
  EXPECT_EQ(runs.back(), std::make_pair(6 + 9 * 9, 13 + 9 * 9));
}

}  // namespace
