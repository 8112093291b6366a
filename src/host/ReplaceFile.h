#pragma once

#include <filesystem>
#include <string_view>

namespace vorq {

// Replaces the file with the text: written to a temporary file beside it, synced, renamed
// over it, and the folder synced, so that a crash leaves the old file or the new one, never a
// torn one. A failure raises vorq::Error naming what (a "the options file ...") and the file,
// and leaves the old file as it was.
void replaceFile(const std::filesystem::path& file, std::string_view text, std::string_view what);

} // namespace vorq
