#pragma once

#include <QEvent>

namespace zelvorn {

// The event that tells the widget holding the mouse capture to give up whatever a press started
// (a drag, a selection, a scroll-bar track), sent when an unhandled exception is about to be
// reported. The receiver ends its press state; the sender releases the capture afterwards.
inline QEvent::Type CancelModeEventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace zelvorn
