#pragma once
// Where the text goes on a printed page: the page margins, measured from the paper's edges,
// turned into a rectangle of the printable area (whose corner lies PrintingOffset inside the
// paper's). Margins that reach outside the printable area are clamped to it.

#include "gui/graphics/geometry.h"

struct TPrintGeometry {
  TSize Paper;      // the whole sheet, in twips
  TPoint Offset;    // the printable area's corner from the paper's, in twips
  TSize Printable;  // the printable area, in twips
};

// The text's rectangle in twips from the printable area's corner, for margins in twips from the
// paper's edges: each edge lies inside the printable area, right at or after left, bottom at or
// below top. A margin larger than the printable area leaves an empty rectangle.
TRect PrintTextArea(const TPrintGeometry& Page, int LeftMargin, int TopMargin, int RightMargin,
                    int BottomMargin);
