#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

class QFileInfo;
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

// Where the player hands an exception raised in one of its Qt callbacks: the program's
// ReportError. The player may live in a module of its own, with its own copy of everything it
// links statically, so it is given the function rather than calling it by name.
using TReportError = void (*)(std::exception_ptr) noexcept;

// Plays through QSoundEffect, keeping one loaded effect per file so that a repeated sound starts
// without reading the file again. A new request for a sound that is still playing starts it
// over. A file is checked before Qt gets it (IsCompleteWave): Qt would keep a cut-short one
// loading for ever, in silence. A file found unplayable, by that check or by Qt's decoder, stays
// so for the life of the player: later requests beep at once. Without an audio device the
// effects play silently.
class TQtWavePlayer final : public IWavePlayer {
 public:
  // `beep` is the default sound; QApplication::beep() when not given.
  explicit TQtWavePlayer(TReportError report_error, std::function<void()> beep = {});
  ~TQtWavePlayer() override;
  TQtWavePlayer(const TQtWavePlayer&) = delete;
  TQtWavePlayer& operator=(const TQtWavePlayer&) = delete;

  void PlayAsync(const std::string& path) override;
  void Preload(const std::string& path) override;

  // The effect kept for the file, or null when there is none (never requested, or unplayable).
  const QSoundEffect* CachedEffect(const std::string& path) const;

 private:
  bool Playable(const QFileInfo& file);
  QSoundEffect& EffectFor(const QString& path);
  void OnStatusChanged(const QString& path);

  TReportError report_error_;
  std::function<void()> beep_;
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
  std::set<QString> unplayable_;
};

}  // namespace zelvorn
