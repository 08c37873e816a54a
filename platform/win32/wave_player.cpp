#include "platform/win32/wave_player.h"

#include <optional>

#include "platform/wave_file.h"
#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFile(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> bytes;
  LARGE_INTEGER size{};
  // A 32-bit process could not hold a file of 2 GB or more; no wave file is that large.
  if (GetFileSizeEx(file, &size) && size.QuadPart < 0x7FFFFFFF) {
    std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (::ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) &&
        got == read.size()) {
      bytes = std::move(read);
    }
  }
  CloseHandle(file);
  return bytes;
}

}  // namespace

TWin32WavePlayer::TWin32WavePlayer(std::function<void()> beep)
    : beep_(beep ? std::move(beep) : [] { MessageBeep(MB_OK); }) {}

void TWin32WavePlayer::PlayAsync(const std::string& path) {
  const std::wstring wide = Widen(path);
  const std::optional<std::string> bytes = ReadFile(wide);
  // Without SND_NODEFAULT Windows would play its own default sound for a file it cannot play,
  // and report success; the beep is ours to give.
  if (!bytes || !IsCompleteWave(*bytes) ||
      !PlaySoundW(wide.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT)) {
    beep_();
  }
}

}  // namespace zelvorn
