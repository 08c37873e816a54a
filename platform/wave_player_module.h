#pragma once

namespace zelvorn {

class IWavePlayer;

// The entry of the zelvorn_wave module: a new TQtWavePlayer with the default beep, owned by the
// caller.
using TCreateWavePlayer = IWavePlayer* (*)();
inline constexpr char kCreateWavePlayerSymbol[] = "ZelvornCreateWavePlayer";

}  // namespace zelvorn
