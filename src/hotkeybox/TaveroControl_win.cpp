#include "hotkeybox/TaveroControl_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/KeyInjector_win.h"
#include "platform/Keys.h"
#include "ui/Accessible_win.h"

namespace tavero {

namespace {

constexpr const wchar_t* kClassName = L"TaveroHotKeyBox";

int ShiftStateNow() {
    int state = 0;
    if (::GetKeyState(VK_SHIFT) < 0) {
        state |= shift::kShift;
    }
    if (::GetKeyState(VK_CONTROL) < 0) {
        state |= shift::kCtrl;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        state |= shift::kAlt;
    }
    return state;
}

bool WinKeyDownNow() {
    return ::GetKeyState(VK_LWIN) < 0 || ::GetKeyState(VK_RWIN) < 0;
}

// The program's own key events (a row's action played while a box has the focus) are not the
// user's: they never change a hotkey.
bool IsOwnKeyEvent() {
    return static_cast<ULONG_PTR>(::GetMessageExtraInfo()) == kInjectedKeyMarker;
}

int MouseButton(UINT msg, WPARAM wParam) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return 2;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return 4;
        default:
            return ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
                   ((wParam & MK_MBUTTON) ? 4 : 0);
    }
}

}  // namespace

TaveroControl::TaveroControl(HWND parent, int controlId, std::wstring name,
                             const TaveroServices& services, const PixelRect& place,
                             StoreSettings store) {
    RegisterClassOnce(kClassName, CS_DBLCLKS, nullptr);
    Create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
           place.left, place.top, place.width, place.height, parent, AsMenuId(controlId));
    // Made at its final size: the edit always fills the box.
    edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0,
                              place.width, place.height, Handle(), nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowSubclass(edit_, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));

    hotKeyWindow_ = std::make_unique<HotKeyWindow>([this] { box_->RaiseEvents(); });
    box_ =
        std::make_unique<Tavero>(std::move(name), *hotKeyWindow_, services.names, services.messages,
                                 HotKeyStore(services.ini, services.userStore, std::move(store)));
    box_->Load();
    box_->AttachView(this);  // shows the loaded hotkey
}

TaveroControl::~TaveroControl() {
    toolTips_.reset();
    // The hotkey ends with the window it is registered on.
    hotKeyWindow_.reset();
    if (edit_ != nullptr) {
        ::RemoveWindowSubclass(edit_, EditProc, 1);
    }
    Destroy();
}

void TaveroControl::Move(int x, int y, int width, int height) {
    ::MoveWindow(Handle(), x, y, width, height, TRUE);
}

void TaveroControl::SetAccessibleName(const std::wstring& name) {
    ::SetWindowTextW(Handle(), name.c_str());  // never drawn: the edit covers the box
    NameForScreenReaders(edit_, name);
}

bool TaveroControl::OnSize(int width, int height) {
    // The edit always fills the box.
    ::MoveWindow(edit_, 0, 0, width, height, TRUE);
    FitText();
    // Scroll back to the start: a caret put at the end while the box had no width left only the
    // last character in view.
    ::SendMessageW(edit_, EM_SETSEL, 0, 0);
    ::SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    MoveCaretToEnd();
    return true;
}

bool TaveroControl::OnSetFocus() {
    ::SetFocus(edit_);
    return true;
}

HBRUSH TaveroControl::OnControlColor(HDC dc, HWND) {
    ::SetTextColor(dc, Resolve(foreColor_));
    ::SetBkColor(dc, Resolve(backColor_));
    if (!backBrush_) {
        backBrush_.Reset(::CreateSolidBrush(Resolve(backColor_)));
    }
    return backBrush_.Get();
}

bool TaveroControl::OnSysColorChange() {
    backBrush_.Reset();
    return true;
}

LRESULT CALLBACK TaveroControl::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    return Fenced(hwnd, 0, [&] {
        return reinterpret_cast<TaveroControl*>(self)->OnEditMessage(msg, wParam, lParam);
    });
}

LRESULT TaveroControl::OnEditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: {
            // Every key is a candidate hotkey, except plain Tab and Shift+Tab, which keep
            // moving the focus so the window stays usable from the keyboard.
            auto* pending = reinterpret_cast<MSG*>(lParam);
            bool tabbing = pending != nullptr && pending->message == WM_KEYDOWN &&
                           pending->wParam == VK_TAB && ::GetKeyState(VK_CONTROL) >= 0 &&
                           ::GetKeyState(VK_MENU) >= 0;
            if (tabbing) {
                return ::DefSubclassProc(edit_, msg, wParam, lParam);
            }
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            if (!IsOwnKeyEvent()) {
                int key = static_cast<int>(wParam);
                int state = ShiftStateNow();
                bool repeat = (lParam & (1 << 30)) != 0;  // the key was down before
                box_->KeyDown(key, state, WinKeyDownNow(), repeat);
            }
            return 0;  // the edit never acts on a key itself
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            if (!IsOwnKeyEvent()) {
                int key = static_cast<int>(wParam);
                int state = ShiftStateNow();
                box_->KeyUp(key, state);
            }
            return 0;
        }
        case WM_SETFOCUS: {
            LRESULT result = ::DefSubclassProc(edit_, msg, wParam, lParam);
            MoveCaretToEnd();
            ShowTip();  // the whole hotkey, where the box cuts it, for the keyboard's user too
            return result;
        }
        case WM_KILLFOCUS: {
            // The focus went with modifiers still held (Shift+Tab, Alt+Tab): their key-ups go
            // elsewhere, so the preview ends here.
            box_->FocusLost();
            if (toolTips_) {
                toolTips_->Untrack();
            }
            LRESULT result = ::DefSubclassProc(edit_, msg, wParam, lParam);
            ::SendMessageW(edit_, EM_SETSEL, 0, 0);
            ::SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
            return result;
        }
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR:
        case WM_CONTEXTMENU:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
            // Typed characters, editing commands and the context menu never change the text.
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_LBUTTONDBLCLK: {
            LRESULT result = ::DefSubclassProc(edit_, msg, wParam, lParam);
            RaiseMouse(msg, wParam, lParam);
            return result;
        }
        default:
            return ::DefSubclassProc(edit_, msg, wParam, lParam);
    }
}

void TaveroControl::RaiseMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    TaveroEvents& events = box_->Events();
    int button = MouseButton(msg, wParam);
    int state = ShiftStateNow();
    float x = static_cast<float>(GET_X_LPARAM(lParam));
    float y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (msg) {
        case WM_MOUSEMOVE:
            if (events.mouseMove) {
                events.mouseMove(button, state, x, y);
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (events.mouseDown) {
                events.mouseDown(button, state, x, y);
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (events.dblClick) {
                events.dblClick();
            }
            break;
        default:  // button up
            if (events.mouseUp) {
                events.mouseUp(button, state, x, y);
            }
            if (msg == WM_LBUTTONUP && events.click) {
                events.click();
            }
            break;
    }
}

void TaveroControl::ShowText(const std::wstring& text) {
    ::SetWindowTextW(edit_, text.c_str());
    FitText();
}

void TaveroControl::MoveCaretToEnd() {
    // Without the focus there is no caret to see, and where the text and the caret after it do
    // not both fit, the caret at the end would scroll the text's start away: the start of the
    // text is then kept in view, so a text wider than the box is cut at its end, not at its
    // start (its tip shows it whole).
    int length = ::GetFocus() == edit_ && !clipped_ ? ::GetWindowTextLengthW(edit_) : 0;
    ::SendMessageW(edit_, EM_SETSEL, length, length);
}

}  // namespace tavero
