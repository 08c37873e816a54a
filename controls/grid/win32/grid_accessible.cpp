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

// Child ids count the cells from 1; 0 is the table itself, child index -1.
long ChildIdOf(std::int32_t index) { return long{index} + 1; }

void Clear(BSTR* text) { *text = nullptr; }
void Clear(VARIANT* variant) { VariantInit(variant); }
void Clear(IDispatch** object) { *object = nullptr; }

long StateFlagsOf(TAccessibleStates states) {
  using enum TAccessibleState;
  long flags = 0;
  if (states.Has(kFocusable)) flags |= STATE_SYSTEM_FOCUSABLE;
  if (states.Has(kSelectable)) flags |= STATE_SYSTEM_SELECTABLE;
  if (states.Has(kSelected)) flags |= STATE_SYSTEM_SELECTED;
  if (states.Has(kFocused)) flags |= STATE_SYSTEM_FOCUSED;
  if (states.Has(kOffscreen)) flags |= STATE_SYSTEM_OFFSCREEN;
  return flags;
}

// The event Windows announces for each of the grid's updates.
DWORD WinEventOf(TGridAccessibleEvent type) {
  switch (type) {
    case TGridAccessibleEvent::kTableChanged:
      return EVENT_OBJECT_REORDER;
    case TGridAccessibleEvent::kNameChanged:
      return EVENT_OBJECT_NAMECHANGE;
    case TGridAccessibleEvent::kSelection:
      return EVENT_OBJECT_SELECTION;
    case TGridAccessibleEvent::kSelectionWithin:
      return EVENT_OBJECT_SELECTIONWITHIN;
    default:
      return EVENT_OBJECT_FOCUS;
  }
}

// The selected cells as clients take more than one: an enumeration of their child ids.
class TChildEnumeration final : public TComObject<IEnumVARIANT, IID_IEnumVARIANT> {
 public:
  explicit TChildEnumeration(std::vector<long> child_ids, std::size_t next = 0)
      : child_ids_(std::move(child_ids)), next_(next) {}

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
  ~TChildEnumeration() override = default;

  std::vector<long> child_ids_;
  std::size_t next_;
};

}  // namespace

void RaiseWinEvents(HWND window, const std::vector<TGridAccessibleUpdate>& updates) {
  for (const TGridAccessibleUpdate& update : updates) {
    NotifyWinEvent(WinEventOf(update.type), window, OBJID_CLIENT, ChildIdOf(update.child));
  }
}

TGridAccessible::TGridAccessible(TCellGridWindow& grid_window)
    : TAccessibleObject(grid_window.Handle()), grid_window_(&grid_window) {}

TGridAccessibleTable TGridAccessible::Table() const {
  return TGridAccessibleTable(grid_window_->Grid());
}

// Every answer first checks that the window is still there and what the child names.
HRESULT TGridAccessible::Resolve(const VARIANT& child, TTarget& target) const {
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  if (child.vt != VT_I4) return E_INVALIDARG;
  target.reset();
  if (child.lVal == CHILDID_SELF) return S_OK;
  if (child.lVal < 1) return E_INVALIDARG;
  target = Table().CellOf(static_cast<std::int32_t>(child.lVal - 1));
  return target ? S_OK : E_INVALIDARG;
}

template <class TAnswer>
HRESULT TGridAccessible::Prepare(TAnswer* answer, const VARIANT& child, TTarget& target) const {
  if (answer == nullptr) return E_POINTER;
  Clear(answer);
  return Resolve(child, target);
}

// A text only the table has (help, shortcut, default action): Windows' answer for the table
// itself, none for a cell.
template <class TStandard>
HRESULT TGridAccessible::TableOnly(const VARIANT& child, BSTR* text, TStandard&& standard) const {
  TTarget target;
  if (const HRESULT failed = Prepare(text, child, target); FAILED(failed)) return failed;
  return target ? DISP_E_MEMBERNOTFOUND : standard();
}

STDMETHODIMP TGridAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  *count = Table().ChildCount();
  return S_OK;
}

// Cells are simple elements: they have no object of their own.
STDMETHODIMP TGridAccessible::get_accChild(VARIANT child, IDispatch** object) {
  TTarget target;
  if (const HRESULT failed = Prepare(object, child, target); FAILED(failed)) return failed;
  return target ? S_FALSE : E_INVALIDARG;
}

STDMETHODIMP TGridAccessible::get_accName(VARIANT child, BSTR* name) {
  TTarget target;
  if (const HRESULT failed = Prepare(name, child, target); FAILED(failed)) return failed;
  return AnswerGuarded([&] {
    *name = AllocText(target ? Table().Name(*target) : grid_window_->AccessibleName());
    return S_OK;
  });
}

