#pragma once

#include <string>

namespace tavero {

// Writes `text` where the user who started this windowed program reads: the output it was given
// (a file, a pipe, NUL), or the console it was started from. False where there is neither.
bool WriteToStarter(const std::wstring& text);

}  // namespace tavero
