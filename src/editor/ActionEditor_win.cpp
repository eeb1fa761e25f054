#include "editor/ActionEditor_win.h"

#include <commctrl.h>

#include <optional>

#include "editor/KeyNameTable.h"
#include "platform/DecimalText.h"
#include "platform/Texts.h"
#include "ui/ControlIds.h"
#include "ui/EditorLayout.h"
#include "ui/Links.h"
#include "ui/Skin_win.h"

namespace tavero {

namespace {

namespace layout = editor_layout;
constexpr const wchar_t* kClassName = L"TaveroActionEditor";
// The drop-down part of a list, below its edit field, in pixels at 96 DPI.
constexpr int kDropDownPixels = 240;

struct ListDesign {
    int id;
    TwipsRect place;
    int name;  // what a screen reader calls it: the press order, left to right
};
// In the keyboard's tab order: the middle list, the right, the left.
constexpr std::array<ListDesign, 3> kLists = {{
    {control_ids::kMiddleList, layout::kMiddleList, TAVERO_TEXT_SECOND_KEY},
    {control_ids::kRightList, layout::kRightList, TAVERO_TEXT_THIRD_KEY},
    {control_ids::kLeftList, layout::kLeftList, TAVERO_TEXT_FIRST_KEY},
}};
constexpr std::array<std::size_t, 3> kListIndex = {1, 2, 0};  // kLists[i] is lists_[kListIndex[i]]

SkinnedWindow::Skin EditorSkin() {
    return {kClassName,
            Text(TAVERO_TEXT_EDITOR_CAPTION),
            layout::kWidth,
            layout::kHeight,
            {Text(TAVERO_TEXT_EDITOR_TITLE), layout::kTitleStrip, layout::kLogo, layout::kTitle,
             layout::kCloseButton, std::nullopt},
            layout::kFrame,
            layout::kFramePenPixels,
            Text(TAVERO_TEXT_EDITOR_NAME)};
}

PixelRect ListPlace(const TwipsRect& place, int dpi) {
    PixelRect r = ToPixels(place, dpi);
    r.height += ScalePixels(kDropDownPixels, dpi);
    return r;
}

}  // namespace

ActionEditor::ActionEditor(ShellOpener& shell)
    : SkinnedWindow(EditorSkin(), {[this] { OnClose(); }, {}, {}}), shell_(shell) {
    SetFonts();
    CreateControls();
}

ActionEditor::~ActionEditor() {
    link_.reset();
    Destroy();
}

void ActionEditor::SetFonts() {
    listFont_ = CreateSkinFont(palette::kYaHei, 9, FW_NORMAL, DEFAULT_CHARSET, Dpi());
    addNowFont_ = CreateSkinFont(palette::kYaHei, 18, FW_BOLD, DEFAULT_CHARSET, Dpi());
}

void ActionEditor::CreateControls() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        PixelRect r = ListPlace(kLists[i].place, Dpi());
        HWND list = ::CreateWindowExW(
            0, L"COMBOBOX", L"",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
            r.left, r.top, r.width, r.height, Handle(), AsMenuId(kLists[i].id), instance, nullptr);
        ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), FALSE);
        for (const std::wstring& entry : KeyListEntries()) {
            ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        NameForScreenReaders(list, Text(kLists[i].name), roles::kComboBox);
        // The focus goes into the list's edit field: it answers to the same name.
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof(parts);
        if (::GetComboBoxInfo(list, &parts) && parts.hwndItem != nullptr) {
            NameForScreenReaders(parts.hwndItem, Text(kLists[i].name));
        }
        lists_[kListIndex[i]] = list;
    }
    PixelRect add = ToPixels(layout::kAddNow, Dpi());
    addNow_ = ::CreateWindowExW(0, L"BUTTON", Text(TAVERO_TEXT_ADD_NOW).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, add.left,
                                add.top, add.width, add.height, Handle(),
                                AsMenuId(control_ids::kAddNow), instance, nullptr);
    NameForScreenReaders(addNow_, Text(TAVERO_TEXT_ADD_NOW), roles::kPushButton);
    link_ =
        std::make_unique<TextLink>(Handle(), control_ids::kLink, Text(TAVERO_TEXT_GUIDE_LINK), 12,
                                   palette::kYellow, [this] { shell_.Open(links::kHotKeyGuide); });
    link_->Place(layout::kGuideLink, Dpi());
}

