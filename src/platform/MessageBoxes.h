#pragma once

#include <string>

namespace tavero {

// Modal message boxes with the stop icon.
class MessageBoxes {
  public:
    // What the user chose after a save that failed as the program was to quit.
    enum class AfterFailedSave { TryAgain, GoBack, QuitAnyway };

    virtual ~MessageBoxes() = default;
    // With an OK button.
    virtual void ShowError(const std::wstring& title, const std::wstring& text) = 0;
    // With Try Again (the default), Cancel (go back to the program) and Continue (quit anyway).
    virtual AfterFailedSave AskAfterFailedSave(const std::wstring& title,
                                               const std::wstring& text) = 0;
};

}  // namespace tavero
