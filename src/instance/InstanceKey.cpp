#include "instance/InstanceKey.h"

#include "settings/FoldedText.h"

namespace tavero {

std::uint64_t PathHash(std::wstring_view path) {
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t raw : path) {
        wchar_t c = FoldPath(raw);
        for (unsigned shift : {0u, 8u}) {
            hash ^= (static_cast<std::uint64_t>(c) >> shift) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

std::uint64_t FolderIdentity(std::wstring_view folder) {
    while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/')) {
        folder.remove_suffix(1);
    }
    return PathHash(folder);
}

}  // namespace tavero
