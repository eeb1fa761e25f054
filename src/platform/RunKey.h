#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tavero {

// The user's list of programs Windows starts at sign-in: value names and command lines.
class RunKey {
  public:
    virtual ~RunKey() = default;
    virtual std::vector<std::pair<std::wstring, std::wstring>> Values() = 0;
    virtual bool Set(const std::wstring& name, const std::wstring& command) = 0;
    virtual bool Remove(const std::wstring& name) = 0;
};

}  // namespace tavero
