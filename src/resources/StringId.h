#pragma once

namespace vorq {

// The numbered texts of the string table, by what they say. The numbers are the table's ids.
enum class StringId : int {
    OptionsCaption = 100,
    AddToTableCaption = 101,
    CreateNewTableCaption = 102,
    CancelCaption = 103,
    OkCaption = 104,
    CopybooksTab = 105,
    ProgramsTab = 106,
    PortsTab = 107,
    DialogCaption = 108,
    SourceNotVerified = 500,
    InterruptQuestion = 501,
    ParentSelected = 502, // %1: the item
    NoSubitems = 503,     // %1: the item
    MessageTitle = 504,
    RunLogText = 505, // %1: the source
    NothingChecked = 506,
    ProgressCaption = 507,
    EmptyTableName = 508,
    CannotCreateTable = 509, // %1: the record
    InterruptedByUser = 510,
    NoTableChosen = 511,
    CannotAddItem = 512, // %1: the item
    CannotStartImport = 513,
};

} // namespace vorq
