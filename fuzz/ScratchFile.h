#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vorq::fuzz {

// The targets that read files get each input written to one file of a folder private to the
// fuzzing process, emptied before each input.
inline std::filesystem::path scratchFile(const std::string& name, const std::uint8_t* data,
                                         std::size_t size) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("vorq-fuzz-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto path = folder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace vorq::fuzz
