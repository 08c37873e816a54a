#include "controls/grid/qt/grid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QWindow>
#include <optional>
#include <utility>
#include <vector>

#include "controls/grid/grid_accessible.h"
#include "controls/grid/grid_accessible_updates.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "platform/error_boundary.h"
#include "platform/qt/geometry.h"

namespace zelvorn {
namespace {

TGridAccessibleTable TableOf(const TCellGridWidget& widget) {
  return TGridAccessibleTable(widget.Grid());
}

QList<int> ToQList(const std::vector<std::int32_t>& values) {
  return QList<int>(values.begin(), values.end());
}

// One cell of the table. Cells are no QObjects, so the table makes these on demand and keeps
// them registered until it goes.
class TGridCellAccessible final : public QAccessibleInterface,
                                  public QAccessibleTableCellInterface {
 public:
  TGridCellAccessible(TCellGridWidget* widget, int row, int col)
      : widget_(widget), cell_{col, row} {}

  bool isValid() const override { return widget_ != nullptr && Table().Contains(cell_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return widget_ != nullptr ? widget_->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(widget_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text type) const override {
    QString text;
    if (type != QAccessible::Name || !isValid()) return text;
    // The text may come from the grid's display-text handler, which Qt's frames must not see
    // throw.
    Guarded([&] { text = QString::fromStdString(Table().Name(cell_)); });
    return text;
  }
  void setText(QAccessible::Text, const QString&) override {}
  // Where the cell shows on the screen (magnifiers follow it, flat review orders by it).
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect box = ToQRect(Table().VisibleBox(cell_));
    return box.isEmpty() ? QRect() : box.translated(widget_->viewport()->mapToGlobal(QPoint()));
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    using enum TAccessibleState;
    const TAccessibleStates states =
        widget_ != nullptr ? Table().States(cell_) : TGridAccessibleTable::kEveryCell;
    QAccessible::State state;
    state.selectable = states.Has(kSelectable);
    state.focusable = states.Has(kFocusable);
    state.offscreen = states.Has(kOffscreen);
    state.selected = states.Has(kSelected);
    state.focused = states.Has(kFocused);
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  bool isSelected() const override {
    return Table().States(cell_).Has(TAccessibleState::kSelected);
  }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return cell_.X; }
  int rowIndex() const override { return cell_.Y; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  TGridAccessibleTable Table() const { return TableOf(*widget_); }

  QPointer<TCellGridWidget> widget_;
  TCellCoord cell_;
};

// The grid as a table of its cells, which are its only children: the scroll bars and the
// viewport are the widget's means of showing the table, not part of it.
class TGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TGridAccessible(TCellGridWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Table) {}
  ~TGridAccessible() override {
    for (const QAccessible::Id id : std::as_const(cells_)) {
      QAccessible::deleteAccessibleInterface(id);
    }
  }
  TGridAccessible(const TGridAccessible&) = delete;
  TGridAccessible& operator=(const TGridAccessible&) = delete;

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  int childCount() const override { return Table().ChildCount(); }
  QAccessibleInterface* child(int index) const override {
    const std::optional<TCellCoord> cell = Table().CellOf(index);
    return cell ? cellAt(cell->Y, cell->X) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr || child->role() != QAccessible::Cell) return -1;
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell == nullptr || cell->table() != this) return -1;
    return Table().ChildOf({cell->columnIndex(), cell->rowIndex()});
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint point = Widget().viewport()->mapFromGlobal(QPoint(x, y));
    return ChildOrNone(Table().ChildAt({point.x(), point.y()}));
  }
  QAccessibleInterface* focusChild() const override { return ChildOrNone(Table().FocusedChild()); }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int col) const override {
    if (!Table().Contains({col, row})) return nullptr;
    const std::pair key(row, col);
    auto found = cells_.constFind(key);
    if (found == cells_.constEnd()) {
      found = cells_.insert(key, QAccessible::registerAccessibleInterface(
                                     new TGridCellAccessible(&Widget(), row, col)));
    }
    return QAccessible::accessibleInterface(*found);
  }
  int selectedCellCount() const override { return int(Table().SelectedChildren().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    for (const std::int32_t index : Table().SelectedChildren()) cells.append(child(index));
    return cells;
  }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return int(selectedColumns().size()); }
  int selectedRowCount() const override { return int(selectedRows().size()); }
  int columnCount() const override { return Grid().ColCount(); }
  int rowCount() const override { return Grid().RowCount(); }
  QList<int> selectedColumns() const override { return ToQList(Table().SelectedColumns()); }
  QList<int> selectedRows() const override { return ToQList(Table().SelectedRows()); }
  bool isColumnSelected(int col) const override { return Table().ColumnSelected(col); }
  bool isRowSelected(int row) const override { return Table().RowSelected(row); }
  // Assistive tools read the selection but do not change it.
  bool selectColumn(int) override { return false; }
  bool selectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  TCellGridWidget& Widget() const { return *static_cast<TCellGridWidget*>(widget()); }
  const TCellGrid& Grid() const { return Widget().Grid(); }
  TGridAccessibleTable Table() const { return TableOf(Widget()); }
  // A child by its index; none for the table itself (-1) or no child at all.
  QAccessibleInterface* ChildOrNone(std::optional<std::int32_t> index) const {
    return index ? child(*index) : nullptr;
  }

  mutable QHash<std::pair<int, int>, QAccessible::Id> cells_;
};

// The event Qt raises for each of the grid's updates, but for a changed table, which is an event
// of its own kind.
QAccessible::Event QtEventOf(TGridAccessibleEvent type) {
  switch (type) {
    case TGridAccessibleEvent::kNameChanged:
      return QAccessible::NameChanged;
    case TGridAccessibleEvent::kSelection:
      return QAccessible::Selection;
    case TGridAccessibleEvent::kSelectionWithin:
      return QAccessible::SelectionWithin;
    default:
      return QAccessible::Focus;
  }
}

// Tells assistive tools, while any are listening, what changed in the grid. It exists from the
// first time one asks for the grid's description. Every change of the current cell, the
// selection, the counts, a cell's text or the focus repaints the grid, so the viewport's paint is
// where they are compared with what was told last.
class TGridChangeReporter final : public QObject {
 public:
  explicit TGridChangeReporter(TCellGridWidget* widget) : QObject(widget), widget_(widget) {
    Guarded([this] { tracker_.Update(widget_->Grid(), widget_->hasFocus()); });
    widget->viewport()->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Guarded([this] { ReportChanges(); });
    return false;
  }

 private:
  void ReportChanges() {
    const auto updates = tracker_.Update(widget_->Grid(), widget_->hasFocus());
    if (!QAccessible::isActive()) return;
    for (const TGridAccessibleUpdate& update : updates) {
      if (update.type == TGridAccessibleEvent::kTableChanged) {
        QAccessibleTableModelChangeEvent reset(widget_,
                                               QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
      } else {
        QAccessibleEvent event(widget_, QtEventOf(update.type));
        event.setChild(update.child);
        QAccessible::updateAccessibility(&event);
      }
    }
  }

  TCellGridWidget* widget_;
  TGridAccessibleTracker tracker_;
};

QAccessibleInterface* GridAccessibleFactory(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(TCellGridWidget::staticMetaObject.className())) return nullptr;
  auto* widget = static_cast<TCellGridWidget*>(object);
  new TGridChangeReporter(widget);
  return new TGridAccessible(widget);
}

}  // namespace

void InstallGridAccessibility() { QAccessible::installFactory(&GridAccessibleFactory); }

}  // namespace zelvorn
