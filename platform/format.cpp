#include "platform/format.h"

#include <charconv>
#include <vector>

#include "platform/exceptions.h"
#include "platform/messages.h"

namespace zelvorn {
namespace {

struct TDirective {
  int index = -1;  // -1: the next argument
  bool left_justify = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

[[noreturn]] void FailFormat(std::string_view format) {
  // Built by hand: the error message must not go through the formatter that just failed.
  std::string message = messages::kInvalidFormat;
  message.replace(message.find("%s"), 2, format);
  throw EConvertError(message);
}

// Reads digits or "*" (taken from the next argument) at position i; -1 when there are none.
int ReadNumber(std::string_view format, std::size_t& i, const std::vector<TFormatArg>& args,
               std::size_t& next_arg) {
  if (i < format.size() && format[i] == '*') {
    ++i;
    if (next_arg >= args.size() || args[next_arg].Integer() == nullptr) FailFormat(format);
    return static_cast<int>(*args[next_arg++].Integer());
  }
  int value = -1;
  while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
    value = (value < 0 ? 0 : value) * 10 + (format[i] - '0');
    if (value > 1'000'000) FailFormat(format);
    ++i;
  }
  return value;
}

std::string Digits(std::uint64_t value, int base) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, base);
  std::string digits(buffer, result.ptr);
  for (char& c : digits) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return digits;
}

std::string ZeroPad(std::string digits, int precision) {
  if (precision > static_cast<int>(digits.size())) {
    digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
  }
  return digits;
}

// Cuts a UTF-8 text to at most max_bytes without splitting a character.
std::string_view CutText(std::string_view text, int max_bytes) {
  if (max_bytes < 0 || static_cast<std::size_t>(max_bytes) >= text.size()) return text;
  std::size_t end = static_cast<std::size_t>(max_bytes);
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string Convert(std::string_view format, const TDirective& d, const TFormatArg& arg) {
  const std::int64_t* integer = arg.Integer();
  switch (d.type) {
    case 'd': {
      if (integer == nullptr) FailFormat(format);
      const bool negative = *integer < 0;
      const std::uint64_t magnitude =
          negative ? 0 - static_cast<std::uint64_t>(*integer) : static_cast<std::uint64_t>(*integer);
      return (negative ? "-" : "") + ZeroPad(Digits(magnitude, 10), d.precision);
    }
    case 'u':
    case 'x': {
      if (integer == nullptr) FailFormat(format);
      std::uint64_t value = static_cast<std::uint64_t>(*integer);
      if (arg.Is32Bit()) value = static_cast<std::uint32_t>(*integer);
      return ZeroPad(Digits(value, d.type == 'x' ? 16 : 10), d.precision);
    }
    case 's': {
      if (arg.Text() == nullptr) FailFormat(format);
      return std::string(CutText(*arg.Text(), d.precision));
    }
    case 'p': {
      if (arg.Pointer() == nullptr) FailFormat(format);
      return ZeroPad(Digits(reinterpret_cast<std::uintptr_t>(*arg.Pointer()), 16),
                     static_cast<int>(sizeof(void*) * 2));
    }
    default:
      FailFormat(format);
  }
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> arg_list) {
  const std::vector<TFormatArg> args(arg_list);
  std::string out;
  std::size_t next_arg = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (++i >= format.size()) FailFormat(format);
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    TDirective d;
    int number = ReadNumber(format, i, args, next_arg);
    if (i < format.size() && format[i] == ':') {  // the number was an argument index
      if (number < 0) FailFormat(format);
      next_arg = static_cast<std::size_t>(number);
      ++i;
      number = -1;
    }
    if (number < 0 && i < format.size() && format[i] == '-') {
      d.left_justify = true;
      ++i;
    }
    d.width = number >= 0 ? number : ReadNumber(format, i, args, next_arg);
    if (i < format.size() && format[i] == '.') {
      ++i;
      d.precision = ReadNumber(format, i, args, next_arg);
    }
    if (i >= format.size() || next_arg >= args.size()) FailFormat(format);
    d.type = static_cast<char>(format[i] | 0x20);  // types are case-insensitive
    std::string field = Convert(format, d, args[next_arg++]);
    if (d.width > static_cast<int>(field.size())) {
      const std::string padding(static_cast<std::size_t>(d.width) - field.size(), ' ');
      field = d.left_justify ? field + padding : padding + field;
    }
    out += field;
  }
  return out;
}

std::int32_t StrToInt(std::string_view text) {
  std::string_view digits = text;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '+' || negative)) digits.remove_prefix(1);
  std::uint32_t magnitude = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, magnitude, 10);
  const std::uint32_t limit = negative ? 0x8000'0000u : 0x7FFF'FFFFu;
  if (error != std::errc() || stop != end || magnitude > limit) {
    throw EConvertError(Format(messages::kInvalidInteger, {text}));
  }
  return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

}  // namespace zelvorn
