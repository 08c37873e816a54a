#pragma once

#include <functional>
#include <string>

namespace zelvorn {

// Plays short WAV files through the multimedia system without waiting for them. A file that is
// missing, incomplete (not IsCompleteWave) or that Windows will not play gives the platform's
// default sound at once instead: a missing sound is no error. A new request cuts off a sound
// still playing.
class TWin32WavePlayer {
 public:
  // `beep` is the default sound; MessageBeep(MB_OK) when not given.
  explicit TWin32WavePlayer(std::function<void()> beep = {});

  // `path` is UTF-8.
  void PlayAsync(const std::string& path);

 private:
  std::function<void()> beep_;
};

}  // namespace zelvorn
