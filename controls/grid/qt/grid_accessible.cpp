#include "controls/grid/qt/grid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QWindow>
#include <utility>

#include "controls/grid/grid_accessible_updates.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "platform/error_boundary.h"
#include "platform/qt/geometry.h"

namespace zelvorn {
namespace {

bool InGrid(const TCellGrid& grid, int row, int col) {
  return row >= 0 && col >= 0 && row < grid.RowCount() && col < grid.ColCount();
}

bool IsCurrentAndFocused(const TCellGridWidget& widget, int row, int col) {
  return widget.hasFocus() && widget.Grid().Row() == row && widget.Grid().Col() == col;
}

// One cell of the table. Cells are no QObjects, so the table makes these on demand and keeps
// them registered until it goes.
class TGridCellAccessible final : public QAccessibleInterface,
                                  public QAccessibleTableCellInterface {
 public:
  TGridCellAccessible(TCellGridWidget* widget, int row, int col)
      : widget_(widget), row_(row), col_(col) {}

  bool isValid() const override { return widget_ != nullptr && InGrid(Grid(), row_, col_); }
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
    Guarded([&] { text = QString::fromStdString(Grid().Cells(col_, row_)); });
    return text;
  }
  void setText(QAccessible::Text, const QString&) override {}
  // Where the cell shows on the screen (magnifiers follow it, flat review orders by it): its
  // visible part, empty while it is scrolled out of view.
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect box = ToQRect(Grid().CellBounds(col_, row_));
    return box.isEmpty() ? QRect() : box.translated(widget_->viewport()->mapToGlobal(QPoint()));
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.selectable = true;
    state.focusable = true;
    if (!isValid()) return state;
    state.offscreen = rect().isEmpty();
    state.selected = isSelected();
    state.focused = IsCurrentAndFocused(*widget_, row_, col_);
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  bool isSelected() const override { return Grid().Selection().Contains({col_, row_}); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  const TCellGrid& Grid() const { return widget_->Grid(); }

  QPointer<TCellGridWidget> widget_;
  int row_;
  int col_;
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

  int childCount() const override { return rowCount() * columnCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || columnCount() == 0) return nullptr;
    return cellAt(index / columnCount(), index % columnCount());
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr || child->role() != QAccessible::Cell) return -1;
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell == nullptr || cell->table() != this) return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
  }
  // The cell under a point of the screen, as the mouse would find it.
  QAccessibleInterface* childAt(int x, int y) const override {
    const QWidget& client = *Widget().viewport();
    const QPoint point = client.mapFromGlobal(QPoint(x, y));
    if (!client.rect().contains(point)) return nullptr;
    const TCellCoord cell = Grid().CellAtPoint(point.x(), point.y());
    return cellAt(cell.Y, cell.X);
  }
  QAccessibleInterface* focusChild() const override {
    return Widget().hasFocus() ? cellAt(Grid().Row(), Grid().Col()) : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int col) const override {
    if (!InGrid(Grid(), row, col)) return nullptr;
    const std::pair key(row, col);
    auto found = cells_.constFind(key);
    if (found == cells_.constEnd()) {
      found = cells_.insert(key, QAccessible::registerAccessibleInterface(
                                     new TGridCellAccessible(&Widget(), row, col)));
    }
    return QAccessible::accessibleInterface(*found);
  }
  int selectedCellCount() const override { return int(selectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    const TGridRect selection = Grid().Selection();
    for (int row = selection.Top; row <= selection.Bottom; ++row) {
      for (int col = selection.Left; col <= selection.Right; ++col) {
        if (QAccessibleInterface* cell = cellAt(row, col)) cells.append(cell);
      }
    }
    return cells;
  }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return int(selectedColumns().size()); }
  int selectedRowCount() const override { return int(selectedRows().size()); }
  int columnCount() const override { return Grid().ColCount(); }
  int rowCount() const override { return Grid().RowCount(); }
  QList<int> selectedColumns() const override {
    QList<int> columns;
    for (int col = 0; col < columnCount(); ++col) {
      if (isColumnSelected(col)) columns.append(col);
    }
    return columns;
  }
  QList<int> selectedRows() const override {
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
      if (isRowSelected(row)) rows.append(row);
    }
    return rows;
  }
  bool isColumnSelected(int col) const override {
    const TGridRect selection = Grid().Selection();
    return col >= selection.Left && col <= selection.Right && selection.Top == 0 &&
           selection.Bottom == rowCount() - 1;
  }
  bool isRowSelected(int row) const override {
    const TGridRect selection = Grid().Selection();
    return row >= selection.Top && row <= selection.Bottom && selection.Left == 0 &&
           selection.Right == columnCount() - 1;
  }
  // The selection belongs to the training: assistive tools read it but do not change it.
  bool selectColumn(int) override { return false; }
  bool selectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  TCellGridWidget& Widget() const { return *static_cast<TCellGridWidget*>(widget()); }
  const TCellGrid& Grid() const { return Widget().Grid(); }

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
