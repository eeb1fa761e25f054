#include "mainwindow/MainRows_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/DecimalText.h"
#include "platform/Texts.h"
#include "ui/ControlIds.h"
#include "ui/MainLayout.h"
#include "ui/Skin_win.h"

namespace tavero {

namespace {

const main_layout::Row& Design(int row) {
    return main_layout::kRowTable[RowIndex(row)];
}

// A row's own text: `what` with the row's number, 1 to 10, in its blank.
std::wstring OfRow(int what, int row) {
    return Text(what, {DecimalText(row + 1)});
}

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                   DWORD exStyle, int id, const TwipsRect& place, int dpi) {
    PixelRect r = ToPixels(place, dpi);
    return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                             r.width, r.height, parent, AsMenuId(id), ::GetModuleHandleW(nullptr),
                             nullptr);
}

void Place(HWND control, const TwipsRect& place, int dpi) {
    PixelRect r = ToPixels(place, dpi);
    ::SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

MainRows::MainRows(HWND window, const TaveroServices& services, HotKeyRows& model, int dpi,
                   std::function<void(int row)> onEditRow)
    : window_(window), model_(model), onEditRow_(std::move(onEditRow)) {
    auto makeActionText = [&](int row) {
        At(row).actionText =
            CreateControl(window_, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                          control_ids::ActionText(row), Design(row).actionText, dpi);
        ::SetWindowSubclass(At(row).actionText, ActionTextProc, static_cast<UINT_PTR>(row),
                            reinterpret_cast<DWORD_PTR>(this));
    };
    // In the keyboard's tab order: the first action text, the ten arm boxes, the other action
    // texts, the ten capture boxes.
    makeActionText(0);
    for (int row = 0; row < kRowCount; ++row) {
        At(row).armBox = CreateControl(window_, L"BUTTON", Text(TAVERO_TEXT_ARM_BOX).c_str(),
                                       WS_TABSTOP | BS_AUTOCHECKBOX, 0, control_ids::ArmBox(row),
                                       Design(row).armBox, dpi);
    }
    for (int row = 1; row < kRowCount; ++row) {
        makeActionText(row);
    }
    for (int row = 0; row < kRowCount; ++row) {
        Row& c = At(row);
        c.hotKeyBox = std::make_unique<TaveroControl>(window_, control_ids::HotKeyBox(row),
                                                      L"Tavero" + DecimalText(row + 1), services,
                                                      ToPixels(Design(row).hotKeyBox, dpi));
        model_.Attach(row, c.hotKeyBox->Box());
        c.hotKeyBox->Box().Events().hotKeyPressed = [this, row] { model_.Fire(row); };
        // Capturing a new hotkey in an armed box disarms it; the arm box says so at once.
        c.hotKeyBox->Box().Events().hotKeyDisarmed = [this, &c] {
            ::SendMessageW(c.armBox, BM_SETCHECK, BST_UNCHECKED, 0);
            model_.ArmedChanged();
        };
        c.editButton = std::make_unique<DrawnButton>(
            window_, control_ids::EditButton(row), OfRow(TAVERO_TEXT_ROW_EDIT_BUTTON, row),
            roles::kPushButton,
            [](HDC dc, const RECT& r, bool, bool) {
                ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
                DrawEditButton(dc, r);
            },
            [this, row] { onEditRow_(row); });
        c.editButton->Place(ToPixels(Design(row).editButton, dpi));
    }
    SetFonts(dpi, FALSE);
}

MainRows::~MainRows() {
    // The boxes' windows are children of the main window: taken down while it still exists.
    for (Row& row : rows_) {
        row.hotKeyBox.reset();
        row.editButton.reset();
    }
}

void MainRows::SetFonts(int dpi, BOOL redraw) {
    // The controls take the new fonts before the old ones go: none is left with a deleted one.
    UniqueFont windowFont = CreateSkinFont(palette::kYaHei, 9, FW_NORMAL, DEFAULT_CHARSET, dpi);
    UniqueFont hotKeyFont = CreateSkinFont(palette::kSimSun, 9, FW_NORMAL, DEFAULT_CHARSET, dpi);
    for (Row& c : rows_) {
        auto font = reinterpret_cast<WPARAM>(windowFont.Get());
        ::SendMessageW(c.armBox, WM_SETFONT, font, redraw);
        ::SendMessageW(c.actionText, WM_SETFONT, font, redraw);
        c.hotKeyBox->SetFont(hotKeyFont.Get());
    }
    windowFont_ = std::move(windowFont);
    hotKeyFont_ = std::move(hotKeyFont);
}

void MainRows::Relayout(int dpi) {
    for (int row = 0; row < kRowCount; ++row) {
        Row& c = At(row);
        Place(c.armBox, Design(row).armBox, dpi);
        Place(c.actionText, Design(row).actionText, dpi);
        PixelRect box = ToPixels(Design(row).hotKeyBox, dpi);
        c.hotKeyBox->Move(box.left, box.top, box.width, box.height);
        c.editButton->Place(ToPixels(Design(row).editButton, dpi));
    }
    SetFonts(dpi, TRUE);
}

void MainRows::ShowArmed() {
    for (int row = 0; row < kRowCount; ++row) {
        ::SendMessageW(At(row).armBox, BM_SETCHECK, model_.Armed(row) ? BST_CHECKED : BST_UNCHECKED,
                       0);
    }
}

std::wstring MainRows::ActionName(int row) const {
    // Where the row applies in some programs only, a screen reader says which, as the tip shows.
    std::wstring tip = model_.ActionTip(row);
    std::size_t line = tip.find(L'\n');
    std::wstring name = OfRow(TAVERO_TEXT_ROW_ACTION, row);
    return line == std::wstring::npos ? name : name + L"; " + tip.substr(line + 1);
}

int MainRows::ArmBoxRow(int id) {
    int row = id - control_ids::ArmBox(0);
    return row >= 0 && row < kRowCount ? row : -1;
}

void MainRows::Refresh(int row, bool withTip) {
    ::SetWindowTextW(At(row).actionText, model_.ActionText(row).c_str());
    if (withTip && tips_) {
        tips_->Set(At(row).actionText, model_.ActionTip(row));
        NameForScreenReaders(At(row).actionText, ActionName(row));
    }
}

void MainRows::FinishStart() {
    tips_ = std::make_unique<ToolTips>(window_);
    for (int row = 0; row < kRowCount; ++row) {
        Row& c = At(row);
        tips_->Set(c.actionText, model_.ActionTip(row));
        NameForScreenReaders(c.armBox, OfRow(TAVERO_TEXT_ROW_ARM_BOX, row), roles::kCheckButton);
        NameForScreenReaders(c.actionText, ActionName(row));
        c.hotKeyBox->SetAccessibleName(OfRow(TAVERO_TEXT_ROW_HOTKEY, row));
    }
}

LRESULT CALLBACK MainRows::ActionTextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR row, DWORD_PTR self) {
    auto* rows = reinterpret_cast<MainRows*>(self);
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter is the text's own, not the window's default button.
            if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
                return ::DefSubclassProc(hwnd, msg, wParam, lParam) | DLGC_WANTMESSAGE;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_F2) {
                return Fenced(hwnd, 0, [&] {
                    rows->onEditRow_(static_cast<int>(row));
                    return LRESULT{0};
                });
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') {
                return 0;  // no beep
            }
            break;
        case WM_CONTEXTMENU:
            if (rows->onActionMenu) {
                return Fenced(hwnd, 0, [&] {
                    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                    if (lParam == -1) {  // from the keyboard: at the text itself
                        RECT r;
                        ::GetWindowRect(hwnd, &r);
                        at = {r.left, r.bottom};
                    }
                    rows->onActionMenu(static_cast<int>(row), at);
                    return LRESULT{0};
                });
            }
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(hwnd, ActionTextProc, row);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace tavero
