#pragma once

#include <exception>
#include <string>

namespace zelvorn {

// The root of every failure the program raises on purpose. The message is UTF-8 and is what
// the application's error report shows.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }
  // The kind's name as the start-up failure report prints it.
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

#define ZELVORN_DECLARE_EXCEPTION(Name, Base)                              \
  class Name : public Base {                                               \
   public:                                                                 \
    using Base::Base;                                                      \
    const char* ClassName() const noexcept override { return #Name; }      \
  }

// A text that is not a number, a format that does not fit its arguments.
ZELVORN_DECLARE_EXCEPTION(EConvertError, Exception);
// An index outside a list.
ZELVORN_DECLARE_EXCEPTION(EListError, Exception);
// A grid operation with an index, count or size it cannot take.
ZELVORN_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);
// The platform has run out of something (timers, windows).
ZELVORN_DECLARE_EXCEPTION(EOutOfResources, Exception);
// A broken assumption about the platform, found at start-up.
ZELVORN_DECLARE_EXCEPTION(EAssertionFailed, Exception);

#undef ZELVORN_DECLARE_EXCEPTION

}  // namespace zelvorn
