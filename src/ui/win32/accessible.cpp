#include "ui/win32/accessible.h"

#include <oleacc.h>

#include <utility>

#include "platform/win32/system_library.h"

namespace tarq::ui::win32 {
namespace {

using platform::win32::SystemFunction;

using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
using SysAllocStringFn = BSTR(WINAPI*)(const OLECHAR*);
using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);

bool IsSelf(const VARIANT& id) {
  return id.vt == VT_I4 && id.lVal == CHILDID_SELF;
}

// The standard object, with the name and the role given for itself (not for
// its children). Everything else is the standard object's. Deleted by its
// last Release, never through a base pointer, as every COM object.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class Accessible final : public IAccessible {
 public:
  Accessible(IAccessible* standard, std::wstring name, LONG role)
      : standard_(standard), name_(std::move(name)), role_(role) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // IOleWindow (the window behind the object), IEnumVARIANT (its
    // children): the standard object's.
    return standard_->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
    if (name_.empty() || !IsSelf(id)) return standard_->get_accName(id, name);
    static const auto alloc = SystemFunction<SysAllocStringFn>(L"oleaut32.dll", "SysAllocString");
    if (name == nullptr) return E_POINTER;
    *name = alloc != nullptr ? alloc(name_.c_str()) : nullptr;
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
    if (role_ == 0 || !IsSelf(id)) return standard_->get_accRole(id, role);
    if (role == nullptr) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
  }

  // The rest as the standard object answers.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override {
    return standard_->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
    return standard_->get_accChild(id, child);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
    return standard_->get_accValue(id, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override {
    return standard_->get_accDescription(id, description);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
    return standard_->get_accState(id, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override {
    return standard_->get_accHelp(id, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
    return standard_->get_accHelpTopic(file, id, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(id, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* id) override {
    return standard_->get_accFocus(id);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* ids) override {
    return standard_->get_accSelection(ids);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
    return standard_->get_accDefaultAction(id, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override {
    return standard_->accSelect(flags, id);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT id) override {
    return standard_->accLocation(left, top, width, height, id);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* id) override {
    return standard_->accHitTest(x, y, id);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    return standard_->accDoDefaultAction(id);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT id, BSTR name) override {
    return standard_->put_accName(id, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT id, BSTR value) override {
    return standard_->put_accValue(id, value);
  }

 private:
  ~Accessible() { standard_->Release(); }

  IAccessible* standard_;  // its own reference
  std::wstring name_;
  LONG role_;
  LONG references_ = 1;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                        LONG role) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  static const auto create =
      SystemFunction<CreateStdAccessibleObjectFn>(L"oleacc.dll", "CreateStdAccessibleObject");
  static const auto answer =
      SystemFunction<LresultFromObjectFn>(L"oleacc.dll", "LresultFromObject");
  if (create == nullptr || answer == nullptr) return 0;
  // The answer is marshalled to the screen reader's process through COM,
  // which this thread then needs; it keeps it for its life.
  [[maybe_unused]] static const bool com = [] {
    const auto initialize = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    return initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
  }();
  IAccessible* standard = nullptr;
  if (FAILED(create(window, OBJID_CLIENT, __uuidof(IAccessible),
                    reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* object = new Accessible(standard, name, role);
  const LRESULT result = answer(__uuidof(IAccessible), wParam, object);
  object->Release();  // the answer holds its own reference
  return result > 0 ? result : 0;
}

}  // namespace tarq::ui::win32
