#pragma once

#include "cobol/SourceModel.h"

#include <filesystem>

namespace vorq::workbench {

// Writes the repository database of a read source into a new file at path (which must not
// exist): a copybook as a FILE object holding its records; a program file as PROGRAM objects
// holding their records (under FD objects for files), nested programs, the special registers
// as system variables, and one PORT per file that a statement uses, whose USE objects lead
// through "Declaration" to the records read or written.
void writeRepositoryDatabase(const cobol::SourceModel& model, const std::filesystem::path& path);

// The number text of an item's data class, stored as "Datatype".
int datatypeOf(const cobol::DataItem& item);

} // namespace vorq::workbench
