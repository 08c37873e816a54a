#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>
#include <string>

#include "app/application_texts.h"
#include "platform/exceptions.h"

namespace zelvorn {
namespace {

template <class TThrown>
TFailure Describe(TThrown thrown) {
  return DescribeFailure(std::make_exception_ptr(thrown));
}

// The error boxes name what was thrown by its class: our exceptions by their own name, other
// standard exceptions by their readable type, and anything else as no exception at all.
TEST(DescribeFailureTest, NamesWhatWasThrownAndItsMessage) {
  struct TCase {
    TFailure failure;
    const char* class_name;
    const char* message;
    bool is_exception;
  };
  const TCase cases[] = {
      {Describe(EConvertError("'x' 不是一个有效的整形值")), "EConvertError",
       "'x' 不是一个有效的整形值", true},
      {Describe(std::runtime_error("disk full")), "std::runtime_error", "disk full", true},
      {Describe(42), "int", "", false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(c.failure.class_name, c.class_name);
    EXPECT_EQ(c.failure.message, c.message);
    EXPECT_EQ(c.failure.is_exception, c.is_exception);
  }
}

}  // namespace
}  // namespace zelvorn
