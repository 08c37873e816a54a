#include "app/application_core.h"

namespace zelvorn {

TFailureReport::TFailureReport(IApplicationHost& host, std::string module_name)
    : host_(host),
      module_name_(std::move(module_name)),
      previous_(SetErrorReporter([this](std::exception_ptr error) { Report(error); })) {}

TFailureReport::~TFailureReport() { SetErrorReporter(std::move(previous_)); }

void TFailureReport::Report(std::exception_ptr error) {
  host_.CancelMouseCapture();
  const TFailure failure = DescribeFailure(error);
  if (failure.is_exception) {
    host_.ShowErrorBox(ErrorBoxText(failure.message));
  } else {
    host_.ShowApplicationError(UnhandledFailureText(error, module_name_, nullptr));
  }
}

void TFailureReport::ReportStartupFailure(std::exception_ptr error, const void* address) {
  host_.ShowApplicationError(UnhandledFailureText(error, module_name_, address));
}

std::string UnhandledFailureText(std::exception_ptr error, std::string_view module_name,
                                 const void* address) {
  const TFailure failure = DescribeFailure(error);
  return RuntimeErrorText(failure.class_name, module_name, address, failure.message);
}

std::string ModuleName(std::string_view executable_path, std::string_view folder_separators) {
  return std::string(executable_path.substr(executable_path.find_last_of(folder_separators) + 1));
}

}  // namespace zelvorn
