#include "mainwindow/ActionMenu_win.h"

#include <commctrl.h>

#include <functional>

#include "mainwindow/ActionMenuItems.h"
#include "platform/DecimalText.h"
#include "platform/Handles_win.h"
#include "platform/Texts.h"
#include "playback/ActionCode.h"
#include "settings/TrimmedText.h"
#include "ui/DialogIds.h"

namespace tavero {

namespace {

// Says why what was typed cannot be taken, in a balloon at the field.
void SayAtField(HWND field, int title, const std::wstring& why) {
    std::wstring heading = Text(title);
    EDITBALLOONTIP tip{sizeof(tip), heading.c_str(), why.c_str(), TTI_WARNING};
    ::SendMessageW(field, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

// A program's name shown as itself in a menu: an '&' is no access key there.
std::wstring AsMenuText(std::wstring text) {
    for (std::size_t amp = text.find(L'&'); amp != std::wstring::npos;
         amp = text.find(L'&', amp + 2)) {
        text.insert(amp, 1, L'&');
    }
    return text;
}

HMENU ListMenu(ProgramList::Kind kind, const ProgramList& current, const ActionMenuItems& items) {
    HMENU list = ::CreatePopupMenu();
    const std::vector<std::wstring>& programs = items.Programs();
    for (std::size_t i = 0; i < programs.size(); ++i) {
        bool named = current.kind == kind && current.Names(programs[i]);
        ::AppendMenuW(list, MF_STRING | (named ? MF_CHECKED : 0), items.ProgramId(kind, i),
                      AsMenuText(programs[i]).c_str());
    }
    if (!programs.empty()) {
        ::AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    }
    ::AppendMenuW(list, MF_STRING, ActionMenuItems::OtherId(kind),
                  Text(TAVERO_TEXT_OTHER_PROGRAM).c_str());
    return list;
}

HMENU PressMenu(PressMode press) {
    HMENU menu = ::CreatePopupMenu();
    for (auto [kind, words] : {std::pair{PressMode::Kind::Tap, TAVERO_TEXT_PRESS_TAP},
                               {PressMode::Kind::Hold, TAVERO_TEXT_PRESS_HOLD},
                               {PressMode::Kind::Repeat, TAVERO_TEXT_PRESS_REPEAT}}) {
        ::AppendMenuW(menu, MF_STRING | (press.kind == kind ? MF_CHECKED : 0),
                      ActionMenuItems::PressId(kind), Text(words).c_str());
    }
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, ActionMenuItems::kTapLength,
                  Text(TAVERO_TEXT_PRESS_TAP_LENGTH).c_str());
    return menu;
}

}  // namespace

ActionMenu::Choice ActionMenu::Choose(HWND owner, POINT at, const ProgramList& current,
                                      PressMode press, std::vector<std::wstring> programs) {
    ActionMenuItems items(std::move(programs), current);
    UniqueMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.Get(),
                  MF_STRING | (current.kind == ProgramList::Kind::Everywhere ? MF_CHECKED : 0),
                  ActionMenuItems::kEveryProgram, Text(TAVERO_TEXT_EVERY_PROGRAM).c_str());
    // Submenus go with the menu they are in.
    for (auto [kind, words] : {std::pair{ProgramList::Kind::OnlyIn, TAVERO_TEXT_ONLY_IN},
                               {ProgramList::Kind::EverywhereBut, TAVERO_TEXT_EVERYWHERE_BUT}}) {
        ::AppendMenuW(menu.Get(), MF_POPUP,
                      reinterpret_cast<UINT_PTR>(ListMenu(kind, current, items)),
                      Text(words).c_str());
    }
    ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(PressMenu(press)),
                  Text(TAVERO_TEXT_PRESS_MENU).c_str());
    auto chosen = static_cast<unsigned>(::TrackPopupMenuEx(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
    ActionMenuItems::Choice choice = items.Chosen(chosen);
    using What = ActionMenuItems::Choice::What;
    switch (choice.what) {
        case What::Scope:
            return {choice.scope, std::nullopt};
        case What::AskForName:
            if (std::optional<std::wstring> typed = AskProgramName(owner)) {
                return {current.Toggled(choice.list, *typed), std::nullopt};
            }
            break;
        case What::Press:
            return {std::nullopt, choice.press};
        case What::AskTapLength:
            if (std::optional<int> ms = AskTapLength(owner, press.tapMs)) {
                return {std::nullopt, PressMode{PressMode::Kind::Tap, *ms}};
            }
            break;
        case What::Nothing:
            break;
    }
    return {};
}

namespace {

// A dialog of one field and OK: what is typed, trimmed, is taken when `Accept` takes it, and
// otherwise said at the field, which keeps what was typed for the user to mend.
struct FieldDialog {
    int field;
    std::wstring initial;  // selected, to be typed over
    std::function<bool(HWND field, const std::wstring& typed)> Accept;
};

INT_PTR CALLBACK FieldDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const auto& asked = *reinterpret_cast<const FieldDialog*>(lParam);
            HWND field = ::GetDlgItem(dialog, asked.field);
            ::SetWindowTextW(field, asked.initial.c_str());
            ::SendMessageW(field, EM_SETSEL, 0, -1);
            return TRUE;  // the focus in the field
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const auto& asked =
                    *reinterpret_cast<const FieldDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
                HWND field = ::GetDlgItem(dialog, asked.field);
                wchar_t typed[ProgramList::kLongestText + 1] = {};
                ::GetWindowTextW(field, typed, static_cast<int>(std::size(typed)));
                if (asked.Accept(field, std::wstring(TrimBlanks(typed)))) {
                    ::EndDialog(dialog, IDOK);
                }
            } else if (LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

bool Ask(HWND owner, int dialog, const FieldDialog& asked) {
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog), owner,
                             FieldDialogProc, reinterpret_cast<LPARAM>(&asked)) == IDOK;
}

}  // namespace

std::optional<int> AskTapLength(HWND owner, int current) {
    int ms = 0;
    // The field takes digits only; a length out of range is said at it.
    FieldDialog asked{TAVERO_TAP_LENGTH_EDIT, DecimalText(current > 0 ? current : kOneKeyHoldMs),
                      [&](HWND field, const std::wstring& typed) {
                          std::optional<int> read = ParseDecimal(typed, PressMode::kLongestTapMs);
                          if (!read || *read < PressMode::kShortestTapMs) {
                              SayAtField(field, TAVERO_TEXT_NOT_A_TAP_LENGTH_TITLE,
                                         Text(TAVERO_TEXT_NOT_A_TAP_LENGTH));
                              return false;
                          }
                          ms = *read;
                          return true;
                      }};
    return Ask(owner, TAVERO_TAP_LENGTH_DIALOG, asked) ? std::optional(ms) : std::nullopt;
}

std::optional<std::wstring> AskProgramName(HWND owner) {
    std::wstring name;
    FieldDialog asked{TAVERO_PROGRAM_NAME_EDIT, L"", [&](HWND field, const std::wstring& typed) {
                          if (!IsProgramName(typed)) {
                              SayAtField(field, TAVERO_TEXT_NOT_A_PROGRAM_TITLE,
                                         Text(TAVERO_TEXT_NOT_A_PROGRAM, {typed}));
                              return false;
                          }
                          name = typed;
                          return true;
                      }};
    return Ask(owner, TAVERO_PROGRAM_NAME_DIALOG, asked) ? std::optional(name) : std::nullopt;
}

}  // namespace tavero
