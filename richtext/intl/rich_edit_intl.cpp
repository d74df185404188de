#include "richtext/intl/rich_edit_intl.h"

namespace {
TwwDBRichEditIntl& Table() {
  static TwwDBRichEditIntl table;
  return table;
}
}  // namespace

TwwDBRichEditIntl& RichEditIntl() {
  return Table();
}

void ResetRichEditIntl() {
  Table() = TwwDBRichEditIntl{};
}
