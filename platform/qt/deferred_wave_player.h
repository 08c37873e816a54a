#pragma once

#include <QLibrary>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/qt/wave_player.h"

namespace zelvorn {

// Plays through a TQtWavePlayer that lives in a module of its own (zelvorn_wave), loaded the
// first time a sound is asked for or prepared. The audio stack is large and only a wrong click
// needs it, so the program starts without it. When the module cannot be loaded, every request
// gives the default sound instead: a missing sound is never an error.
class TDeferredWavePlayer final : public IWavePlayer {
 public:
  // `module_path`: the module's file name, with or without the platform's prefix and suffix.
  // `beep`: the default sound; QApplication::beep() when not given.
  explicit TDeferredWavePlayer(QString module_path, std::function<void()> beep = {});
  ~TDeferredWavePlayer() override;
  TDeferredWavePlayer(const TDeferredWavePlayer&) = delete;
  TDeferredWavePlayer& operator=(const TDeferredWavePlayer&) = delete;

  void PlayAsync(const std::string& path) override;
  void Preload(const std::string& path) override;

  // Whether the module has been tried and found (false before the first request).
  bool Loaded() const { return player_ != nullptr && !beeps_only_; }

 private:
  IWavePlayer& Player();

  std::function<void()> beep_;
  // Declared before the player: the player's code is in the library, so it must go first.
  QLibrary library_;
  std::unique_ptr<IWavePlayer> player_;
  bool beeps_only_ = false;
};

}  // namespace zelvorn
