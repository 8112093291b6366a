#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vorq::app {

// A file that a run reads or writes, with what messages call it ("the data file").
struct NamedFile {
    std::filesystem::path path;
    std::string role;
};

// Raises vorq::Error when a file that the run is to write is one that it reads or writes in
// another role (the same file by any name: links count), or a file of the workspace's own
// (its project database, options, repository). A standard stream ("-") is never refused.
void refuseOverwrite(const NamedFile& output, const std::vector<NamedFile>& others,
                     const std::filesystem::path& workspace);

// Raises vorq::Error when an existing file at path does not begin with header: only a file
// that an earlier run wrote in that form is replaced.
void refuseForeignFile(const NamedFile& output, const std::string& header);

} // namespace vorq::app
