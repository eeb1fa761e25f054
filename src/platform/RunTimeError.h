#pragma once

#include <exception>
#include <string>

namespace tavero {

// A failure the way the program reports it: a number, where it came from and what happened.
// Methods that trap an error pass it on with "[Class.Method]" put before the description.
class RunTimeError : public std::exception {
  public:
    RunTimeError(int number, std::wstring source, std::wstring description);

    // The description, narrow (ASCII, anything else '?').
    const char* what() const noexcept override { return what_.c_str(); }

    int Number() const { return number_; }
    const std::wstring& Source() const { return source_; }
    const std::wstring& Description() const { return description_; }

    // The same error with `prefix` put directly before its description.
    RunTimeError Prefixed(const std::wstring& prefix) const;

  private:
    int number_;
    std::wstring source_;
    std::wstring description_;
    std::string what_;
};

// Design-time-only settings refuse a change while the program runs.
inline constexpr int kErrSetNotSupportedAtRunTime = 382;
// A system call failed; the description carries the system's own error code.
inline constexpr int kErrSystemCall = 51;

}  // namespace tavero
