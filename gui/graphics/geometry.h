#pragma once
// Integer points and rectangles. A rectangle includes its left and top edges and excludes
// its right and bottom edges, so Width = Right - Left.

#include <algorithm>

struct TPoint {
  int X = 0;
  int Y = 0;
  constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
  constexpr TRect Offset(int DX, int DY) const { return {Left + DX, Top + DY, Right + DX, Bottom + DY}; }
  constexpr TRect Inflate(int DX, int DY) const { return {Left - DX, Top - DY, Right + DX, Bottom + DY}; }
  constexpr TRect Intersect(const TRect& O) const {
    return {std::max(Left, O.Left), std::max(Top, O.Top), std::min(Right, O.Right),
            std::min(Bottom, O.Bottom)};
  }
  constexpr bool Intersects(const TRect& O) const { return !Intersect(O).IsEmpty(); }
  constexpr bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int X, int Y) {
  return {X, Y};
}
constexpr TRect Rect(int Left, int Top, int Right, int Bottom) {
  return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(int Left, int Top, int Width, int Height) {
  return {Left, Top, Left + Width, Top + Height};
}