void ActionEditor::Relayout(int dpi) {
    // The lists take the new font before the old one goes.
    UniqueFont oldListFont = std::move(listFont_);
    SetFonts();
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        PixelRect r = ListPlace(kLists[i].place, dpi);
        HWND list = lists_[kListIndex[i]];
        ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.Get()), TRUE);
        ::MoveWindow(list, r.left, r.top, r.width, r.height, TRUE);
    }
    PixelRect add = ToPixels(layout::kAddNow, dpi);
    ::MoveWindow(addNow_, add.left, add.top, add.width, add.height, TRUE);
    link_->Place(layout::kGuideLink, dpi);
}

void ActionEditor::OpenFor(int row, HWND beside) {
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
    SetAccessibleName(Text(TAVERO_TEXT_EDITOR_FOR_ROW, {DecimalText(row + 1)}));
    ShowBeside(beside);
    ::SetFocus(lists_[1]);
}

bool ActionEditor::OnCommand(int id, int code, HWND control) {
    if (code == CBN_SELCHANGE || code == CBN_KILLFOCUS) {
        for (int list = 0; list < ActionComposer::kLists; ++list) {
            if (control == lists_[static_cast<std::size_t>(list)]) {
                if (code == CBN_SELCHANGE) {
                    OnListPicked(list);
                } else {
                    AcceptTyped(list);
                }
                return true;
            }
        }
    }
    // Enter, wherever the focus is, or a click or Space on "Add Now".
    if (id == IDOK || (id == control_ids::kAddNow && code == BN_CLICKED)) {
        OnAddNow();
        return true;
    }
    if (id == IDCANCEL) {  // Escape
        Discard();
        return true;
    }
    return false;
}

bool ActionEditor::OnClose() {
    Discard();
    return true;
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

bool ActionEditor::AcceptTyped(int list) {
    HWND combo = lists_[static_cast<std::size_t>(list)];
    std::wstring typed(static_cast<std::size_t>(::GetWindowTextLengthW(combo)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(
        ::GetWindowTextW(combo, typed.data(), static_cast<int>(typed.size()))));
    std::wstring picked = composer_.Picked(list);
    if (typed == picked) {
        return true;
    }
    // A name typed whatever its case is its entry picked.
    std::optional<std::wstring> entry = KeyListEntryFor(typed);
    std::wstring shown = entry ? *entry : picked;
    LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(shown.c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (entry) {
        composer_.Pick(list, *entry);
        return true;
    }
    // Anything else is no key: the list shows its pick again, and says why.
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    if (::GetComboBoxInfo(combo, &parts) && parts.hwndItem != nullptr) {
        std::wstring title = Text(TAVERO_TEXT_NOT_A_KEY_TITLE);
        std::wstring why = Text(TAVERO_TEXT_NOT_A_KEY, {typed});
        EDITBALLOONTIP tip{sizeof(tip), title.c_str(), why.c_str(), TTI_WARNING};
        ::SendMessageW(parts.hwndItem, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
    }
    return false;
}

void ActionEditor::OnAddNow() {
    // What the lists show is what is added: a name typed and not yet taken in counts, and one
    // that is no key stops the adding, visibly.
    for (int list = 0; list < ActionComposer::kLists; ++list) {
        if (!AcceptTyped(list)) {
            ::SetFocus(lists_[static_cast<std::size_t>(list)]);
            return;
        }
    }
    ActionComposer::Action action = composer_.Compose();
    Hide();
    if (onAdd) {
        onAdd(action);
    }
}

void ActionEditor::Discard() {
    Hide();
    discarded_ = true;
    if (onClose) {
        onClose();
    }
}

bool ActionEditor::OnDrawItem(const DRAWITEMSTRUCT& item) {
    UniqueBrush green(::CreateSolidBrush(ToColorRef(palette::kGreen)));
    ::FillRect(item.hDC, &item.rcItem, green.Get());
    {
        Selected font(item.hDC, addNowFont_.Get());
        ::SetBkMode(item.hDC, TRANSPARENT);
        ::SetTextColor(item.hDC, ToColorRef(palette::kWhite));
        RECT text = item.rcItem;
        ::DrawTextW(item.hDC, Text(TAVERO_TEXT_ADD_NOW).c_str(), -1, &text,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    // The keyboard's focus shows, in a solid white ring that stands out from the green (a
    // dotted line barely does).
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        int inset = ScalePixels(3, Dpi());
        ::InflateRect(&focus, -inset, -inset);
        DrawFocusRing(item.hDC, focus, ScalePixels(2, Dpi()), ToColorRef(palette::kWhite));
    }
    return true;
}

}  // namespace tavero
