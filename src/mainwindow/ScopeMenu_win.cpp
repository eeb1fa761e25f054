#include "mainwindow/ScopeMenu_win.h"

#include <commctrl.h>

#include "mainwindow/ScopeMenuItems.h"
#include "platform/Handles_win.h"
#include "platform/Texts.h"
#include "settings/TrimmedText.h"
#include "ui/DialogIds.h"

namespace tavero {

namespace {

// A program's name shown as itself in a menu: an '&' is no access key there.
std::wstring AsMenuText(std::wstring text) {
    for (std::size_t amp = text.find(L'&'); amp != std::wstring::npos;
         amp = text.find(L'&', amp + 2)) {
        text.insert(amp, 1, L'&');
    }
    return text;
}

HMENU ListMenu(ProgramList::Kind kind, const ProgramList& current, const ScopeMenuItems& items) {
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
    ::AppendMenuW(list, MF_STRING, ScopeMenuItems::OtherId(kind),
                  Text(TAVERO_TEXT_OTHER_PROGRAM).c_str());
    return list;
}

}  // namespace

std::optional<ProgramList> ScopeMenu::Choose(HWND owner, POINT at, const ProgramList& current,
                                             std::vector<std::wstring> programs) {
    ScopeMenuItems items(std::move(programs), current);
    UniqueMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.Get(),
                  MF_STRING | (current.kind == ProgramList::Kind::Everywhere ? MF_CHECKED : 0),
                  ScopeMenuItems::kEveryProgram, Text(TAVERO_TEXT_EVERY_PROGRAM).c_str());
    // Submenus go with the menu they are in.
    for (auto [kind, words] : {std::pair{ProgramList::Kind::OnlyIn, TAVERO_TEXT_ONLY_IN},
                               {ProgramList::Kind::EverywhereBut, TAVERO_TEXT_EVERYWHERE_BUT}}) {
        ::AppendMenuW(menu.Get(), MF_POPUP,
                      reinterpret_cast<UINT_PTR>(ListMenu(kind, current, items)),
                      Text(words).c_str());
    }
    auto chosen = static_cast<unsigned>(::TrackPopupMenuEx(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
    ScopeMenuItems::Choice choice = items.Chosen(chosen);
    switch (choice.what) {
        case ScopeMenuItems::Choice::What::Scope:
            return choice.scope;
        case ScopeMenuItems::Choice::What::AskForName:
            if (std::optional<std::wstring> typed = AskProgramName(owner)) {
                return current.Toggled(choice.list, *typed);
            }
            break;
        case ScopeMenuItems::Choice::What::Nothing:
            break;
    }
    return std::nullopt;
}

namespace {

INT_PTR CALLBACK ProgramNameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            return TRUE;  // the focus in the field
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                HWND field = ::GetDlgItem(dialog, TAVERO_PROGRAM_NAME_EDIT);
                wchar_t typed[ProgramList::kLongestText + 1] = {};
                ::GetWindowTextW(field, typed, static_cast<int>(std::size(typed)));
                std::wstring name(TrimBlanks(typed));
                if (!IsProgramName(name)) {
                    // Said at the field, which keeps what was typed for the user to mend.
                    std::wstring title = Text(TAVERO_TEXT_NOT_A_PROGRAM_TITLE);
                    std::wstring why = Text(TAVERO_TEXT_NOT_A_PROGRAM, {name});
                    EDITBALLOONTIP tip{sizeof(tip), title.c_str(), why.c_str(), TTI_WARNING};
                    ::SendMessageW(field, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
                    return TRUE;
                }
                *reinterpret_cast<std::wstring*>(::GetWindowLongPtrW(dialog, DWLP_USER)) = name;
                ::EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

std::optional<std::wstring> AskProgramName(HWND owner) {
    std::wstring name;
    INT_PTR answer =
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TAVERO_PROGRAM_NAME_DIALOG),
                          owner, ProgramNameProc, reinterpret_cast<LPARAM>(&name));
    return answer == IDOK ? std::optional(name) : std::nullopt;
}

}  // namespace tavero
