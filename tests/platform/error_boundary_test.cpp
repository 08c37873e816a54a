#include "platform/error_boundary.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zelvorn {
namespace {

std::string MessageOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  }
}

// Installs a reporter for one test and puts the one before it back.
class ErrorBoundaryTest : public ::testing::Test {
 protected:
  void Install(TErrorReporter reporter) { previous_ = SetErrorReporter(std::move(reporter)); }
  void TearDown() override { SetErrorReporter(std::move(previous_)); }

 private:
  TErrorReporter previous_;
};

// A failure during a report (a handler run by the report failing again) waits for the report in
// progress, and one during that waits in its turn; a reporter that fails itself does not stop
// the rest.
TEST_F(ErrorBoundaryTest, FailuresDuringAReportAreReportedAfterItInOrder) {
  std::vector<std::string> reported;
  Install([&](std::exception_ptr error) {
    const std::string message = MessageOf(error);
    reported.push_back(message + " begins");
    if (message == "first") {
      Guarded([] { throw std::runtime_error("second"); });
      Guarded([] { throw std::runtime_error("third"); });
    } else if (message == "second") {
      Guarded([] { throw std::runtime_error("fourth"); });
      throw std::logic_error("the report itself failed");
    }
    reported.push_back(message + " ends");
  });
  Guarded([] { throw std::runtime_error("first"); });
  EXPECT_EQ(reported,
            (std::vector<std::string>{"first begins", "first ends", "second begins", "third begins",
                                      "third ends", "fourth begins", "fourth ends"}));

  reported.clear();
  Guarded([] { throw std::runtime_error("later"); });  // the queue is ready for the next one
  EXPECT_EQ(reported, (std::vector<std::string>{"later begins", "later ends"}));
}

}  // namespace
}  // namespace zelvorn
