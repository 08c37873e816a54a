#include "app/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "app/qt/form_controls.h"
#include "app/qt/form_main.h"
#include "controls/grid/qt/grid_accessible.h"
#include "controls/timebox/qt/vos_time_box.h"

namespace zelvorn {
namespace {

// A label as Qt shows it, except that one given a name of its own keeps its text readable as its
// value: the progress number is "进度", 12, rather than only "进度".
class TLabelAccessible final : public QAccessibleWidget {
 public:
  explicit TLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text type) const override {
    const QString name = widget()->accessibleName();
    switch (type) {
      case QAccessible::Name:
        return name.isEmpty() ? Label().text() : name;
      case QAccessible::Value:
        return name.isEmpty() ? QString() : Label().text();
      default:
        return QAccessibleWidget::text(type);
    }
  }

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
};

QAccessibleInterface* LabelAccessibleFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(QLabel::staticMetaObject.className())) return nullptr;
  return new TLabelAccessible(static_cast<QLabel*>(object));
}

}  // namespace

void InstallAccessibility() {
  InstallGridAccessibility();
  QAccessible::installFactory(&LabelAccessibleFactory);
}

void NameForAssistiveTools(TForm_main& form) {
  form.Label2->setAccessibleName(QStringLiteral("进度"));
  form.VosTimeBox1->setAccessibleName(QStringLiteral("用时"));
  form.Label1->setBuddy(form.ComboBox1);
}

}  // namespace zelvorn
