#include "rows/RowList.h"

#include <algorithm>

#include "platform/DecimalText.h"
#include "platform/RowCount.h"

namespace tavero {

RowList ReadRowList(std::wstring_view text) {
    RowList list;
    while (!text.empty()) {
        std::size_t end = text.find_first_of(L", \t");
        std::wstring_view field = text.substr(0, end);
        text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
        if (field.empty()) {
            continue;
        }
        std::optional<int> row = ParseDecimal(field, kRowCount);
        if (row && *row >= 1) {
            list.rows.push_back(*row - 1);
        } else {
            list.whole = false;
        }
    }
    std::sort(list.rows.begin(), list.rows.end());
    list.rows.erase(std::unique(list.rows.begin(), list.rows.end()), list.rows.end());
    return list;
}

}  // namespace tavero
