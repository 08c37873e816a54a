#include "app/application_texts.h"

#include "platform/format.h"

namespace zelvorn {

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
