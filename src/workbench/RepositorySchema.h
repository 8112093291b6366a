#pragma once

namespace vorq::workbench {

// The tables of one verified source's repository database. Every object is a row of Objects
// (ids in document order) whose Attributes column holds its attributes packed as
// name US value RS name US value ... (US = 0x1f, RS = 0x1e); relations link objects in order.
constexpr const char* kRepositorySchema = R"sql(
CREATE TABLE Info (Key TEXT PRIMARY KEY, Value TEXT NOT NULL);
CREATE TABLE Objects (
    Id          INTEGER PRIMARY KEY,
    Parent      INTEGER NOT NULL,
    Class       TEXT NOT NULL,
    DisplayName TEXT NOT NULL,
    Attributes  TEXT NOT NULL
);
CREATE TABLE Relations (
    Source   INTEGER NOT NULL,
    Relation TEXT NOT NULL,
    Target   INTEGER NOT NULL
);
)sql";

constexpr char kUnitSeparator = '\x1f';
constexpr char kRecordSeparator = '\x1e';

// What kind of source a database holds: Info row "Kind".
constexpr const char* kKindCopybook = "COPYBOOK";
constexpr const char* kKindCobol = "COBOL";

} // namespace vorq::workbench
