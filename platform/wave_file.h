#pragma once

#include <string_view>

namespace zelvorn {

// Whether `file` is a RIFF/WAVE file with its whole structure present: a format chunk with at
// least one channel and a non-zero frame size, then a data chunk that holds at least one whole
// frame and ends within the file. An empty, header-only or cut-short file fails; whether the
// audio stack can decode the codec named in the format chunk is not checked.
bool IsCompleteWave(std::string_view file);

}  // namespace zelvorn
