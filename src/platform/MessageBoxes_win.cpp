#include "platform/MessageBoxes_win.h"

namespace tavero {

void Win32MessageBoxes::ShowError(const std::wstring& title, const std::wstring& text) {
    ::MessageBoxW(owner_, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

MessageBoxes::AfterFailedSave Win32MessageBoxes::AskAfterFailedSave(const std::wstring& title,
                                                                    const std::wstring& text) {
    switch (::MessageBoxW(owner_, text.c_str(), title.c_str(),
                          MB_CANCELTRYCONTINUE | MB_DEFBUTTON2 | MB_ICONSTOP)) {
        case IDTRYAGAIN:
            return AfterFailedSave::TryAgain;
        case IDCONTINUE:
            return AfterFailedSave::QuitAnyway;
        default:  // Cancel, or Escape
            return AfterFailedSave::GoBack;
    }
}

}  // namespace tavero
