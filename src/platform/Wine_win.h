#pragma once

namespace tavero {

// Whether the program runs under Wine rather than on Windows. The program is written for
// Windows; the few places where Wine behaves otherwise (a stale key state, file attributes a
// replaced file loses) ask this, and do the extra work there only.
bool RunningUnderWine();

}  // namespace tavero
