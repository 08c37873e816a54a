#include "app/qt/form_controls.h"

#include <QAccessible>
#include <QCompleter>
#include <QFontMetrics>
#include <QPainter>

#include "platform/error_boundary.h"
#include "platform/qt/color.h"
#include "platform/qt/font.h"

namespace zelvorn {

TPanel::TPanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
}

TLabel::TLabel(QWidget* parent) : QLabel(parent) {}

void TLabel::SetCaption(const std::string& caption) {
  setText(QString::fromStdString(caption));
  FitToText();
  ReportNewValue();
}

// Qt tells assistive tools of a label's new text only as a new name, which a label that has a
// name of its own keeps.
void TLabel::ReportNewValue() {
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* described = QAccessible::queryAccessibleInterface(this);
  if (described == nullptr || described->valueInterface() == nullptr) return;
  QAccessibleValueChangeEvent event(this, described->valueInterface()->currentValue());
  QAccessible::updateAccessibility(&event);
}

std::string TLabel::Caption() const { return text().toStdString(); }

void TLabel::SetFont(const TFont& font) {
  setFont(ToQFont(font));
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, ToQColor(font.Color, colors));
  setPalette(colors);
  FitToText();
}

void TLabel::FitToText() { resize(sizeHint()); }

QSize TLabel::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return {metrics.horizontalAdvance(text()), font().pixelSize()};
}

// The character cell (the em box) is centred on the font's taller line box, so the text sits
// where a font whose line is exactly one character high would put it.
void TLabel::paintEvent(QPaintEvent*) {
  Guarded([this] {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    const int baseline = (font().pixelSize() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(0, baseline, text());
  });
}

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  // Typing picks an item; it never adds one.
  setInsertPolicy(QComboBox::NoInsert);
  completer()->setCompletionMode(QCompleter::InlineCompletion);
}

void TComboBox::AddItem(const std::string& text) { addItem(QString::fromStdString(text)); }

// Qt keeps the last chosen index while the text is edited; what the box shows is what counts.
std::int32_t TComboBox::ItemIndex() const {
  return findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TComboBox::SetItemIndex(std::int32_t index) { setCurrentIndex(index); }

void TComboBox::SetText(const std::string& text) { setEditText(QString::fromStdString(text)); }

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  connect(this, &QPushButton::clicked, this, [this] {
    Guarded([this] {
      if (OnClick) OnClick();
    });
  });
}

void TButton::SetCaption(const std::string& caption) { setText(QString::fromStdString(caption)); }

}  // namespace zelvorn
