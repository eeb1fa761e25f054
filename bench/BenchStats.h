#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

// Figures of a series of measurements, and the Markdown rows they are printed in.
namespace tavero::bench {

struct Stats {
    double median = 0, p10 = 0, p90 = 0, p99 = 0, min = 0, max = 0;
};

inline Stats Summary(std::vector<double> v) {
    if (v.empty()) {
        return {};
    }
    std::sort(v.begin(), v.end());
    auto at = [&](double p) {
        std::size_t i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size())));
        return v[std::min(i == 0 ? 0 : i - 1, v.size() - 1)];
    };
    return {at(0.5), at(0.1), at(0.9), at(0.99), v.front(), v.back()};
}

// A measure against its floor: median (p10-p90, p99) of each, and the ratio of the medians.
inline std::string Row(const char* what, const Stats& ours, const Stats& floor) {
    char line[512];
    std::snprintf(line, sizeof(line),
                  "| %s | %.2f (%.2f-%.2f, p99 %.2f) | %.2f (%.2f-%.2f, p99 %.2f) | %.2f |\n", what,
                  ours.median, ours.p10, ours.p90, ours.p99, floor.median, floor.p10, floor.p90,
                  floor.p99, floor.median > 0 ? ours.median / floor.median : 0.0);
    return line;
}

// A hold against its length: how much shorter the shortest was (a fault at any size beyond the
// clock's step), and how late the median, p99 and latest were.
inline std::string HoldRow(const char* what, const std::vector<double>& holds, double wanted) {
    std::vector<double> errors;
    for (double h : holds) {
        errors.push_back(h - wanted);
    }
    Stats e = Summary(errors);
    char line[512];
    std::snprintf(line, sizeof(line), "| %s (%zu) | %+.2f | %+.2f | %+.2f | %+.2f |\n", what,
                  holds.size(), e.min, e.median, e.p99, e.max);
    return line;
}

inline const char* kHoldHeader =
    "| Hold error, ms | shortest | median | p99 | latest |\n|---|---|---|---|---|\n";

}  // namespace tavero::bench
