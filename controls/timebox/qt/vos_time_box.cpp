#include "controls/timebox/qt/vos_time_box.h"

#include <QFocusEvent>
#include <QPalette>

#include "platform/error_boundary.h"
#include "platform/qt/color.h"
#include "platform/qt/font.h"

namespace zelvorn {

TVosTimeBox::TVosTimeBox(QWidget* owner)
    : QLineEdit(owner), clock_([this](const std::string& text) { SetText(text); }) {
  SetText(TTimeBoxClock::kZeroTime);
  SetColor(clBlack);
  TFont font;
  font.Color = clWhite;
  font.Name = "黑体";
  font.SetSize(12);
  SetFont(font);
  setReadOnly(true);
  setEnabled(false);
  SetAutoSelect(false);
}

// The clock, a member, stops its timer before the edit control goes.
TVosTimeBox::~TVosTimeBox() = default;

std::string TVosTimeBox::Text() const { return text().toStdString(); }

void TVosTimeBox::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

void TVosTimeBox::SetColor(TColor color) {
  color_ = color;
  ApplyColors();
}

void TVosTimeBox::SetFont(const TFont& font) {
  font_ = font;
  setFont(ToQFont(font));
  ApplyColors();
}

void TVosTimeBox::SetAutoSelect(bool auto_select) { auto_select_ = auto_select; }

// Qt greys a disabled edit; this box keeps its colours in every state, which is the point of a
// disabled display.
void TVosTimeBox::ApplyColors() {
  QPalette colors = palette();
  const QColor background = ToQColor(color_, colors);
  const QColor text = ToQColor(font_.Color, colors);
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colors.setColor(group, QPalette::Base, background);
    colors.setColor(group, QPalette::Text, text);
  }
  setPalette(colors);
}

// QLineEdit selects everything whenever it is entered with the keyboard; without AutoSelect the
// text must stay unselected.
void TVosTimeBox::focusInEvent(QFocusEvent* event) {
  Guarded([this, event] {
    const bool had_selection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    if (!auto_select_ && !had_selection) deselect();
  });
}

}  // namespace zelvorn
