#include "controls/grid/win32/grid_accessible.h"

#include <utility>
#include <vector>

#include "controls/grid/grid_accessible_updates.h"
#include "controls/grid/win32/cell_grid_window.h"

namespace zelvorn {
namespace {

void SetChild(VARIANT* variant, long child_id) {
  variant->vt = VT_I4;
  variant->lVal = child_id;
}

long ChildIdOf(long index) { return index + 1; }

// The selected cells as clients take more than one: an enumeration of their child ids.
class TChildEnumeration final : public IEnumVARIANT {
 public:
  explicit TChildEnumeration(std::vector<long> child_ids, std::size_t next = 0)
      : child_ids_(std::move(child_ids)), next_(next) {}

  STDMETHODIMP QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IEnumVARIANT) {
      *object = static_cast<IEnumVARIANT*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  STDMETHODIMP Next(ULONG count, VARIANT* items, ULONG* fetched) override {
    if (items == nullptr) return E_POINTER;
    ULONG given = 0;
    for (; given < count && next_ < child_ids_.size(); ++given) {
      SetChild(&items[given], child_ids_[next_++]);
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    next_ += count;
    if (next_ <= child_ids_.size()) return S_OK;
    next_ = child_ids_.size();
    return S_FALSE;
  }
  STDMETHODIMP Reset() override {
    next_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** copy) override {
    if (copy == nullptr) return E_POINTER;
    *copy = new TChildEnumeration(child_ids_, next_);
    return S_OK;
  }

 private:
  ~TChildEnumeration() = default;

  std::vector<long> child_ids_;
  std::size_t next_;
  LONG references_ = 1;
};

}  // namespace

TGridAccessible::TGridAccessible(TCellGridWindow& grid_window)
    : TAccessibleObject(grid_window.Handle()), grid_window_(&grid_window) {}

long TGridAccessible::CellCount() const {
  const TCellGrid& grid = grid_window_->Grid();
  return long{grid.RowCount()} * grid.ColCount();
}

// Every answer first checks that the window is still there and what the child names.
HRESULT TGridAccessible::Resolve(const VARIANT& child, TTarget& target) const {
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  if (child.vt != VT_I4) return E_INVALIDARG;
  if (child.lVal == CHILDID_SELF) {
    target = {TTarget::TKind::kSelf, 0};
    return S_OK;
  }
  if (child.lVal < 1 || child.lVal > CellCount()) return E_INVALIDARG;
  target = {TTarget::TKind::kCell, child.lVal - 1};
  return S_OK;
}

// A text only the table has (help, shortcut, default action): Windows' answer for the table
// itself, none for a cell.
template <class TStandard>
HRESULT TGridAccessible::TableOnly(const VARIANT& child, BSTR* text, TStandard&& standard) const {
  if (text == nullptr) return E_POINTER;
  *text = nullptr;
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  return target.kind == TTarget::TKind::kSelf ? standard() : DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP TGridAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  *count = CellCount();
  return S_OK;
}

// Cells are simple elements: they have no object of their own.
STDMETHODIMP TGridAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  return target.kind == TTarget::TKind::kCell ? S_FALSE : E_INVALIDARG;
}

STDMETHODIMP TGridAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  return AnswerGuarded([&] {
    if (target.kind == TTarget::TKind::kSelf) {
      *name = AllocText(grid_window_->AccessibleName());
    } else {
      const TCellGrid& grid = grid_window_->Grid();
      *name = AllocText(grid.Cells(target.index % grid.ColCount(), target.index / grid.ColCount()));
    }
    return S_OK;
  });
}

STDMETHODIMP TGridAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP TGridAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  if (target.kind == TTarget::TKind::kSelf) return DISP_E_MEMBERNOTFOUND;
  return AnswerGuarded([&] {
    const std::int32_t cols = grid_window_->Grid().ColCount();
    *description = AllocText(GridCellPlace(target.index / cols, target.index % cols));
    return S_OK;
  });
}

STDMETHODIMP TGridAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  VariantInit(role);
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  SetChild(role, target.kind == TTarget::TKind::kSelf ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL);
  return S_OK;
}

STDMETHODIMP TGridAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  VariantInit(state);
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  if (target.kind == TTarget::TKind::kSelf) return TAccessibleObject::get_accState(child, state);
  const TCellGrid& grid = grid_window_->Grid();
  const TCellCoord cell{target.index % grid.ColCount(), target.index / grid.ColCount()};
  long flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (grid.Selection().Contains(cell)) flags |= STATE_SYSTEM_SELECTED;
  if (grid_window_->Focused() && grid.Current() == cell) flags |= STATE_SYSTEM_FOCUSED;
  if (grid.CellBounds(cell.X, cell.Y).IsEmpty()) flags |= STATE_SYSTEM_OFFSCREEN;
  SetChild(state, flags);
  return S_OK;
}

STDMETHODIMP TGridAccessible::get_accHelp(VARIANT child, BSTR* help) {
  return TableOnly(child, help, [&] { return TAccessibleObject::get_accHelp(child, help); });
}

