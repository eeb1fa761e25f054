#pragma once

#include <windows.h>

#include "platform/KeyNames.h"

namespace tavero {

class Win32KeyNames : public KeyNames {
  public:
    std::wstring NameOf(int key) const override;
    std::wstring TypedWithCtrlAlt(int key, bool shift) const override;
};

}  // namespace tavero
