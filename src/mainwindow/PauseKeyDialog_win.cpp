#include "mainwindow/PauseKeyDialog_win.h"

#include "platform/Texts.h"
#include "ui/DialogIds.h"

namespace tavero {

void PauseKeyDialog::Run(HWND owner, int keyCode, int modKeyCode) {
    keyCode_ = keyCode;
    modKeyCode_ = modKeyCode;
    ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TAVERO_PAUSE_KEY_DIALOG), owner,
                      Proc, reinterpret_cast<LPARAM>(this));
    box_.reset();
}

INT_PTR CALLBACK PauseKeyDialog::Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<PauseKeyDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    return Fenced(dialog, FALSE, [&]() -> INT_PTR {
        switch (msg) {
            case WM_INITDIALOG:
                self->Init(dialog);
                return FALSE;  // the focus is given to the box
            case WM_COMMAND:
                self->Command(dialog, LOWORD(wParam));
                return TRUE;
            case WM_DESTROY:
                self->box_.reset();
                return FALSE;
            default:
                return FALSE;
        }
    });
}

void PauseKeyDialog::Init(HWND dialog) {
    // The box takes the place the template keeps for it, at the dialog's own size and font.
    HWND place = ::GetDlgItem(dialog, TAVERO_PAUSE_KEY_BOX);
    RECT r;
    ::GetWindowRect(place, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    ::DestroyWindow(place);
    StoreSettings store;
    store.settingLocation = StoreSettings::kOwnersStore;
    box_ = std::make_unique<TaveroControl>(
        dialog, TAVERO_PAUSE_KEY_BOX, L"PauseKey", services_,
        PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}, store);
    box_->SetFont(reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)));
    box_->SetAccessibleName(Text(TAVERO_TEXT_PAUSE_KEY_NAME));
    box_->Box().Show(keyCode_, modKeyCode_);
    // Where the field was in the keyboard's order: after the text, before the buttons.
    HWND text = ::GetWindow(::GetDlgItem(dialog, TAVERO_PAUSE_KEY_CLEAR), GW_HWNDPREV);
    ::SetWindowPos(box_->Handle(), text, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetFocus(box_->EditHandle());
}

void PauseKeyDialog::Command(HWND dialog, int id) {
    switch (id) {
        case IDOK:
            if (trySet_(box_->Box().KeyCode(), box_->Box().ModKeyCode())) {
                ::EndDialog(dialog, IDOK);
                return;
            }
            // Refused as a row's taken combination is.
            ::MessageBoxW(dialog, Text(TAVERO_TEXT_TAKEN).c_str(),
                          Text(TAVERO_TEXT_ERROR_TITLE).c_str(), MB_OK | MB_ICONSTOP);
            box_->Box().Clear();
            ::SetFocus(box_->EditHandle());
            return;
        case TAVERO_PAUSE_KEY_CLEAR:
            box_->Box().Clear();
            ::SetFocus(box_->EditHandle());
            return;
        case IDCANCEL:
            ::EndDialog(dialog, IDCANCEL);
            return;
        default:
            return;
    }
}

}  // namespace tavero
