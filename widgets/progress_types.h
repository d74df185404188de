#pragma once
// Value types of the progress bar and the frame drawing it shares with its family.

#include <cstdint>
#include <functional>

#include "core/types.h"

class TObject;

// The two looks: one solid fill with the percentage written across it, or a row (column)
// of separate blocks.
enum TBarStyle : uint8_t { bsTraditional, bsLED };
BREVANT_ENUM_NAMES(TBarStyle, "bsTraditional", "bsLED");

enum TOrientation : uint8_t { orHorizontal, orVertical };
BREVANT_ENUM_NAMES(TOrientation, "orHorizontal", "orVertical");

enum TFrameStyle : uint8_t {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup
};
BREVANT_ENUM_NAMES(TFrameStyle, "fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown",
                   "fsRaised", "fsButtonUp", "fsStatus", "fsPopup");

// The sides of a rectangle a frame is drawn on.
enum TSide : uint8_t { sdLeft, sdTop, sdRight, sdBottom };
BREVANT_ENUM_NAMES(TSide, "sdLeft", "sdTop", "sdRight", "sdBottom");
using TSides = TSet<TSide>;
inline constexpr TSides sdAllSides{sdLeft, sdTop, sdRight, sdBottom};

// Requested number of blocks, 1 to 100 by intent; the writer keeps any byte.
using TSegmentRange = uint8_t;
// 0 to 2147483647.
using TUnsignedLongint = uint32_t;
inline constexpr int64_t kMaxUnsignedLongint = 2147483647;
// 1 to 2147483647 and 0 to 2147483647.
using TBevelWidth = int32_t;
using TBorderWidth = int32_t;

using TProgressChangeEvent = std::function<void(TObject* Sender, int32_t Percent)>;
