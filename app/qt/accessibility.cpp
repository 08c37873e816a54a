#include "app/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "app/form_main_layout.h"
#include "app/qt/form_controls.h"
#include "app/qt/form_main.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "controls/grid/qt/grid_accessible.h"
#include "controls/timebox/qt/vos_time_box.h"

namespace zelvorn {
namespace {

// The main window's grid when `label` is that window's progress number, else nullptr.
const TCellGridWidget* GridCountedBy(const QWidget& label) {
  const auto* form = dynamic_cast<const TForm_main*>(label.window());
  return form != nullptr && form->Label2 == &label ? form->CellGrid1 : nullptr;
}

// A label as Qt shows it, except for the main window's progress number, which is a progress bar:
// its value is the number shown, out of the cells on the board. Screen readers speak a label by
// its name alone and announce a value that changes only for a progress bar.
class TLabelAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit TLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QAccessible::Role role() const override {
    return Counted() != nullptr ? QAccessible::ProgressBar : QAccessible::StaticText;
  }

  QString text(QAccessible::Text type) const override {
    switch (type) {
      case QAccessible::Name: {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? Label().text() : name;
      }
      case QAccessible::Value:
        return Counted() != nullptr ? Label().text() : QString();
      default:
        return QAccessibleWidget::text(type);
    }
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface && Counted() != nullptr) {
      return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QVariant currentValue() const override { return Label().text().toInt(); }
  // The number belongs to the training: assistive tools read it but do not set it.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override {
    const TCellGridWidget* grid = Counted();
    return grid != nullptr ? grid->Grid().RowCount() * grid->Grid().ColCount() : 0;
  }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }

  QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto relations = QAccessibleWidget::relations(match);
    if (match.testFlag(QAccessible::Labelled) && Label().buddy() != nullptr) {
      relations.append(
          {QAccessible::queryAccessibleInterface(Label().buddy()), QAccessible::Labelled});
    }
    return relations;
  }

 private:
  const QLabel& Label() const { return *static_cast<const QLabel*>(widget()); }
  const TCellGridWidget* Counted() const { return GridCountedBy(*widget()); }
};

QAccessibleInterface* LabelAccessibleFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(QLabel::staticMetaObject.className())) return nullptr;
  return new TLabelAccessible(static_cast<QLabel*>(object));
}

// Screen readers find an application's windows as its frames, and take a frame inside one for a
// window of its own: the main window is a window, its strip a pane.
QAccessibleInterface* WindowAccessibleFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(QWidget::staticMetaObject.className())) {
    if (auto* form = dynamic_cast<TForm_main*>(object)) {
      return new QAccessibleWidget(form, QAccessible::Window);
    }
  } else if (class_name == QLatin1String(QFrame::staticMetaObject.className())) {
    if (auto* panel = dynamic_cast<TPanel*>(object)) {
      return new QAccessibleWidget(panel, QAccessible::Pane);
    }
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  InstallGridAccessibility();
  QAccessible::installFactory(&LabelAccessibleFactory);
  QAccessible::installFactory(&WindowAccessibleFactory);
}

void NameForAssistiveTools(TForm_main& form) {
  const TFormMainLayout& layout = FormMainLayout();
  form.Label2->setAccessibleName(QString::fromStdString(layout.Label2.AccessibleName));
  form.VosTimeBox1->setAccessibleName(QString::fromStdString(layout.VosTimeBox1.AccessibleName));
  form.CellGrid1->setAccessibleName(QString::fromStdString(layout.CellGrid1.AccessibleName));
  form.Label1->setBuddy(form.ComboBox1);
}

}  // namespace zelvorn
