#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <set>
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
  // Gets ready to play the file later without delay; nothing happens for a missing file.
  virtual void Preload(const std::string& path) = 0;
};

// Plays through QSoundEffect, keeping one loaded effect per file so that a repeated sound starts
// without reading the file again. A new request for a sound that is still playing starts it
// over. A file found unplayable stays so for the life of the player: later requests beep at
// once. Without an audio device the effects play silently.
class TQtWavePlayer final : public IWavePlayer {
 public:
  // `beep` is the default sound; QApplication::beep() when not given.
  explicit TQtWavePlayer(std::function<void()> beep = {});
  ~TQtWavePlayer() override;
  TQtWavePlayer(const TQtWavePlayer&) = delete;
  TQtWavePlayer& operator=(const TQtWavePlayer&) = delete;

  void PlayAsync(const std::string& path) override;
  void Preload(const std::string& path) override;

  // The effect kept for the file, or null when there is none (never requested, or unplayable).
  const QSoundEffect* CachedEffect(const std::string& path) const;

 private:
  QSoundEffect& EffectFor(const QString& path);
  void OnStatusChanged(const QString& path);

  std::function<void()> beep_;
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
  std::set<QString> unplayable_;
};

}  // namespace zelvorn
