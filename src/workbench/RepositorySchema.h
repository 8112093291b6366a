#pragma once

namespace vorq::workbench {

// The tables of one verified source's repository database. Every object is a row of Objects
// (ids in document order); the attributes that data items carry have columns of their own,
// others are rows of Attributes; relations link objects in order.
constexpr const char* kRepositorySchema = R"sql(
CREATE TABLE Info (Key TEXT PRIMARY KEY, Value TEXT NOT NULL);
CREATE TABLE Objects (
    Id          INTEGER PRIMARY KEY,
    Parent      INTEGER NOT NULL,
    Class       TEXT NOT NULL,
    DisplayName TEXT NOT NULL,
    Name        TEXT,
    Level       TEXT,
    Picture     TEXT,
    Usage       TEXT,
    Occurs      TEXT,
    OccursMin   TEXT,
    DependingOn TEXT,
    Digits      TEXT,
    Length      TEXT,
    Fraction    TEXT,
    Offset      TEXT,
    Datatype    TEXT,
    Elementary  TEXT,
    SysVar      TEXT,
    Value       TEXT,
    Line        TEXT
);
CREATE TABLE Attributes (
    Object INTEGER NOT NULL,
    Name   TEXT NOT NULL,
    Value  TEXT NOT NULL
);
CREATE TABLE Relations (
    Source   INTEGER NOT NULL,
    Relation TEXT NOT NULL,
    Target   INTEGER NOT NULL
);
)sql";

// The Objects columns from Name on, in order: the attributes a data item always has.
constexpr const char* kItemColumns[] = {
    "Name",   "Level",    "Picture", "Usage",    "Occurs",     "OccursMin", "DependingOn", "Digits",
    "Length", "Fraction", "Offset",  "Datatype", "Elementary", "SysVar",    "Value",       "Line"};
constexpr int kItemColumnCount = 16;

// What kind of source a database holds: Info row "Kind".
constexpr const char* kKindCopybook = "COPYBOOK";
constexpr const char* kKindCobol = "COBOL";

} // namespace vorq::workbench
