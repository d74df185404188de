#pragma once
// The exception of the data layer and the one way it is raised.

#include <string>
#include <string_view>
#include <vector>

#include "core/exceptions.h"
#include "core/format.h"

class TComponent;

class EDatabaseError : public Exception {
 public:
  using Exception::Exception;
};

// Raises EDatabaseError. When Component is given and has a name, the message reads
// "<name>: <Message>"; otherwise it is Message alone.
[[noreturn]] void RaiseDataError(const std::string& Message, const TComponent* Component);
// Formats Fmt with Args first (see Format), then raises as RaiseDataError does.
[[noreturn]] void RaiseDataErrorFmt(std::string_view Fmt, const std::vector<TFormatArg>& Args,
                                    const TComponent* Component);
