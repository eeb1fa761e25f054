#pragma once

#include <string>

namespace tavero {

// Modal message boxes with an OK button and the stop icon.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void ShowError(const std::wstring& title, const std::wstring& text) = 0;
};

}  // namespace tavero