STDMETHODIMP TGridAccessible::get_accValue(VARIANT child, BSTR* value) {
  TTarget target;
  if (const HRESULT failed = Prepare(value, child, target); FAILED(failed)) return failed;
  return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP TGridAccessible::get_accDescription(VARIANT child, BSTR* description) {
  TTarget target;
  if (const HRESULT failed = Prepare(description, child, target); FAILED(failed)) return failed;
  if (!target) return DISP_E_MEMBERNOTFOUND;
  return AnswerGuarded([&] {
    *description = AllocText(TGridAccessibleTable::Description(*target));
    return S_OK;
  });
}

STDMETHODIMP TGridAccessible::get_accRole(VARIANT child, VARIANT* role) {
  TTarget target;
  if (const HRESULT failed = Prepare(role, child, target); FAILED(failed)) return failed;
  SetChild(role, target ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_TABLE);
  return S_OK;
}

STDMETHODIMP TGridAccessible::get_accState(VARIANT child, VARIANT* state) {
  TTarget target;
  if (const HRESULT failed = Prepare(state, child, target); FAILED(failed)) return failed;
  if (!target) return TAccessibleObject::get_accState(child, state);
  SetChild(state, StateFlagsOf(Table().States(*target)));
  return S_OK;
}

STDMETHODIMP TGridAccessible::get_accHelp(VARIANT child, BSTR* help) {
  return TableOnly(child, help, [&] { return TAccessibleObject::get_accHelp(child, help); });
}

STDMETHODIMP TGridAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return TableOnly(child, shortcut,
                   [&] { return TAccessibleObject::get_accKeyboardShortcut(child, shortcut); });
}

STDMETHODIMP TGridAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  const std::optional<std::int32_t> focused = Table().FocusedChild();
  if (!focused) return S_FALSE;
  SetChild(child, ChildIdOf(*focused));
  return S_OK;
}

// None, one cell's child id, or an enumeration of several.
STDMETHODIMP TGridAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  VariantInit(children);
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  std::vector<long> child_ids;
  for (const std::int32_t index : Table().SelectedChildren()) child_ids.push_back(ChildIdOf(index));
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
  if (!target) return TAccessibleObject::accLocation(left, top, width, height, child);
  const TRect box = Table().VisibleBox(*target);
  if (box.IsEmpty()) return S_OK;
  POINT origin{box.Left, box.Top};
  ClientToScreen(grid_window_->Handle(), &origin);
  *left = origin.x;
  *top = origin.y;
  *width = box.Width();
  *height = box.Height();
  return S_OK;
}

// The NAVDIR_ codes come in the order of TAccessibleStep. Windows knows the table's own
// neighbours; MSAA asks for a first or last child of the object itself only.
STDMETHODIMP TGridAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  TTarget target;
  if (const HRESULT failed = Prepare(end, start, target); FAILED(failed)) return failed;
  const bool to_child = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
  if (!target && !to_child) return TAccessibleObject::accNavigate(direction, start, end);
  if ((target && to_child) || direction < NAVDIR_UP || direction > NAVDIR_LASTCHILD) {
    return E_INVALIDARG;
  }
  static_assert(NAVDIR_LASTCHILD - NAVDIR_UP == int(TAccessibleStep::kLastChild));
  const TGridAccessibleTable table = Table();
  const std::optional<std::int32_t> next = table.Navigate(
      target ? table.ChildOf(*target) : -1, static_cast<TAccessibleStep>(direction - NAVDIR_UP));
  if (!next) return S_FALSE;
  SetChild(end, ChildIdOf(*next));
  return S_OK;
}

// Windows' answer outside the client area.
STDMETHODIMP TGridAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  if (grid_window_ == nullptr) return RPC_E_DISCONNECTED;
  POINT point{x, y};
  ScreenToClient(grid_window_->Handle(), &point);
  const std::optional<std::int32_t> hit = Table().ChildAt({point.x, point.y});
  if (!hit) return TAccessibleObject::accHitTest(x, y, child);
  SetChild(child, ChildIdOf(*hit));
  return S_OK;
}

STDMETHODIMP TGridAccessible::accDoDefaultAction(VARIANT child) {
  TTarget target;
  if (const HRESULT failed = Resolve(child, target); FAILED(failed)) return failed;
  return target ? DISP_E_MEMBERNOTFOUND : TAccessibleObject::accDoDefaultAction(child);
}

}  // namespace zelvorn
