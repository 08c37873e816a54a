#include "platform/wave_file.h"

#include <cstddef>
#include <cstdint>

namespace zelvorn {
namespace {

constexpr std::size_t kRiffHeaderSize = 12;  // "RIFF", the RIFF size, "WAVE"
constexpr std::size_t kChunkHeaderSize = 8;  // the chunk's name, then its size
constexpr std::size_t kMinFormatSize = 16;
constexpr std::size_t kChannelsOffset = 2;
constexpr std::size_t kFrameSizeOffset = 12;

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

}  // namespace

// The RIFF size in the header is not checked: writers often get it wrong, and the chunk sizes
// are what a decoder goes by.
bool IsCompleteWave(std::string_view file) {
  if (file.size() < kRiffHeaderSize || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE") {
    return false;
  }
  std::uint32_t frame_size = 0;  // stays 0 until a usable format chunk has been read
  std::size_t at = kRiffHeaderSize;
  while (file.size() - at >= kChunkHeaderSize) {
    const std::string_view name = file.substr(at, 4);
    const std::size_t size = ReadLittleEndian(file, at + 4, 4);
    const std::size_t body = at + kChunkHeaderSize;
    const std::size_t available = file.size() - body;
    if (name == "data") return frame_size != 0 && size >= frame_size && size <= available;
    if (name == "fmt ") {
      if (size < kMinFormatSize || size > available) return false;
      const std::uint32_t channels = ReadLittleEndian(file, body + kChannelsOffset, 2);
      frame_size = ReadLittleEndian(file, body + kFrameSizeOffset, 2);
      if (channels == 0 || frame_size == 0) return false;
    }
    // Chunks are padded to an even length.
    const std::size_t padded = size + size % 2;
    if (padded > available) return false;
    at = body + padded;
  }
  return false;
}

}  // namespace zelvorn
