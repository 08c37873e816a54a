#pragma once

#include "platform/qt/wave_player.h"

namespace zelvorn {

// The entry of the zelvorn_wave module: a new TQtWavePlayer with the default beep, owned by the
// caller, that hands the exceptions of its callbacks to `report_error`.
using TCreateWavePlayer = IWavePlayer* (*)(TReportError report_error);
inline constexpr char kCreateWavePlayerSymbol[] = "ZelvornCreateWavePlayer";

}  // namespace zelvorn
