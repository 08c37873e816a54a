#pragma once

#include <optional>
#include <string>

#include "platform/error_boundary.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {

// The reference count and QueryInterface of a COM object of ours: it offers `TInterface` under
// IUnknown's id and the ids `kOffered`, and deletes itself at its last Release.
template <class TInterface, const IID&... kOffered>
class TComObject : public TInterface {
 public:
  STDMETHODIMP QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (id == IID_IUnknown || ((id == kOffered) || ...)) {
      *object = static_cast<TInterface*>(this);
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

 protected:
  TComObject() = default;
  virtual ~TComObject() = default;

 private:
  LONG references_ = 1;
};

// An IAccessible for a window's client area that answers every question as Windows' own object
// for that window does (CreateStdAccessibleObject), for each kind of window its parent, place,
// navigation and states, until a subclass answers otherwise. It is what screen readers and
// magnifiers read over Microsoft Active Accessibility. Clients hold it by reference count and may
// keep it after the window is gone; then Windows' own object answers that it is disconnected.
// Every method catches what our code throws, reports it and fails with E_FAIL, since COM's frames
// are not to be unwound through.
class TAccessibleObject : public TComObject<IAccessible, IID_IDispatch, IID_IAccessible> {
 public:
  explicit TAccessibleObject(HWND window);
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  // IDispatch: clients of this object call IAccessible directly.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override;
  // IAccessible, each Windows' own answer, or a failure when Windows could not make its object.
#define ZELVORN_STANDARD_ANSWER(method, params, args)              \
  STDMETHODIMP method params override {                            \
    return standard_ != nullptr ? standard_->method args : E_FAIL; \
  }
  ZELVORN_STANDARD_ANSWER(get_accParent, (IDispatch * *parent), (parent))
  ZELVORN_STANDARD_ANSWER(get_accChildCount, (long* count), (count))
  ZELVORN_STANDARD_ANSWER(get_accChild, (VARIANT child, IDispatch** object), (child, object))
  ZELVORN_STANDARD_ANSWER(get_accName, (VARIANT child, BSTR* name), (child, name))
  ZELVORN_STANDARD_ANSWER(get_accValue, (VARIANT child, BSTR* value), (child, value))
  ZELVORN_STANDARD_ANSWER(get_accDescription, (VARIANT child, BSTR* text), (child, text))
  ZELVORN_STANDARD_ANSWER(get_accRole, (VARIANT child, VARIANT* role), (child, role))
  ZELVORN_STANDARD_ANSWER(get_accState, (VARIANT child, VARIANT* state), (child, state))
  ZELVORN_STANDARD_ANSWER(get_accHelp, (VARIANT child, BSTR* help), (child, help))
  ZELVORN_STANDARD_ANSWER(get_accHelpTopic, (BSTR * file, VARIANT child, long* topic),
                          (file, child, topic))
  ZELVORN_STANDARD_ANSWER(get_accKeyboardShortcut, (VARIANT child, BSTR* keys), (child, keys))
  ZELVORN_STANDARD_ANSWER(get_accFocus, (VARIANT * child), (child))
  ZELVORN_STANDARD_ANSWER(get_accSelection, (VARIANT * children), (children))
  ZELVORN_STANDARD_ANSWER(get_accDefaultAction, (VARIANT child, BSTR* action), (child, action))
  ZELVORN_STANDARD_ANSWER(accSelect, (long flags, VARIANT child), (flags, child))
  ZELVORN_STANDARD_ANSWER(accLocation,
                          (long* left, long* top, long* width, long* height, VARIANT child),
                          (left, top, width, height, child))
  ZELVORN_STANDARD_ANSWER(accNavigate, (long direction, VARIANT start, VARIANT* end),
                          (direction, start, end))
  ZELVORN_STANDARD_ANSWER(accHitTest, (long x, long y, VARIANT* child), (x, y, child))
  ZELVORN_STANDARD_ANSWER(accDoDefaultAction, (VARIANT child), (child))
#undef ZELVORN_STANDARD_ANSWER
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

 protected:
  ~TAccessibleObject() override;
  HWND Window() const { return window_; }
  // Windows' own object for the window's client area, or nullptr if it could not be made.
  IAccessible* Standard() const { return standard_; }

 private:
  HWND window_;
  IAccessible* standard_ = nullptr;
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
