#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QSoundEffect;

namespace zelvorn {

// Plays short WAV files without waiting for them.
class IWavePlayer {
 public:
  virtual ~IWavePlayer() = default;
  // Starts playing the file and returns at once. A missing or unplayable file is no error: the
  // platform's default sound is heard instead.
  virtual void PlayAsync(const std::string& path) = 0;
};

// Plays through QSoundEffect, keeping one loaded effect per file so that a repeated sound starts
// without reading the file again. A new request for a sound that is still playing starts it
// over. Without an audio device the effects play silently.
class TQtWavePlayer final : public IWavePlayer {
 public:
  // `beep` is the default sound; QApplication::beep() when not given.
  explicit TQtWavePlayer(std::function<void()> beep = {});
  ~TQtWavePlayer() override;
  TQtWavePlayer(const TQtWavePlayer&) = delete;
  TQtWavePlayer& operator=(const TQtWavePlayer&) = delete;

  void PlayAsync(const std::string& path) override;

  // How many files have an effect loaded or loading.
  std::size_t CachedEffectCount() const { return effects_.size(); }

 private:
  QSoundEffect& EffectFor(const QString& path);
  void OnStatusChanged(const QString& path);

  std::function<void()> beep_;
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace zelvorn
