#pragma once

#include "cobol/SourceModel.h"
#include "cobol/TokenCursor.h"

namespace vorq::cobol {

// Reads the programs of a source file (several, and nested ones): PROGRAM-ID, the files of
// FILE-CONTROL and the FILE SECTION, the records of every data section, and the file
// statements of the procedure division (READ, WRITE, REWRITE, DELETE). Everything else in the
// procedure division is passed over.
void parsePrograms(TokenCursor& cursor, SourceModel& model, Diagnostics& diags);

// True at a division or section header, FD/SD, or END PROGRAM: where data entries end.
bool atHeader(const TokenCursor& cursor);

} // namespace vorq::cobol
