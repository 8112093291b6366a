#pragma once

#include <filesystem>
#include <string>

namespace vorq {

// A library that ships with vorq, by file name: <prefix>/<libdir>/vorq/NAME where vorq is
// installed, <build>/lib/NAME in the build tree; the prefix is the folder above the running
// program's.
std::filesystem::path installedLibraryPath(const std::string& fileName);

// The entry point of such a library, which is loaded on first use and stays loaded; raises
// vorq::Error naming the file when the library or the entry point is missing. what says
// what the library is, for the message.
void* installedLibraryEntry(const std::string& fileName, const char* entry,
                            const std::string& what);

} // namespace vorq
