#include "hotkeybox/TaveroControl_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/KeyInjector_win.h"
#include "platform/Keys.h"

namespace tavero {

namespace {

constexpr const wchar_t* kClassName = L"TaveroHotKeyBox";
// The dialog class, as for any hidden window that only receives messages.
constexpr const wchar_t* kMessageWindowClass = L"#32770";

COLORREF Resolve(OleColor color) {
    if (color & 0x80000000u) {
        return ::GetSysColor(static_cast<int>(color & 0xFFu));
    }
    return static_cast<COLORREF>(color & 0xFFFFFFu);
}

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
                             const TaveroServices& services, StoreSettings store) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    RegisterClassOnce(kClassName, CS_DBLCLKS, nullptr);
    Create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, 0, 0,
           0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)));

    edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0,
                              0, 0, Handle(), nullptr, instance, nullptr);
    ::SetWindowSubclass(edit_, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));

    // Message-only: it receives the hotkey message and costs no window on the screen.
    messageWindow_.Reset(::CreateWindowExW(0, kMessageWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, instance, nullptr));
    ::SetWindowSubclass(messageWindow_.Get(), MessageWindowProc, 1,
                        reinterpret_cast<DWORD_PTR>(this));
    registrar_ = std::make_unique<WindowHotKeyRegistrar>(messageWindow_.Get());

    box_ =
        std::make_unique<Tavero>(std::move(name), *registrar_, services.names, services.messages,
                                 HotKeyStore(services.ini, services.userStore, std::move(store)));
    box_->AttachView(this);
    box_->Load();
}

TaveroControl::~TaveroControl() {
    toolTipWindow_.Reset();
    // The hotkey ends with the window it is registered on.
    if (messageWindow_) {
        ::RemoveWindowSubclass(messageWindow_.Get(), MessageWindowProc, 1);
        messageWindow_.Reset();
    }
    if (edit_ != nullptr) {
        ::RemoveWindowSubclass(edit_, EditProc, 1);
    }
    Destroy();
}

void TaveroControl::Move(int x, int y, int width, int height) {
    ::MoveWindow(Handle(), x, y, width, height, TRUE);
}

LRESULT TaveroControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            // The edit always fills the box.
            if (edit_ != nullptr) {
                ::MoveWindow(edit_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
                // Scroll back to the start: a caret put at the end while the box had no width
                // left only the last character in view.
                ::SendMessageW(edit_, EM_SETSEL, 0, 0);
                ::SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
                MoveCaretToEnd();
            }
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, Resolve(foreColor_));
            ::SetBkColor(dc, Resolve(backColor_));
            if (!backBrush_) {
                backBrush_.Reset(::CreateSolidBrush(Resolve(backColor_)));
            }
            return reinterpret_cast<LRESULT>(backBrush_.Get());
        }
        case WM_SYSCOLORCHANGE:
            backBrush_.Reset();
            return 0;
        case WM_SETFOCUS:
            ::SetFocus(edit_);
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

LRESULT CALLBACK TaveroControl::MessageWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR, DWORD_PTR self) {
    if (msg == WM_HOTKEY) {
        return Fenced(hwnd, 0, [&] {
            reinterpret_cast<TaveroControl*>(self)->box_->RaiseEvents();
            return LRESULT{0};
        });
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
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
                box_->KeyDown(key, state, WinKeyDownNow());
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
            return result;
        }
        case WM_KILLFOCUS: {
            // The focus went with modifiers still held (Shift+Tab, Alt+Tab): their key-ups go
            // elsewhere, so the preview ends here.
            box_->FocusLost();
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
}

void TaveroControl::MoveCaretToEnd() {
    // Without the focus there is no caret to see; the start of the text is then kept in view,
    // so a text a little wider than the box is cut at its end, not at its start.
    int length = ::GetFocus() == edit_ ? ::GetWindowTextLengthW(edit_) : 0;
    ::SendMessageW(edit_, EM_SETSEL, length, length);
}

void TaveroControl::SetBackColor(OleColor color) {
    backColor_ = color;
    backBrush_.Reset();
    ::InvalidateRect(edit_, nullptr, TRUE);
    Changed(L"BackColor");
}

void TaveroControl::SetForeColor(OleColor color) {
    foreColor_ = color;
    ::InvalidateRect(edit_, nullptr, TRUE);
    Changed(L"ForeColor");
}

bool TaveroControl::Enabled() const {
    return ::IsWindowEnabled(edit_) != FALSE;
}

void TaveroControl::SetEnabled(bool enabled) {
    ::EnableWindow(edit_, enabled ? TRUE : FALSE);
    Changed(L"Enabled");
}

void TaveroControl::SetFont(HFONT font) {
    font_ = font;
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // Narrow margins: the box is small and its whole text should show.
    ::SendMessageW(edit_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
    MoveCaretToEnd();
    Changed(L"Font");
}

void TaveroControl::SetBorderStyle(int style) {
    borderStyle_ = style;
    ApplyFrame();
    Changed(L"BorderStyle");
}

void TaveroControl::SetAppearance(int appearance) {
    appearance_ = appearance;
    ApplyFrame();
    Changed(L"Appearance");
}

void TaveroControl::ApplyFrame() {
    // A border is sunken (3-D) or a single line (flat); style 0 has none.
    LONG_PTR style = ::GetWindowLongPtrW(edit_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    LONG_PTR exStyle =
        ::GetWindowLongPtrW(edit_, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    if (borderStyle_ != 0) {
        if (appearance_ != 0) {
            exStyle |= WS_EX_CLIENTEDGE;
        } else {
            style |= WS_BORDER;
        }
    }
    ::SetWindowLongPtrW(edit_, GWL_STYLE, style);
    ::SetWindowLongPtrW(edit_, GWL_EXSTYLE, exStyle);
    ::SetWindowPos(edit_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TaveroControl::SetToolTipText(const std::wstring& text) {
    toolTip_ = text;
    if (!toolTipWindow_) {
        toolTipWindow_.Reset(::CreateWindowExW(
            0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(edit_);
        tool.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(toolTipWindow_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(edit_);
    tool.lpszText = const_cast<wchar_t*>(toolTip_.c_str());
    ::SendMessageW(toolTipWindow_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(toolTipWindow_.Get(), TTM_ACTIVATE, toolTip_.empty() ? FALSE : TRUE, 0);
    Changed(L"ToolTipText");
}

void TaveroControl::Changed(const wchar_t* property) {
    if (box_->Events().propertyChanged) {
        box_->Events().propertyChanged(property);
    }
}

}  // namespace tavero
