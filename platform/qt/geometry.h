#pragma once

#include <QPoint>
#include <QRect>

#include "platform/geometry.h"

namespace zelvorn {

// TRect's Right and Bottom are exclusive, QRect's right() and bottom() inclusive: convert
// through the size, never through right()/bottom().
inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) {
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}
inline QPoint ToQPoint(TPoint p) { return QPoint(p.X, p.Y); }
inline TPoint FromQPoint(QPoint p) { return {p.x(), p.y()}; }

}  // namespace zelvorn
