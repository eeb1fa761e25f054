#pragma once

#include <string>

namespace tavero {

// The platform's display name of a key, empty when it has none.
class KeyNames {
  public:
    virtual ~KeyNames() = default;
    virtual std::wstring NameOf(int key) const = 0;
};

}  // namespace tavero
