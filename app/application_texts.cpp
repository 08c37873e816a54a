#include "app/application_texts.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <typeinfo>

#include "platform/exceptions.h"
#include "platform/format.h"

namespace zelvorn {
namespace {

std::string Demangle(const char* name) {
  int status = 0;
  char* readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
  std::string result = status == 0 && readable != nullptr ? readable : name;
  std::free(readable);
  return result;
}

}  // namespace

TFailure DescribeFailure(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return {e.ClassName(), e.Message()};
  } catch (const std::exception& e) {
    return {Demangle(typeid(e).name()), e.what()};
  } catch (...) {
    const std::type_info* type = abi::__cxa_current_exception_type();
    return {type != nullptr ? Demangle(type->name()) : "?", "", false};
  }
}

std::string ApplicationTitle(std::string_view executable_path, TLowerCase lower) {
  std::string_view name = executable_path.substr(executable_path.find_last_of("/\\") + 1);
  name = name.substr(0, name.find('.'));
  if (name.empty()) return {};
  // The first character stays whole: UTF-8's continuation bytes are 10xxxxxx.
  std::size_t first_length = 1;
  while (first_length < name.size() && (name[first_length] & 0xC0) == 0x80) ++first_length;
  return std::string(name.substr(0, first_length)) + lower(name.substr(first_length));
}

// Compared byte-wise, the last byte of a multi-byte UTF-8 character is always above ".", just as
// a double-byte character's first byte is in the code page the rule was made for.
std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

std::string RuntimeErrorText(std::string_view class_name, std::string_view module_name,
                             const void* address, std::string_view message) {
  const bool needs_period = !message.empty() && message.back() != '.';
  return Format("异常 %s 发生在模块 %s 中的 %p 位置.\n%s%s",
                {class_name, module_name, address, message, needs_period ? "." : ""});
}

}  // namespace zelvorn
