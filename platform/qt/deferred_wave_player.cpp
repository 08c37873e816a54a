#include "platform/qt/deferred_wave_player.h"

#include <QApplication>

#include "platform/error_boundary.h"
#include "platform/qt/wave_player_module.h"

namespace zelvorn {
namespace {

// Stands in for the module when it is missing: every sound is the default one.
class TBeepingPlayer final : public IWavePlayer {
 public:
  explicit TBeepingPlayer(std::function<void()> beep) : beep_(std::move(beep)) {}
  void PlayAsync(const std::string&) override { beep_(); }
  void Preload(const std::string&) override {}

 private:
  std::function<void()> beep_;
};

}  // namespace

TDeferredWavePlayer::TDeferredWavePlayer(QString module_path, std::function<void()> beep)
    : beep_(std::move(beep)), library_(module_path) {
  if (!beep_) beep_ = [] { QApplication::beep(); };
}

TDeferredWavePlayer::~TDeferredWavePlayer() = default;

void TDeferredWavePlayer::PlayAsync(const std::string& path) { Player().PlayAsync(path); }
void TDeferredWavePlayer::Preload(const std::string& path) { Player().Preload(path); }

IWavePlayer& TDeferredWavePlayer::Player() {
  if (player_ != nullptr) return *player_;
  const auto create =
      reinterpret_cast<TCreateWavePlayer>(library_.resolve(kCreateWavePlayerSymbol));
  if (create != nullptr) {
    player_.reset(create(&ReportError));
  } else {
    qWarning("Zelvorn plays no sounds of its own: %s", qPrintable(library_.errorString()));
    player_ = std::make_unique<TBeepingPlayer>(beep_);
    beeps_only_ = true;
  }
  return *player_;
}

}  // namespace zelvorn
