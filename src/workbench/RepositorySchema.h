#pragma once

namespace vorq::workbench {

// The tables of one verified source's repository database. Objects have ids in document
// order, 1, 2, ...; each row of ObjectBlocks holds those from FirstId on, packed as
// ObjectBlock.h says. Relations link objects in the order they were written.
constexpr const char* kRepositorySchema = R"sql(
CREATE TABLE Info (Key TEXT PRIMARY KEY, Value TEXT NOT NULL);
CREATE TABLE ObjectBlocks (
    FirstId INTEGER PRIMARY KEY,
    Objects BLOB NOT NULL
);
CREATE TABLE Relations (
    Source   INTEGER NOT NULL,
    Relation TEXT NOT NULL,
    Target   INTEGER NOT NULL
);
)sql";

// Info row "Format": databases of another layout are refused with a request to verify again.
constexpr const char* kRepositoryFormat = "2";

// Info row "DataLayout": databases written before items carried what decoding needs lack it.
constexpr const char* kDataLayout = "1";

// What kind of source a database holds: Info row "Kind".
constexpr const char* kKindCopybook = "COPYBOOK";
constexpr const char* kKindCobol = "COBOL";

} // namespace vorq::workbench
