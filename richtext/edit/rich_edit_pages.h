#pragma once
// The content laid out for a printer, page by page. Internal to the edit layer.

#include <QTextDocument>
#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

class TRichPageLayout {
 public:
  // A copy of Source laid out on Device at Width device pixels.
  TRichPageLayout(const QTextDocument& Source, QPaintDevice& Device, double Width);
  ~TRichPageLayout();

  // Whether this layout is the one for that device and width.
  bool Fits(const QPaintDevice& Device, double Width) const;
  // The first character of the page that follows the one starting at First, when a page is
  // Height device pixels high and takes no character from Last on (-1: none such); FirstLine
  // and EndLine tell which lines the page holds.
  int NextPage(int First, int Last, double Height, size_t& FirstLine, size_t& EndLine) const;
  // Draws the lines [FirstLine, EndLine) with the top of the first at (Left, Top).
  void Draw(QPainter& Painter, size_t FirstLine, size_t EndLine, double Left, double Top) const;

 private:
  struct TLine {
    int Position;  // the line's first character
    double Top;    // in document coordinates, device pixels
    double Bottom;
    bool StartsPage;  // a page break in the text puts the line on a new page
  };

  std::unique_ptr<QTextDocument> Document_;
  const QPaintDevice* Device_;
  int DpiX_;
  int DpiY_;
  double Width_;
  int Length_;
  std::vector<TLine> Lines_;
};
