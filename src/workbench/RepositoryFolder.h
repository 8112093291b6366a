#pragma once

#include <filesystem>
#include <string>

namespace vorq::workbench {

// The workbench's folder: <workspace>/repository, holding the catalog, one repository
// database per verified source and the icons of the repository classes.
class RepositoryFolder {
public:
    explicit RepositoryFolder(std::filesystem::path root) : root_(std::move(root)) {}

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path catalog() const { return root_ / "catalog.db"; }
    std::filesystem::path icons() const { return root_ / "icons"; }
    // The file of a repository database; a name that would leave the folder raises vorq::Error.
    std::filesystem::path database(const std::string& xandrel) const;

private:
    std::filesystem::path root_;
};

// The database name ("Xandrel") of a verified source: its kind and name, made a plain file name.
std::string xandrelFor(const std::string& kind, const std::string& name);

} // namespace vorq::workbench
