#include "data/db_error.h"

#include "core/component.h"

void RaiseDataError(const std::string& Message, const TComponent* Component) {
  if (Component != nullptr && !Component->Name().empty()) {
    throw EDatabaseError(Format("%s: %s", Component->Name(), Message));
  }
  throw EDatabaseError(Message);
}

void RaiseDataErrorFmt(std::string_view Fmt, const std::vector<TFormatArg>& Args,
                       const TComponent* Component) {
  RaiseDataError(FormatArgs(Fmt, Args), Component);
}
