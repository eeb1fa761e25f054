#pragma once

#include <windows.h>

#include "platform/MessageBoxes.h"

namespace tavero {

class Win32MessageBoxes : public MessageBoxes {
  public:
    // Boxes are owned by `owner` when one is given, so they stay above the program's windows.
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void ShowError(const std::wstring& title, const std::wstring& text) override;
    AfterFailedSave AskAfterFailedSave(const std::wstring& title,
                                       const std::wstring& text) override;

  private:
    HWND owner_;
};

}  // namespace tavero
