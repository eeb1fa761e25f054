#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavero {

// The integrity level of processes (Windows' mandatory levels: 0x2000 medium, 0x3000 high for
// a program run as administrator), which decides whether injected keys reach them: none reach
// a process above the injecting one.
class ProcessIntegrity {
  public:
    struct Process {
        std::uint32_t id = 0;
        std::uint64_t started = 0;  // with the id, tells a process from a later one of its id
        std::wstring name;          // its exe's file name
        std::uint32_t level = 0;
    };

    virtual ~ProcessIntegrity() = default;
    // The process of the window the user works in; nothing where the system cannot say.
    virtual std::optional<Process> Foreground() = 0;
    // This program's own level; nothing where the system cannot say.
    virtual std::optional<std::uint32_t> Own() = 0;
};

}  // namespace tavero
