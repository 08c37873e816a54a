#include "app/form_main.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/qt_color.h"
#include "platform/qt_font.h"

namespace zelvorn {
namespace {

// The layout was stored for an outer size of 576 × 638 pixels; less the Windows frame, that
// leaves this client area, which is what the window's contents are laid out in.
constexpr int kClientWidth = 568;
constexpr int kClientHeight = 604;

TFont WindowFont() {
  TFont font;
  font.Name = "宋体";
  font.Height = -16;
  font.Color = clWindowText;
  return font;
}

// The stored position is overridden: the window opens centred on the screen.
QPoint CentredPosition(QSize size) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect desktop = screen->geometry();
  return {desktop.x() + (desktop.width() - size.width()) / 2,
          desktop.y() + (desktop.height() - size.height()) / 2};
}

}  // namespace

TForm_main::TForm_main(TApplication& /*owner*/)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Zelvorn"));
  resize(kClientWidth, kClientHeight);
  move(CentredPosition(size()));

  const TFont font = WindowFont();
  setFont(ToQFont(font));
  QPalette colors = palette();
  colors.setColor(QPalette::Window, ToQColor(clBtnFace, colors));
  colors.setColor(QPalette::WindowText, ToQColor(font.Color, colors));
  setPalette(colors);
  setAutoFillBackground(true);
}

}  // namespace zelvorn
