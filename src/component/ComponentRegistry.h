#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorq {

// What registration records of one component class.
struct RegistryEntry {
    std::string progId;
    std::string classId;
    std::string libraryId;
    std::string interfaceId;
    std::string library; // absolute path of the shared library
};

// The per-user component registry: an XML file under the XDG config folder. Reads of a missing
// or corrupt file raise vorq::Error naming the file; writes replace the file atomically.
class ComponentRegistry {
public:
    explicit ComponentRegistry(std::filesystem::path file) : file_(std::move(file)) {}

    // $XDG_CONFIG_HOME/vorq/components.xml, or ~/.config/vorq/components.xml.
    static std::filesystem::path defaultFile();

    const std::filesystem::path& file() const { return file_; }
    bool exists() const { return std::filesystem::exists(file_); }

    std::vector<RegistryEntry> entries() const;
    // The entry of a programmatic name; an unregistered name raises vorq::Error.
    RegistryEntry find(const std::string& progId) const;
    // Records the entry, replacing one of the same programmatic name; creates the file.
    void add(const RegistryEntry& entry);
    // Removes exactly the entry of that programmatic name; false when there was none.
    bool remove(const std::string& progId);

private:
    std::vector<RegistryEntry> readOrEmpty() const;
    void write(const std::vector<RegistryEntry>& entries) const;

    std::filesystem::path file_;
};

} // namespace vorq
