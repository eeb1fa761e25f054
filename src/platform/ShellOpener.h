#pragma once

#include <string>

namespace tavero {

// Opens an address (a web page) with the user's default program.
class ShellOpener {
  public:
    virtual ~ShellOpener() = default;
    virtual void Open(const std::wstring& address) = 0;
};

}  // namespace tavero
