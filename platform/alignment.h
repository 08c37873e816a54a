#pragma once

namespace zelvorn {

// Horizontal and vertical text alignment, as alignment events answer them.
enum class TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum class TVAlignment { vtaTop = 0, vtaCenter = 1, vtaBottom = 2 };

}  // namespace zelvorn
