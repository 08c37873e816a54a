#include "app/application_texts.h"

#include "platform/format.h"

namespace zelvorn {

QString ApplicationTitle(const QString& executable_path) {
  QString name = executable_path.mid(executable_path.lastIndexOf(u'/') + 1);
  name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
  if (name.isEmpty()) return name;
  // A character outside the basic plane takes two UTF-16 units; neither may be lowered apart.
  const qsizetype first_length = name.front().isHighSurrogate() ? 2 : 1;
  return name.left(first_length) + name.mid(first_length).toLower();
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
