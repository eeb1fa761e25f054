#include "editor/ActionEditor_win.h"

#include <windowsx.h>

#include "editor/KeyNameTable.h"
#include "platform/MessagePump_win.h"
#include "ui/EditorLayout.h"
#include "ui/Links.h"
#include "ui/Skin_win.h"
#include "ui/SkinnedWindow_win.h"

namespace tavero {

namespace {

namespace layout = editor_layout;
constexpr const wchar_t* kClassName = L"TaveroActionEditor";
constexpr const wchar_t* kGuideCaption =
    L"Search \u201Chotkey\u201D on omdara.example.com to learn more";
// The drop-down part of a list, below its edit field, in pixels at 96 DPI.
constexpr int kDropDownPixels = 240;

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.Right(), r.Bottom()};
}
HMENU IdOf(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

ActionEditor::ActionEditor(ShellOpener& shell) : shell_(shell) {
    RegisterClassOnce(kClassName, 0, ::GetSysColorBrush(COLOR_BTNFACE));
    Create(kClassName, kCaption, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
           0, 0, 0, 0, nullptr, nullptr);
    CreateControls();
    FillLists();
    Layout(static_cast<int>(::GetDpiForWindow(Handle())));
    MessagePump::AddNavigableWindow(Handle());
}

ActionEditor::~ActionEditor() {
    MessagePump::RemoveNavigableWindow(Handle());
    titleStrip_.reset();
    Destroy();
}

void ActionEditor::CreateControls() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    titleStrip_ = std::make_unique<TitleStrip>(
        Handle(), kTitleStripId,
        TitleStrip::Design{L"Edit", layout::kTitleStrip, layout::kLogo, layout::kTitle,
                           layout::kCloseButton, std::nullopt});
    titleStrip_->onClose = [this] { OnClose(); };

    // Created in the keyboard's tab order: the middle list, the right, the left, "Add Now".
    auto makeList = [&](int id) {
        return ::CreateWindowExW(
            0, L"COMBOBOX", L"",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0,
            0, 0, Handle(), IdOf(id), instance, nullptr);
    };
    lists_[1] = makeList(kMiddleListId);
    lists_[2] = makeList(kRightListId);
    lists_[0] = makeList(kLeftListId);
    link_ = std::make_unique<HoverLink>(Handle(),
                                        HoverLink::Design{kGuideCaption, layout::kGuideLink, 12,
                                                          palette::kLinkBlue, palette::kYellow},
                                        [this] { shell_.Open(links::kHotKeyGuide); });
    addNow_ = ::CreateWindowExW(0, L"BUTTON", L"Add Now",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0,
                                Handle(), IdOf(kAddNowId), instance, nullptr);
}

void ActionEditor::FillLists() {
    for (HWND list : lists_) {
        for (const std::wstring& entry : KeyListEntries()) {
            ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
    }
}

void ActionEditor::Layout(int dpi) {
    dpi_ = dpi;
    listFont_ = CreateSkinFont(palette::kYaHei, 9, FW_NORMAL, DEFAULT_CHARSET, dpi);
    addNowFont_ = CreateSkinFont(palette::kYaHei, 18, FW_BOLD, DEFAULT_CHARSET, dpi);
    link_->Layout(dpi);

    titleStrip_->Layout(dpi);
    const TwipsRect designs[] = {layout::kLeftList, layout::kMiddleList, layout::kRightList};
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        PixelRect r = ToPixels(designs[i], dpi);
        ::SendMessageW(lists_[i], WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), TRUE);
        ::MoveWindow(lists_[i], r.left, r.top, r.width,
                     r.height + ScalePixels(kDropDownPixels, dpi), TRUE);
    }
    PixelRect add = ToPixels(layout::kAddNow, dpi);
    ::MoveWindow(addNow_, add.left, add.top, add.width, add.height, TRUE);
    ::SetWindowPos(Handle(), nullptr, 0, 0, TwipsToPixels(layout::kWidth, dpi),
                   TwipsToPixels(layout::kHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void ActionEditor::OpenFor(int row) {
    if (discarded_) {
        // Opened again after a close: as if made anew.
        discarded_ = false;
        composer_.Reset();
        for (HWND list : lists_) {
            ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            ::SetWindowTextW(list, L"");
        }
    }
    composer_.SetRow(row);
    if (!placed_) {
        // Centred on the screen the first time it is shown.
        placed_ = true;
        CentreOnWorkArea(Handle());
    }
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    ::SetFocus(lists_[1]);
}

LRESULT ActionEditor::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT handled = 0;
    if (link_ && link_->HandleMessage(msg, wParam, lParam, handled)) {
        return handled;
    }
    if (HandleSkinnedWindowMessage(
            Handle(), msg, wParam, lParam, [this](int dpi) { Layout(dpi); }, handled)) {
        return handled;
    }
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                for (int list = 0; list < ActionComposer::kLists; ++list) {
                    if (reinterpret_cast<HWND>(lParam) == lists_[static_cast<std::size_t>(list)]) {
                        OnListPicked(list);
                    }
                }
            } else if (id == kAddNowId && HIWORD(wParam) == BN_CLICKED) {
                OnAddNow();
            }
            return 0;
        }
        case WM_DRAWITEM:
            DrawAddNow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            OnClose();
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

void ActionEditor::OnListPicked(int list) {
    HWND combo = lists_[static_cast<std::size_t>(list)];
    LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    std::wstring name;
    if (index >= 0) {
        std::size_t length =
            static_cast<std::size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0));
        name.resize(length + 1);
        ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name.data()));
        name.resize(length);
    }
    composer_.Pick(list, name);
}

void ActionEditor::OnAddNow() {
    ActionComposer::Action action = composer_.Compose();
    ::ShowWindow(Handle(), SW_HIDE);
    if (onAdd) {
        onAdd(action);
    }
}

void ActionEditor::OnClose() {
    ::ShowWindow(Handle(), SW_HIDE);
    discarded_ = true;
    if (onClose) {
        onClose();
    }
}

void ActionEditor::DrawAddNow(const DRAWITEMSTRUCT& item) {
    UniqueBrush green(::CreateSolidBrush(ToColorRef(palette::kGreen)));
    ::FillRect(item.hDC, &item.rcItem, green.Get());
    HGDIOBJ oldFont = ::SelectObject(item.hDC, addNowFont_.Get());
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ToColorRef(palette::kWhite));
    RECT text = item.rcItem;
    ::DrawTextW(item.hDC, L"Add Now", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(item.hDC, oldFont);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(item.hDC, &focus);
    }
}

void ActionEditor::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    DrawFrame(dc, ToRect(ToPixels(layout::kFrame, dpi_)),
              ScalePixels(layout::kFramePenPixels, dpi_), ToColorRef(palette::kGreen));
    link_->Paint(dc);
    ::EndPaint(Handle(), &ps);
}

}  // namespace tavero
