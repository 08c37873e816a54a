#include "app/qt/training_ports.h"

#include "app/qt/form_controls.h"
#include "controls/timebox/qt/vos_time_box.h"
#include "platform/timer.h"

namespace zelvorn {

void TTimeBoxPort::SetText(const std::string& text) { box_.SetText(text); }
void TLabelPort::SetText(const std::string& text) { label_.SetCaption(text); }
std::int32_t TComboBoxPort::ItemIndex() const { return box_.ItemIndex(); }
std::int32_t TButtonPort::Tag() const { return button_.Tag(); }
void TButtonPort::SetTag(std::int32_t tag) { button_.SetTag(tag); }
void TButtonPort::SetCaption(const std::string& caption) { button_.SetCaption(caption); }
void TTimerPort::SetEnabled(bool enabled) { timer_.SetEnabled(enabled); }

}  // namespace zelvorn
