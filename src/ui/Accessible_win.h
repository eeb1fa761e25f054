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

// What assistive technology learns of a window and can do with it, where the platform's own
// object would say otherwise.
struct AccessibleDescription {
    std::wstring name;
    long role = roles::kStandard;
    // The default action ("Press", "Jump"), done by posting `actMessage` to the window (a
    // request from another program never runs the action inside its own call); none: the
    // platform's.
    std::wstring defaultAction;
    UINT actMessage = 0;
    // Whether it says it can take the keyboard's focus; a control outside the tab order says no.
    bool focusable = true;
    // A top-level window is known by its window object too, not only by its client area.
    bool topLevel = false;
};

// Answers a screen reader's WM_GETOBJECT for `window` with the platform's standard object for
// it, changed as `description` says. 0 when the request is not for that object or the platform
// cannot answer. The accessibility libraries are loaded at the first request: most runs of the
// program never make one.
LRESULT AnswerAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam,
                               const AccessibleDescription& description);

// Names a standard control for screen readers where its own text cannot (a check box whose
// caption is the same on every row, an edit whose text is its value).
void NameForScreenReaders(HWND control, std::wstring name, long role = roles::kStandard);

}  // namespace tavero
