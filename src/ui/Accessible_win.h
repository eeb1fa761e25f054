#pragma once

#include <windows.h>

#include <string>

namespace tavero {

// Roles a screen reader announces (the platform's values).
namespace roles {
inline constexpr long kStandard = 0;  // whatever the platform's own object says
inline constexpr long kLink = 30;
inline constexpr long kPushButton = 43;
inline constexpr long kCheckButton = 44;
inline constexpr long kComboBox = 46;
}  // namespace roles

// Answers a screen reader's WM_GETOBJECT for `control` with the platform's standard object for
// it, but with the name and, unless kStandard, the role given here. 0 when the request is not
// for the control's own object or the platform cannot answer. The accessibility libraries are
// loaded at the first request: most runs of the program never make one.
LRESULT AnswerAccessibleObject(HWND control, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                               long role);

// Names a standard control for screen readers where its own text cannot (a check box whose
// caption is the same on every row, an edit whose text is its value).
void NameForScreenReaders(HWND control, std::wstring name, long role = roles::kStandard);

}  // namespace tavero
