#pragma once
// Pictures of windows as they look on the screen, drawn offscreen: for tools that show
// layouts without starting the program, and for tests.

#include <string>

#include "core/rtti.h"

class TCustomForm;
class TControl;

// Shows Form without putting it on the screen, draws it, and answers the PNG bytes of its
// client area, or of the part that Control covers when one is given.
TBytes SnapshotForm(TCustomForm& Form, const TControl* Control = nullptr);
