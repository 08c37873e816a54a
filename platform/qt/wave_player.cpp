#include "platform/qt/wave_player.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include "platform/wave_file.h"

namespace zelvorn {

TQtWavePlayer::TQtWavePlayer(TReportError report_error, std::function<void()> beep)
    : report_error_(report_error), beep_(std::move(beep)) {
  if (!beep_) beep_ = [] { QApplication::beep(); };
}

TQtWavePlayer::~TQtWavePlayer() = default;

void TQtWavePlayer::PlayAsync(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  if (!Playable(file)) {
    beep_();
    return;
  }
  QSoundEffect& effect = EffectFor(file.absoluteFilePath());
  // Starting over, rather than letting a playing sound run on, gives every request its own
  // sound from the beginning.
  effect.stop();
  effect.play();
}

void TQtWavePlayer::Preload(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  if (Playable(file)) EffectFor(file.absoluteFilePath());
}

// The file is read once, before its effect is made; a file that changes afterwards is not looked
// at again.
bool TQtWavePlayer::Playable(const QFileInfo& file) {
  if (!file.isFile()) return false;
  const QString path = file.absoluteFilePath();
  if (effects_.contains(path)) return true;
  if (unplayable_.contains(path)) return false;
  QFile wave(path);
  if (wave.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = wave.readAll();
    if (IsCompleteWave(std::string_view(bytes.constData(), bytes.size()))) return true;
  }
  unplayable_.insert(path);
  return false;
}

const QSoundEffect* TQtWavePlayer::CachedEffect(const std::string& path) const {
  const auto found = effects_.find(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
  return found == effects_.end() ? nullptr : found->second.get();
}

QSoundEffect& TQtWavePlayer::EffectFor(const QString& path) {
  auto found = effects_.find(path);
  if (found != effects_.end()) return *found->second;
  auto effect = std::make_unique<QSoundEffect>();
  QObject::connect(effect.get(), &QSoundEffect::statusChanged, effect.get(), [this, path] {
    try {
      OnStatusChanged(path);
    } catch (...) {
      report_error_(std::current_exception());
    }
  });
  effect->setSource(QUrl::fromLocalFile(path));
  return *effects_.emplace(path, std::move(effect)).first->second;
}

// Decoding happens after PlayAsync has returned, so an unplayable file shows up only here. A
// failed effect never plays again, and Qt keeps the failure for the file's URL, so a new effect
// for the same file would never finish loading: the file is written off.
void TQtWavePlayer::OnStatusChanged(const QString& path) {
  auto found = effects_.find(path);
  if (found == effects_.end() || found->second->status() != QSoundEffect::Error) return;
  unplayable_.insert(path);
  // The effect is the sender of the signal being handled: let Qt delete it afterwards, and cut it
  // off from this player, which may be gone by then.
  QSoundEffect* failed = found->second.release();
  failed->disconnect();
  failed->deleteLater();
  effects_.erase(found);
  beep_();
}

}  // namespace zelvorn
