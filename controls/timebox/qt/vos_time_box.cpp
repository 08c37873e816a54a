#include "controls/timebox/qt/vos_time_box.h"

#include <QFocusEvent>
#include <QPalette>

#include "platform/error_boundary.h"
#include "platform/qt/color.h"
#include "platform/qt/font.h"

namespace zelvorn {

TVosTimeBox::TVosTimeBox(QWidget* owner)
    : QLineEdit(owner), clock_([this](const std::string& text) { SetText(text); }) {
  SetLook(DefaultTimeBoxLook());
}

// The clock, a member, stops its timer before the edit control goes.
TVosTimeBox::~TVosTimeBox() = default;

std::string TVosTimeBox::Text() const { return text().toStdString(); }

void TVosTimeBox::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

void TVosTimeBox::SetLook(const TTimeBoxLook& look) {
  look_ = look;
  setEnabled(look.Enabled);
  setReadOnly(look.ReadOnly);
  SetText(look.Text);
  setFont(ToQFont(look.Font));
  ApplyColors();
}

// Qt greys a disabled edit; this box keeps its colours in every state, which is the point of a
// disabled display.
void TVosTimeBox::ApplyColors() {
  QPalette colors = palette();
  const QColor background = ToQColor(look_.Color, colors);
  const QColor text = ToQColor(look_.Font.Color, colors);
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
    if (!look_.AutoSelect && !had_selection) deselect();
  });
}

}  // namespace zelvorn
