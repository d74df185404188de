#include "richtext/dialogs/units_entry.h"

#include <cstdlib>

#include "richtext/controls/ww_custom_rich_edit.h"

std::optional<int> EnteredTwips(const TwwCustomRichEdit& Control, const std::string& Text) {
  if (Text.find_first_not_of(" 'cmCM") == std::string::npos) return 0;
  double value = 0;
  if (!ParseUnitsText(Text, value)) return std::nullopt;
  const int twips = MarginValueToTwips(value, Control.MeasurementUnits());
  if (std::abs(twips) > kMaxDialogTwips) return std::nullopt;
  return twips;
}
