#pragma once

#include <windows.h>

#include "platform/FileSystem.h"

namespace tavero {

// The system's 8-bit code page (CP_ACP).
class Win32AnsiCodePage : public AnsiCodePage {
  public:
    std::wstring Decode(std::string_view bytes) const override;
    std::optional<std::string> Encode(std::wstring_view text) const override;
};

}  // namespace tavero
