#pragma once

#include "platform/win32/accessible_object.h"

namespace zelvorn {

class TCellGridWindow;

// The grid as screen readers and magnifiers read it over Microsoft Active Accessibility: a table
// named as the window's AccessibleName, whose children are its cells as simple elements, row by
// row, child id 1 being the top-left cell. A cell is named by its text and described by its row
// and column. Every cell can take the focus and be selected; its state says whether it lies in the
// selection, whether it is the current cell of a grid that holds the keyboard focus, and whether
// the view has scrolled it away. Its location is the part of it that shows, on the screen. The
// window answers WM_GETOBJECT with this object and disconnects it when it goes; a client that still
// holds it then gets RPC_E_DISCONNECTED. The selection belongs to the training, so clients may read
// but not set it.
class TGridAccessible final : public TAccessibleObject {
 public:
  explicit TGridAccessible(TCellGridWindow& grid_window);

  // The window is going: every later call fails as disconnected.
  void Disconnect() { grid_window_ = nullptr; }

  STDMETHODIMP get_accChildCount(long* count) override;
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  STDMETHODIMP get_accFocus(VARIANT* child) override;
  STDMETHODIMP get_accSelection(VARIANT* children) override;
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
  STDMETHODIMP accSelect(long flags, VARIANT child) override;
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                           VARIANT child) override;
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
  STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override;
  STDMETHODIMP accDoDefaultAction(VARIANT child) override;

 private:
  // What a VARIANT names: the table itself or a cell, by its index row by row.
  struct TTarget {
    enum class TKind { kSelf, kCell } kind = TKind::kSelf;
    long index = 0;
  };
  // S_OK with the target, or the failure to answer with: the window is gone, or the child is not
  // the table's.
  HRESULT Resolve(const VARIANT& child, TTarget& target) const;
  template <class TStandard>
  HRESULT TableOnly(const VARIANT& child, BSTR* text, TStandard&& standard) const;
  long CellCount() const;

  TCellGridWindow* grid_window_;
};

}  // namespace zelvorn
