#pragma once

#include <string>

namespace tavero {

// The folder of the program's executable: no trailing separator, except at a drive's root.
class ProgramFolder {
  public:
    virtual ~ProgramFolder() = default;
    virtual std::wstring Path() const = 0;
};

}  // namespace tavero
