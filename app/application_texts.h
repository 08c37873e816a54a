#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace zelvorn {

// The captions of the information box and of the runtime's own report.
inline constexpr char kInfoCaption[] = "提示";
inline constexpr char kApplicationErrorCaption[] = "应用程序错误";

// Lower-cases a UTF-8 text by the platform's rules, which know every script.
using TLowerCase = std::string (*)(std::string_view text);

// The application's title, from the path of its executable: the file name without its
// directory (after the last "/" or "\\"), cut at its first ".", with every character after the
// first in lower case by `lower` (the first keeps its case). "/opt/TRAINER.EXE" gives "Trainer",
// "my.table.exe" gives "my"; with no dot at all, the whole name is used. Texts are UTF-8.
std::string ApplicationTitle(std::string_view executable_path, TLowerCase lower);

// An error message as the error box shows it: a "." is appended unless the message is empty or
// its last byte sorts at or below "." (so "!" and "." stay as they are, while a letter or a
// Chinese character gets one).
std::string ErrorBoxText(std::string_view message);

// The runtime's report of a failure that nothing handled, on two lines:
//   异常 <class> 发生在模块 <module> 中的 <address> 位置.
//   <message>.
// with the "." after the message only when it is not empty and does not end in one already.
std::string RuntimeErrorText(std::string_view class_name, std::string_view module_name,
                             const void* address, std::string_view message);

// What the error boxes say of a thrown object: its class name and message.
struct TFailure {
  std::string class_name;
  std::string message;
  bool is_exception = true;  // false: something thrown that is no exception class instance
};

// Describes a thrown object, whatever its type; never throws for one.
TFailure DescribeFailure(std::exception_ptr error);

}  // namespace zelvorn
