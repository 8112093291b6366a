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
    std::string file;
    for (const char c : name)
        file.push_back(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c
                                                                                           : '_');
    return file + "." + kind + ".xrdb";
}

} // namespace vorq::workbench
