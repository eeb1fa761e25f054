// The program's words for the tests that run natively, where there is no resource to load them
// from: read from the resource script itself (ui/Texts.rc), so the tests see what users see.
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "platform/Texts.h"

namespace tavero {

namespace {

std::string ReadSource(const char* path) {
    std::ifstream in(std::string(TAVERO_SOURCE_DIR) + "/" + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The script's text: ASCII, with "" for a quote, \n for a line break and \xXXXX for the rest.
std::wstring Unescape(const std::string& quoted) {
    std::wstring text;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] == '"' && i + 1 < quoted.size() && quoted[i + 1] == '"') {
            text += L'"';
            ++i;
        } else if (quoted[i] == '\\' && i + 1 < quoted.size() && quoted[i + 1] == 'n') {
            text += L'\n';
            ++i;
        } else if (quoted[i] == '\\' && i + 1 < quoted.size() && quoted[i + 1] == 'x') {
            text += static_cast<wchar_t>(std::stoi(quoted.substr(i + 2, 4), nullptr, 16));
            i += 5;
        } else {
            text += static_cast<wchar_t>(quoted[i]);
        }
    }
    return text;
}

std::map<int, std::wstring> ReadTable() {
    std::map<std::string, int> ids;
    std::string header = ReadSource("src/platform/TextIds.h");
    std::regex define(R"(#define (TAVERO_TEXT_\w+) (\d+))");
    for (std::sregex_iterator m(header.begin(), header.end(), define), end; m != end; ++m) {
        ids[(*m)[1]] = std::stoi((*m)[2]);
    }
    std::map<int, std::wstring> table;
    std::istringstream script(ReadSource("src/ui/Texts.rc"));
    std::regex entry(R"re(\s*(\w+), L"((?:[^"]|"")*)"\s*)re");
    std::smatch m;
    for (std::string line; std::getline(script, line);) {
        if (std::regex_match(line, m, entry)) {
            std::string name = m[1];
            table[ids.count(name) != 0 ? ids[name] : std::stoi(name)] = Unescape(m[2]);
        }
    }
    return table;
}

}  // namespace

std::wstring Text(int id) {
    static const std::map<int, std::wstring> table = ReadTable();
    auto found = table.find(id);
    return found != table.end() ? found->second : std::wstring();
}

}  // namespace tavero
