#pragma once
// The exception classes of the framework. Every failure is an exception that carries
// its message text; the application shows the text (see the exception guard in gui/).

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string Message) : Message_(std::move(Message)) {}
  ~Exception() override = default;

  const std::string& Message() const noexcept { return Message_; }
  void SetMessage(std::string Message) { Message_ = std::move(Message); }
  const char* what() const noexcept override { return Message_.c_str(); }

 private:
  std::string Message_;
};

// The silent abort: unwinds like any exception, but the application shows nothing.
class EAbort : public Exception {
 public:
  EAbort();
};

[[noreturn]] void Abort();

class EStreamError : public Exception {
  using Exception::Exception;
};
class EReadError : public EStreamError {
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
  using EStreamError::EStreamError;
};
// A stored layout that cannot be read; the message names the layout and the line.
class ELayoutError : public EReadError {
  using EReadError::EReadError;
};
class EResNotFound : public Exception {
  using Exception::Exception;
};
class EConvertError : public Exception {
  using Exception::Exception;
};
class EListError : public Exception {
  using Exception::Exception;
};
class EStringListError : public Exception {
  using Exception::Exception;
};
class EComponentError : public Exception {
  using Exception::Exception;
};
class EOutOfResources : public Exception {
  using Exception::Exception;
};
class EInvalidOperation : public Exception {
  using Exception::Exception;
};
class EInvalidArgument : public Exception {
  using Exception::Exception;
};
