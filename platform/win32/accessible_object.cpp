#include "platform/win32/accessible_object.h"

#include <commctrl.h>

#include <memory>

#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

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
