#include "workbench/RepositoryFolder.h"

#include "host/Error.h"

#include <cctype>

namespace vorq::workbench {

std::filesystem::path RepositoryFolder::database(const std::string& xandrel) const {
    const bool plain = !xandrel.empty() && xandrel != "." && xandrel != ".." &&
                       xandrel.find('/') == std::string::npos &&
                       xandrel.find('\\') == std::string::npos;
    if (!plain)
        throw Error("The repository database name '" + xandrel +
                    "' would leave the repository folder " + root_.string());
    return root_ / xandrel;
}

std::string xandrelFor(const std::string& kind, const std::string& name) {
    // Letters, digits, '-' and '.' stand for themselves and every other byte is written as '_' and
    // two hex digits, so that two names that differ never share a file.
    static const char* const hex = "0123456789ABCDEF";
    std::string file;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '.') {
            file.push_back(c);
            continue;
        }
        file += {'_', hex[byte >> 4], hex[byte & 15]};
    }
    return file + "." + kind + ".xrdb";
}

} // namespace vorq::workbench
