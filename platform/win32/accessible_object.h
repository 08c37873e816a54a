#pragma once

#include <optional>
#include <string>

#include "platform/error_boundary.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {

// An IAccessible for a window's client area that answers every question as Windows' own object
// for that window does (CreateStdAccessibleObject), for each kind of window its parent, place,
// navigation and states, until a subclass answers otherwise. It is what screen readers and
// magnifiers read over Microsoft Active Accessibility. Clients hold it by reference count and may
// keep it after the window is gone; then Windows' own object answers that it is disconnected.
// Every method catches what our code throws, reports it and fails with E_FAIL, since COM's frames
// are not to be unwound through.
class TAccessibleObject : public IAccessible {
 public:
  explicit TAccessibleObject(HWND window);
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  // IUnknown.
  STDMETHODIMP QueryInterface(REFIID id, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch: clients of this object call IAccessible directly.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override;
  // IAccessible, each Windows' own answer.
  STDMETHODIMP get_accParent(IDispatch** parent) override;
  STDMETHODIMP get_accChildCount(long* count) override;
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
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
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

 protected:
  virtual ~TAccessibleObject();
  HWND Window() const { return window_; }
  // Windows' own object for the window's client area, or nullptr if it could not be made.
  IAccessible* Standard() const { return standard_; }

 private:
  HWND window_;
  IAccessible* standard_ = nullptr;
  LONG references_ = 1;
};

// Runs `answer` where a client called us: what it throws is reported, and the call fails.
template <class TAnswer>
HRESULT AnswerGuarded(TAnswer&& answer) noexcept {
  HRESULT result = E_FAIL;
  Guarded([&] { result = answer(); });
  return result;
}

// A newly allocated BSTR of a UTF-8 text.
BSTR AllocText(const std::string& utf8);

// What a screen reader is to be told of one of Windows' own controls where its own answers fall
// short: the name it is called by, the role when it is not the control's own (a label that shows
// a count is a progress bar), and whether the text it shows is its value.
struct TAccessibleDescription {
  std::string name;
  std::optional<long> role;  // ROLE_SYSTEM_…
  bool value_is_text = false;
};

// Makes `control`'s client area answer screen readers with `description`, and Windows' own
// answers otherwise, for as long as the control lives. A control whose text is its value raises
// EVENT_OBJECT_VALUECHANGE through AnnounceValueChange when that text changes.
void DescribeForAssistiveTools(HWND control, const TAccessibleDescription& description);
void AnnounceValueChange(HWND control);

// Whether a WM_GETOBJECT asks for a window's client area, the object screen readers read.
inline bool AsksForClientObject(LPARAM lparam) {
  return static_cast<LONG>(static_cast<DWORD>(lparam)) == OBJID_CLIENT;
}

}  // namespace zelvorn
