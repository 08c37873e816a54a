#include "controls/timebox/time_box_look.h"

#include "controls/timebox/time_box_clock.h"

namespace zelvorn {

TTimeBoxLook DefaultTimeBoxLook() {
  TTimeBoxLook look{false, clBlack, false, true, TTimeBoxClock::kZeroTime, {}};
  look.Font.Name = "黑体";
  look.Font.Color = clWhite;
  look.Font.SetSize(12);
  return look;
}

}  // namespace zelvorn
