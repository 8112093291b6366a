#pragma once

#include <filesystem>
#include <string_view>

namespace vorq {

// Replaces the file with the text: written to a temporary file beside it, synced, renamed
// over it, and the folder synced, so that a crash leaves the old file or the new one, never a
// torn one. A failure raises vorq::Error naming what (a "the options file ...") and the file,
// and leaves the old file as it was.
void replaceFile(const std::filesystem::path& file, std::string_view text, std::string_view what);

// The last step of a replacement whose text a caller wrote itself (streamed, too large to hold):
// the written file is synced and renamed over file, and the folder synced. A failure raises
// vorq::Error naming what and the file, and removes the written file.
void moveIntoPlace(const std::filesystem::path& written, const std::filesystem::path& file,
                   std::string_view what);

} // namespace vorq
