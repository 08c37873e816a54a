// The zelvorn_wave module: the WAV player and, through it, the whole audio stack, loaded by
// TDeferredWavePlayer only when a sound is first needed.
#include "platform/qt/wave_player_module.h"

#include <QtGlobal>
#include <type_traits>

#include "platform/qt/wave_player.h"

extern "C" Q_DECL_EXPORT zelvorn::IWavePlayer* ZelvornCreateWavePlayer(
    zelvorn::TReportError report_error) {
  return new zelvorn::TQtWavePlayer(report_error);
}
static_assert(std::is_same_v<decltype(&ZelvornCreateWavePlayer), zelvorn::TCreateWavePlayer>);
