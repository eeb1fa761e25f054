#include "app/InstanceKey.h"

namespace tavero {

std::uint64_t FolderIdentity(std::wstring_view folder) {
    while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/')) {
        folder.remove_suffix(1);
    }
    // FNV-1a over the name's UTF-16 units.
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : folder) {
        if (c == L'/') {
            c = L'\\';
        } else if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
        for (unsigned shift : {0u, 8u}) {
            hash ^= (static_cast<std::uint64_t>(c) >> shift) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

}  // namespace tavero
