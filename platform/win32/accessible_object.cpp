#include "platform/win32/accessible_object.h"

#include <commctrl.h>

#include <memory>

#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

// Windows' own answer, or a failure when it could not make its object.
template <class TCall>
HRESULT Standardly(IAccessible* standard, TCall&& call) {
  return standard != nullptr ? call(*standard) : E_FAIL;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// One of Windows' own controls with the name (and for a value, the role) it is to be known by.
class TDescribedAccessible final : public TAccessibleObject {
 public:
  TDescribedAccessible(HWND window, TAccessibleDescription description)
      : TAccessibleObject(window), description_(std::move(description)) {}

  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child) || name == nullptr) return TAccessibleObject::get_accName(child, name);
    return AnswerGuarded([&] {
      *name = AllocText(description_.name);
      return S_OK;
    });
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || !description_.role || role == nullptr) {
      return TAccessibleObject::get_accRole(child, role);
    }
    role->vt = VT_I4;
    role->lVal = *description_.role;
    return S_OK;
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    if (!IsSelf(child) || !description_.value_is_text || value == nullptr) {
      return TAccessibleObject::get_accValue(child, value);
    }
    if (!IsWindow(Window())) return RPC_E_DISCONNECTED;
    const int length = GetWindowTextLengthW(Window());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(Window(), text.data(), length + 1)));
    *value = SysAllocString(text.c_str());
    return S_OK;
  }

 private:
  TAccessibleDescription description_;
};

constexpr UINT_PTR kDescribedSubclassId = 0x5A41;

LRESULT CALLBACK DescribedProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR, DWORD_PTR data) {
  auto* description = reinterpret_cast<TAccessibleDescription*>(data);
  if (message == WM_GETOBJECT && AsksForClientObject(lparam)) {
    LRESULT result = 0;
    Guarded([&] {
      auto* object = new TDescribedAccessible(window, *description);
      result = LresultFromObject(IID_IAccessible, wparam, object);
      object->Release();
    });
    return result;
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, DescribedProcedure, kDescribedSubclassId);
    delete description;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

TAccessibleObject::TAccessibleObject(HWND window) : window_(window) {
  void* standard = nullptr;
  if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, &standard))) {
    standard_ = static_cast<IAccessible*>(standard);
  }
}

TAccessibleObject::~TAccessibleObject() {
  if (standard_ != nullptr) standard_->Release();
}

STDMETHODIMP TAccessibleObject::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TAccessibleObject::AddRef() { return InterlockedIncrement(&references_); }

STDMETHODIMP_(ULONG) TAccessibleObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP TAccessibleObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
STDMETHODIMP TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP TAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}
STDMETHODIMP TAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                       EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

STDMETHODIMP TAccessibleObject::get_accParent(IDispatch** parent) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accParent(parent); });
}
STDMETHODIMP TAccessibleObject::get_accChildCount(long* count) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accChildCount(count); });
}
STDMETHODIMP TAccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accChild(child, object); });
}
STDMETHODIMP TAccessibleObject::get_accName(VARIANT child, BSTR* name) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accName(child, name); });
}
STDMETHODIMP TAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accValue(child, value); });
}
STDMETHODIMP TAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  return Standardly(standard_,
                    [&](IAccessible& s) { return s.get_accDescription(child, description); });
}
STDMETHODIMP TAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accRole(child, role); });
}
STDMETHODIMP TAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accState(child, state); });
}
STDMETHODIMP TAccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accHelp(child, help); });
}
STDMETHODIMP TAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  return Standardly(standard_,
                    [&](IAccessible& s) { return s.get_accHelpTopic(file, child, topic); });
}
STDMETHODIMP TAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return Standardly(standard_,
                    [&](IAccessible& s) { return s.get_accKeyboardShortcut(child, shortcut); });
}
STDMETHODIMP TAccessibleObject::get_accFocus(VARIANT* child) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accFocus(child); });
}
STDMETHODIMP TAccessibleObject::get_accSelection(VARIANT* children) {
  return Standardly(standard_, [&](IAccessible& s) { return s.get_accSelection(children); });
}
STDMETHODIMP TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  return Standardly(standard_,
                    [&](IAccessible& s) { return s.get_accDefaultAction(child, action); });
}
STDMETHODIMP TAccessibleObject::accSelect(long flags, VARIANT child) {
  return Standardly(standard_, [&](IAccessible& s) { return s.accSelect(flags, child); });
}
STDMETHODIMP TAccessibleObject::accLocation(long* left, long* top, long* width, long* height,
                                            VARIANT child) {
  return Standardly(standard_,
                    [&](IAccessible& s) { return s.accLocation(left, top, width, height, child); });
}
STDMETHODIMP TAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  return Standardly(standard_,
                    [&](IAccessible& s) { return s.accNavigate(direction, start, end); });
}
STDMETHODIMP TAccessibleObject::accHitTest(long x, long y, VARIANT* child) {
  return Standardly(standard_, [&](IAccessible& s) { return s.accHitTest(x, y, child); });
}
STDMETHODIMP TAccessibleObject::accDoDefaultAction(VARIANT child) {
  return Standardly(standard_, [&](IAccessible& s) { return s.accDoDefaultAction(child); });
}
STDMETHODIMP TAccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
STDMETHODIMP TAccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

BSTR AllocText(const std::string& utf8) { return SysAllocString(Widen(utf8).c_str()); }

void DescribeForAssistiveTools(HWND control, const TAccessibleDescription& description) {
  auto copy = std::make_unique<TAccessibleDescription>(description);
  if (SetWindowSubclass(control, DescribedProcedure, kDescribedSubclassId,
                        reinterpret_cast<DWORD_PTR>(copy.get()))) {
    copy.release();  // the subclass frees it with the control
  }
}

void AnnounceValueChange(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace zelvorn
