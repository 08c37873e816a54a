#include "platform/win32/wave_player.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {
namespace {

// A file in the temporary folder, under a Chinese name, removed at the end.
class TTempFile {
 public:
  TTempFile(const std::string& name, const std::string& contents) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = Narrow(folder) + name;
    FILE* file = _wfopen(Widen(path_).c_str(), L"wb");
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::fclose(file);
  }
  ~TTempFile() { DeleteFileW(Widen(path_).c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(Win32WavePlayerTest, AMissingOrCutShortFileBeepsAtOnce) {
  // The header of a wave file whose format chunk is cut off.
  const TTempFile cut_short("声音_cut.wav", std::string("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0", 20));
  const TTempFile empty("声音_empty.wav", "");
  for (const std::string& path :
       {std::string("C:\\no\\such\\声音.wav"), cut_short.Path(), empty.Path()}) {
    int beeps = 0;
    TWin32WavePlayer player([&] { ++beeps; });
    player.PlayAsync(path);
    EXPECT_EQ(beeps, 1) << path;
  }
}

}  // namespace
}  // namespace zelvorn
