#pragma once

#include "load/FieldDecoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorq::load {

struct ProjectLineage;
class SourceItems;

// The count of an OCCURS DEPENDING ON item: the field it depends on, at a fixed place.
struct Counter {
    std::string itemName; // the OCCURS item
    std::string fieldName;
    FieldFormat format;
    std::int64_t offset = 0;
    std::int64_t min = 0, max = 0;
};

// Bytes that a variable table before an item leaves out: (max - count) * stride.
struct Shift {
    int counter = 0;
    std::int64_t stride = 0;
};

// An occurrence of a variable table that a column or child table needs: absent when the
// counter is below index.
struct Presence {
    int counter = 0;
    std::int64_t index = 0;
};

struct ColumnPlan {
    // ParentRecord: the value of a column of the last record of another type before this one
    // (a child segment takes its parent's key).
    enum class Source { Field, CopiedKey, Index, SurrogateKey, ParentRecord, None };
    Source source = Source::None;
    std::string name;
    bool notNull = false;
    FieldFormat format;      // Field
    std::int64_t offset = 0; // Field: with every table level at its first occurrence
    std::vector<Shift> shifts;
    std::vector<Presence> presence;
    int parentColumn = -1; // CopiedKey, ParentRecord: the column of the parent's row
    int parentType = -1;   // ParentRecord: the record type (plan) of the parent
    // Field, and a column made from an item of another record: the item and occurrence, as
    // "xr:KEY?ID#OCCURRENCE", which links record types.
    std::string item;
    std::string why; // None: why the column has no source
};

struct TablePlan {
    std::string name;
    std::vector<ColumnPlan> columns; // in the table's order
    // Of a child table: its occurrences within the parent's row.
    std::int64_t stride = 0;
    std::int64_t maxOccurs = 1;
    int counter = -1; // OCCURS DEPENDING ON
    std::vector<Presence> presence;
    std::vector<TablePlan> children;
};

// Only records whose field has the value are loaded (files with several record types).
struct RecordCondition {
    std::string field;
    std::string value;
    std::string namedBy = "A record condition"; // how messages name where the user gave it
};

// The field that gives each record's length, with how messages name where the user gave it.
struct LengthField {
    std::string field; // "": none
    std::string namedBy = "The length field";
};

// The test of a record condition: a field at a fixed place and the value it must have.
struct Condition {
    FieldFormat format;
    std::int64_t offset = 0;
    std::string value;
};

// How the records of one table's source become rows of it and of its child tables.
struct LoadPlan {
    std::string recordName;
    std::int64_t recordLength = 0; // the longest record
    std::vector<Counter> counters;
    std::vector<Condition> conditions;      // all must hold
    std::vector<RecordCondition> requested; // the conditions as the user wrote them
    // A field that gives the record's length (records without descriptor words); its value
    // is unused.
    std::optional<Condition> lengthField;
    TablePlan table;
};

// Settings that choose how fields are read.
struct DecodeSettings {
    bool nativeLittleEndian = false; // COMP-5 and BINARY-*: little-endian
    // COMP-1 and COMP-2: IBM hexadecimal, IEEE least significant byte first, or IEEE most
    // significant byte first.
    FieldKind floating = FieldKind::HexFloat;
    bool keepTrailingBlanks = false;
};

// The plan for the table named (without regard to case) and its child tables, from the lineage
// that the import recorded and the items of the source, loading only the records that meet
// the conditions. Raises vorq::Error when the table is not in the project, has no lineage, its
// source cannot be read by the load, or a condition names no field at a fixed place.
LoadPlan planLoad(const ProjectLineage& lineage, const std::string& tableName,
                  const SourceItems& items, const DecodeSettings& settings,
                  const std::vector<RecordCondition>& conditions = {},
                  const LengthField& lengthField = {});

// Links the record types of one load: a column of a type's table made from an item of another
// type's record (the parent's key, added to the child's table) takes the value of the last
// record of that type before it. The column is then no longer without a source.
void linkRecordTypes(const std::vector<LoadPlan*>& plans);

// The plans' tables in the order that numbers them for the loader and the targets: each plan's
// table, then each child table followed by its own, depth first.
std::vector<const TablePlan*> tablesInOrder(const std::vector<const LoadPlan*>& plans);

// The source key of the table's lineage, to find its items; raises like planLoad.
std::string sourceKeyOf(const ProjectLineage& lineage, const std::string& tableName);

// The format of an elementary item's bytes.
FieldFormat fieldFormat(const struct SourceItem& item, const DecodeSettings& settings);

} // namespace vorq::load
