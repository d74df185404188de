#pragma once
// Rounding as the framework defines it: Round goes to the nearest integer with halves
// to the even neighbour; Trunc goes toward zero.

#include <cmath>
#include <cstdint>

inline int64_t Round(double Value) {
  const double floor = std::floor(Value);
  const double diff = Value - floor;
  double result;
  if (diff < 0.5) {
    result = floor;
  } else if (diff > 0.5) {
    result = floor + 1.0;
  } else {
    result = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
  }
  return static_cast<int64_t>(result);
}

inline int64_t Trunc(double Value) {
  return static_cast<int64_t>(std::trunc(Value));
}
