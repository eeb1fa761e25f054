#include "ui/Accessible_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>

#include "platform/SystemLibrary_win.h"

namespace tavero {

namespace {

// oleacc and BSTRs, found at the first request; COM is the program's from its start.
struct Runtime {
    decltype(&::CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::SysAllocString) allocString = nullptr;

    static const Runtime* Get() {
        static const Runtime runtime = [] {
            Runtime r;
            HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
            HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
            if (oleaut32 == nullptr || oleacc == nullptr) {
                return r;
            }
            r.createStandard =
                SystemFunction<decltype(r.createStandard)>(oleacc, "CreateStdAccessibleObject");
            r.lresultFromObject =
                SystemFunction<decltype(r.lresultFromObject)>(oleacc, "LresultFromObject");
            r.allocString = SystemFunction<decltype(r.allocString)>(oleaut32, "SysAllocString");
            return r;
        }();
        bool complete = runtime.createStandard && runtime.lresultFromObject && runtime.allocString;
        return complete ? &runtime : nullptr;
    }
};

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The platform's object for a window, changed as its description says; everything else is its.
class NamedAccessible final : public IAccessible {
  public:
    NamedAccessible(IAccessible* standard, HWND window, AccessibleDescription description,
                    const Runtime& runtime)
        : standard_(standard),
          window_(window),
          description_(std::move(description)),
          runtime_(runtime) {}
    virtual ~NamedAccessible() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
            riid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) {
            return standard_->get_accName(child, name);
        }
        *name = runtime_.allocString(description_.name.c_str());
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || description_.role == roles::kStandard) {
            return standard_->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = description_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child) || description_.defaultAction.empty()) {
            return standard_->get_accDefaultAction(child, action);
        }
        *action = runtime_.allocString(description_.defaultAction.c_str());
        return *action != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || description_.actMessage == 0) {
            return standard_->accDoDefaultAction(child);
        }
        return ::PostMessageW(window_, description_.actMessage, 0, 0) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        HRESULT result = standard_->get_accState(child, state);
        if (SUCCEEDED(result) && IsSelf(child) && !description_.focusable && state->vt == VT_I4) {
            state->lVal &= ~STATE_SYSTEM_FOCUSABLE;
        }
        return result;
    }

    // The rest is the standard object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(id, riid, locale, flags, params, result, exception, argument);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    IAccessible* standard_;
    HWND window_;
    AccessibleDescription description_;
    const Runtime& runtime_;
    std::atomic<ULONG> references_{1};
};

LRESULT CALLBACK DescribedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) {
    auto* description = reinterpret_cast<AccessibleDescription*>(data);
    if (msg == WM_GETOBJECT) {
        if (LRESULT answer = AnswerAccessibleObject(hwnd, wParam, lParam, *description)) {
            return answer;
        }
    } else if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, DescribedProc, id);
        delete description;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

LRESULT AnswerAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam,
                               const AccessibleDescription& description) {
    auto object = static_cast<long>(lParam);
    if (object != OBJID_CLIENT && !(description.topLevel && object == OBJID_WINDOW)) {
        return 0;
    }
    const Runtime* runtime = Runtime::Get();
    if (runtime == nullptr) {
        return 0;
    }
    IAccessible* standard = nullptr;
    if (FAILED(runtime->createStandard(window, object, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    auto* named = new NamedAccessible(standard, window, description, *runtime);
    LRESULT answer = runtime->lresultFromObject(__uuidof(IAccessible), wParam, named);
    named->Release();
    return answer > 0 ? answer : 0;
}

void NameForScreenReaders(HWND control, std::wstring name, long role) {
    auto* description = new AccessibleDescription;
    description->name = std::move(name);
    description->role = role;
    ::SetWindowSubclass(control, DescribedProc, 0x7A11, reinterpret_cast<DWORD_PTR>(description));
}

}  // namespace tavero
