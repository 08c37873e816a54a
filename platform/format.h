#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace zelvorn {

// One argument of Format(): an integer, a text or a pointer. Integers remember whether they
// came from a 32-bit type, because %x and %u show a negative 32-bit value in 32 bits.
class TFormatArg {
 public:
  TFormatArg(std::int32_t value) : value_(std::int64_t{value}), is_32_bit_(true) {}
  TFormatArg(std::uint32_t value) : value_(std::int64_t{value}) {}
  TFormatArg(std::int64_t value) : value_(value) {}
  TFormatArg(const char* text) : value_(std::string_view(text)) {}
  TFormatArg(std::string_view text) : value_(text) {}
  TFormatArg(const std::string& text) : value_(std::string_view(text)) {}
  TFormatArg(const void* pointer) : value_(pointer) {}

  const std::int64_t* Integer() const { return std::get_if<std::int64_t>(&value_); }
  const std::string_view* Text() const { return std::get_if<std::string_view>(&value_); }
  const void* const* Pointer() const { return std::get_if<const void*>(&value_); }
  bool Is32Bit() const { return is_32_bit_; }

 private:
  std::variant<std::int64_t, std::string_view, const void*> value_;
  bool is_32_bit_ = false;
};

// The runtime's formatting. A directive is
//   "%" [index ":"] ["-"] [width] ["." precision] type
// with the types d (decimal), u (unsigned decimal), x (upper-case hex), s (text), p (pointer);
// "%%" is a percent sign. For d, u and x the precision is the least number of digits
// (zero-padded, a sign stands in front); for s it is the most characters shown. The width pads
// with spaces on the left, or on the right with "-". A directive that does not fit its argument,
// or a missing argument, raises EConvertError.
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);

// Strict decimal conversion: an optional sign and digits only, within 32 bits. Anything else
// raises EConvertError "'<text>' 不是一个有效的整形值".
std::int32_t StrToInt(std::string_view text);

}  // namespace zelvorn
