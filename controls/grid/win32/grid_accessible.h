#pragma once

#include <optional>
#include <vector>

#include "controls/grid/grid_accessible.h"
#include "controls/grid/grid_accessible_updates.h"
#include "platform/win32/accessible_object.h"

namespace zelvorn {

class TCellGridWindow;

// The grid as screen readers and magnifiers read it over Microsoft Active Accessibility: the
// core's TGridAccessibleTable, named as the window's AccessibleName, whose cells are simple
// children with child id 1 for child index 0, row by row. The window answers WM_GETOBJECT with
// this object and disconnects it when it goes; a client that still holds it then gets
// RPC_E_DISCONNECTED.
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
  // What a VARIANT names: a cell, or none for the table itself.
  using TTarget = std::optional<TCellCoord>;
  // S_OK with the target, or the failure to answer with: the window is gone, or the child is not
  // the table's.
  HRESULT Resolve(const VARIANT& child, TTarget& target) const;
  // Resolve, after checking and clearing the answer's place.
  template <class TAnswer>
  HRESULT Prepare(TAnswer* answer, const VARIANT& child, TTarget& target) const;
  template <class TStandard>
  HRESULT TableOnly(const VARIANT& child, BSTR* text, TStandard&& standard) const;
  TGridAccessibleTable Table() const;

  TCellGridWindow* grid_window_;
};

// Raises the WinEvents that tell screen readers of a grid window's updates.
void RaiseWinEvents(HWND window, const std::vector<TGridAccessibleUpdate>& updates);

}  // namespace zelvorn