STDMETHODIMP TGridAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return TableOnly(child, shortcut,
                   [&] { return TAccessibleObject::get_accKeyboardShortcut(child, shortcut); });
}

// The current cell while the grid has the keyboard focus.
STDMETHODIMP TGridAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  if (!grid_window_->Focused()) return S_FALSE;
  const TCellGrid& grid = grid_window_->Grid();
  const bool in_grid = grid.Row() >= 0 && grid.Col() >= 0 && grid.Row() < grid.RowCount() &&
                       grid.Col() < grid.ColCount();
  SetChild(child,
           in_grid ? ChildIdOf(long{grid.Row()} * grid.ColCount() + grid.Col()) : CHILDID_SELF);
  return S_OK;
}

// None, one cell's child id, or an enumeration of several.
STDMETHODIMP TGridAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  VariantInit(children);
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  const TCellGrid& grid = grid_window_->Grid();
  const TGridRect selection = grid.Selection();
  std::vector<long> child_ids;
  for (std::int32_t row = std::max(selection.Top, 0);
       row <= std::min(selection.Bottom, grid.RowCount() - 1); ++row) {
    for (std::int32_t col = std::max(selection.Left, 0);
         col <= std::min(selection.Right, grid.ColCount() - 1); ++col) {
      child_ids.push_back(ChildIdOf(long{row} * grid.ColCount() + col));
    }
  }
  if (child_ids.empty()) return S_FALSE;
  if (child_ids.size() == 1) {
    SetChild(children, child_ids.front());
    return S_OK;
  }
  children->vt = VT_UNKNOWN;
  children->punkVal = new TChildEnumeration(std::move(child_ids));
  return S_OK;
}

STDMETHODIMP TGridAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  return TableOnly(child, action,
                   [&] { return TAccessibleObject::get_accDefaultAction(child, action); });
}

STDMETHODIMP TGridAccessible::accSelect(long, VARIANT child) {
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP TGridAccessible::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
    return E_POINTER;
  }
  *left = *top = *width = *height = 0;
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  if (target.kind == TTarget::TKind::kSelf) {
    return TAccessibleObject::accLocation(left, top, width, height, child);
  }
  const TCellGrid& grid = grid_window_->Grid();
  const TRect box = grid.CellBounds(target.index % grid.ColCount(), target.index / grid.ColCount());
  if (box.IsEmpty()) return S_OK;
  POINT origin{box.Left, box.Top};
  ClientToScreen(grid_window_->Handle(), &origin);
  *left = origin.x;
  *top = origin.y;
  *width = box.Right - box.Left;
  *height = box.Bottom - box.Top;
  return S_OK;
}

STDMETHODIMP TGridAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  VariantInit(end);
  TTarget target;
  if (const HRESULT failed = Resolve(start, target); FAILED(failed)) return failed;
  const long count = CellCount();
  const long cols = grid_window_->Grid().ColCount();
  if (target.kind == TTarget::TKind::kSelf) {
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
      if (count == 0) return S_FALSE;
      SetChild(end, direction == NAVDIR_FIRSTCHILD ? ChildIdOf(0) : ChildIdOf(count - 1));
      return S_OK;
    }
    return TAccessibleObject::accNavigate(direction, start, end);
  }
  const long index = target.index;
  long next = -1;
  switch (direction) {
    case NAVDIR_NEXT:
      next = index + 1;
      break;
    case NAVDIR_PREVIOUS:
      next = index - 1;
      break;
    case NAVDIR_RIGHT:
      next = index % cols + 1 < cols ? index + 1 : -1;
      break;
    case NAVDIR_LEFT:
      next = index % cols > 0 ? index - 1 : -1;
      break;
    case NAVDIR_DOWN:
      next = index + cols;
      break;
    case NAVDIR_UP:
      next = index - cols;
      break;
    default:
      return E_INVALIDARG;
  }
  if (next < 0 || next >= count) return S_FALSE;
  SetChild(end, ChildIdOf(next));
  return S_OK;
}

// The cell under a point of the screen, as the mouse would find it; the table itself for the
// rest of its client area; Windows' answer outside it.
STDMETHODIMP TGridAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  POINT point{x, y};
  ScreenToClient(grid_window_->Handle(), &point);
  const TCellGrid& grid = grid_window_->Grid();
  if (!grid.ClientRect().Contains({point.x, point.y})) {
    return TAccessibleObject::accHitTest(x, y, child);
  }
  const TCellCoord cell = grid.CellAtPoint(point.x, point.y);
  const bool in_grid =
      cell.X >= 0 && cell.Y >= 0 && cell.X < grid.ColCount() && cell.Y < grid.RowCount();
  SetChild(child, in_grid ? ChildIdOf(long{cell.Y} * grid.ColCount() + cell.X) : CHILDID_SELF);
  return S_OK;
}

STDMETHODIMP TGridAccessible::accDoDefaultAction(VARIANT child) {
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  return target.kind == TTarget::TKind::kSelf ? TAccessibleObject::accDoDefaultAction(child)
                                              : DISP_E_MEMBERNOTFOUND;
}

}  // namespace zelvorn
