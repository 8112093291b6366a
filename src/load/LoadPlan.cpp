#include "load/LoadPlan.h"

#include "cobol/StorageLayout.h"
#include "host/Error.h"
#include "host/Text.h"
#include "load/ProjectLineage.h"
#include "load/SourceItems.h"

#include <algorithm>
#include <map>
#include <optional>

namespace vorq::load {
namespace {

using projectdb::CatalogTable;

bool isBelow(const SourceItems& items, const SourceItem& item, const SourceItem& ancestor) {
    for (const SourceItem* at = &item; at; at = at->parent ? items.item(at->parent) : nullptr)
        if (at->id == ancestor.id)
            return true;
    return false;
}

// The OCCURS items that hold an item, outermost first, the item itself included.
std::vector<const SourceItem*> occursChain(const SourceItems& items, const SourceItem& item) {
    std::vector<const SourceItem*> chain;
    for (const SourceItem* at = &item; at; at = at->parent ? items.item(at->parent) : nullptr)
        if (at->occurs > 0)
            chain.insert(chain.begin(), at);
    return chain;
}

// The indices (1-based) of nested occurrences numbered 1, 2, ... with the last varying
// fastest, as the import numbers the columns and tables it spreads; nothing when the
// occurrence is beyond them all.
std::optional<std::vector<std::int64_t>>
occurrenceIndices(const std::vector<const SourceItem*>& levels, std::int64_t occurrence) {
    std::vector<std::int64_t> indices(levels.size());
    std::int64_t rest = occurrence - 1;
    for (std::size_t i = levels.size(); i-- > 0;) {
        indices[i] = rest % levels[i]->occurs + 1;
        rest /= levels[i]->occurs;
    }
    if (rest != 0 || occurrence < 1)
        return std::nullopt;
    return indices;
}

std::string upperFirstWord(const std::string& text) {
    const std::string upper = upperCase(text);
    return upper.substr(0, upper.find(' '));
}

// The item a table was made from; raises vorq::Error when the import recorded none.
ItemReference tableReference(const ProjectLineage& lineage, const CatalogTable& table) {
    const auto it = lineage.tables.find(table.id);
    const auto reference =
        it == lineage.tables.end() ? std::nullopt : parseReference(it->second.sourceReference);
    if (!reference)
        throw Error("The table " + table.name +
                    " has no record of the COBOL item it was made "
                    "from (it was made by hand, or by a vorq older than the load): import it "
                    "again to load it");
    return *reference;
}

class Planner {
public:
    Planner(const ProjectLineage& lineage, const SourceItems& items, const DecodeSettings& settings)
        : lineage_(lineage), items_(items), settings_(settings) {}

    LoadPlan plan(const CatalogTable& table, const std::vector<RecordCondition>& conditions,
                  const LengthField& lengthField) {
        const ItemReference reference = tableReference(lineage_, table);
        sourceKey_ = reference.sourceKey;
        const SourceItem* item = items_.item(reference.itemId);
        if (!item)
            throw Error("The table " + table.name + " comes from item " +
                        std::to_string(reference.itemId) + " of " + items_.sourceName() +
                        ", which the source no longer has: verify it again and import the "
                        "table again");
        if (!occursChain(items_, *item).empty())
            throw Error("The table " + table.name + " comes from " + item->name +
                        ", which lies inside an OCCURS: a record holds several of it");
        record_ = &items_.record(*item);
        refuseChangedLayout(table);
        plan_.recordName = record_->name;
        plan_.recordLength = record_->length;
        collectVariableTables(*record_);
        for (const RecordCondition& condition : conditions)
            plan_.conditions.push_back(
                resolve(condition.field, condition.value, condition.namedBy));
        if (!lengthField.field.empty())
            plan_.lengthField = resolve(lengthField.field, "", lengthField.namedBy);
        plan_.requested = conditions;
        plan_.table = planTable(table, *item, {}, {}, nullptr);
        return std::move(plan_);
    }

private:
    // Lineage names items by id: after the source changed, the same ids may be other items, at
    // other places. The digest that the import kept tells.
    void refuseChangedLayout(const CatalogTable& table) const {
        const std::string& imported = lineage_.tables.at(table.id).layout;
        if (imported.empty() || imported == items_.layoutDigest(*record_))
            return;
        throw Error("The source " + items_.sourceName() + " changed since the table " + table.name +
                    " was imported: the record " + record_->name +
                    " is not laid out as it was then, and its bytes would land in the wrong "
                    "columns; import the record again to load it");
    }

    Condition resolve(const std::string& name, const std::string& value,
                      const std::string& namedBy) const {
        const SourceItem* field = items_.findBelow(*record_, name);
        if (!field || !field->elementary)
            throw NameError(namedBy + " names " + name + ", which is no field of the record " +
                            record_->name);
        if (!occursChain(items_, *field).empty())
            throw Error(namedBy + " names " + name + ", which lies inside an OCCURS");
        return {fieldFormat(*field, settings_), field->offset, value};
    }

    void collectVariableTables(const SourceItem& item) {
        if (!item.dependingOn.empty()) {
            if (occursChain(items_, item).size() > 1)
                throw Error("The record " + record_->name +
                            " has OCCURS DEPENDING ON inside "
                            "another OCCURS (" +
                            item.name + "), which the load does not read");
            counterFor(item);
        }
        for (const int child : item.children)
            collectVariableTables(*items_.item(child));
    }

    void counterFor(const SourceItem& table) {
        if (existingCounter(table) >= 0)
            return;
        const SourceItem* field = items_.findBelow(*record_, upperFirstWord(table.dependingOn));
        if (!field || !field->elementary || !occursChain(items_, *field).empty())
            throw Error("The OCCURS DEPENDING ON " + table.dependingOn + " of " + table.name +
                        " names no field at a fixed place of the record " + record_->name);
        plan_.counters.push_back({table.name, field->name, fieldFormat(*field, settings_),
                                  field->offset, table.occursMin, table.occurs});
        counterItems_.push_back(table.id);
    }

    int existingCounter(const SourceItem& table) const {
        for (std::size_t i = 0; i < counterItems_.size(); ++i)
            if (counterItems_[i] == table.id)
                return static_cast<int>(i);
        return -1;
    }

    TablePlan planTable(const CatalogTable& table, const SourceItem& tableItem,
                        const std::vector<int>& levels, const std::map<int, std::int64_t>& fixed,
                        const CatalogTable* parent) {
        TablePlan plan;
        plan.name = table.name;
        for (const auto& column : table.columns)
            plan.columns.push_back(planColumn(table, column, tableItem, levels, fixed, parent));
        for (const auto& child : lineage_.catalog.tables) {
            const bool refersHere =
                std::any_of(child.foreignKeys.begin(), child.foreignKeys.end(),
                            [&](const auto& key) { return key.refTabId == table.id; });
            const auto childLineage = lineage_.tables.find(child.id);
            if (!refersHere || childLineage == lineage_.tables.end())
                continue;
            const auto reference = parseReference(childLineage->second.sourceReference);
            const SourceItem* item = reference && reference->sourceKey == sourceKey_
                                         ? items_.item(reference->itemId)
                                         : nullptr;
            if (!item || item->occurs == 0 || item->id == tableItem.id ||
                !isBelow(items_, *item, tableItem))
                continue;
            plan.children.push_back(planChild(child, *item, childLineage->second.occurrence,
                                              tableItem, levels, fixed, table));
        }
        return plan;
    }

    TablePlan planChild(const CatalogTable& child, const SourceItem& item, std::int64_t occurrence,
                        const SourceItem& parentItem, std::vector<int> levels,
                        std::map<int, std::int64_t> fixed, const CatalogTable& parent) {
        // The spread OCCURS between the parent's item and this one: the table's occurrence
        // says which of their occurrences it holds.
        std::vector<const SourceItem*> spread;
        for (const SourceItem* a : occursChain(items_, item))
            if (a->id != item.id && isBelow(items_, *a, parentItem) && a->id != parentItem.id &&
                !fixed.contains(a->id) &&
                std::find(levels.begin(), levels.end(), a->id) == levels.end())
                spread.push_back(a);
        const auto indices = occurrenceIndices(spread, occurrence);
        if (!indices)
            throw Error("The table " + child.name + " holds occurrence " +
                        std::to_string(occurrence) + " of " + item.name +
                        ", more than the source has: verify and import it again");
        std::vector<Presence> presence;
        for (std::size_t i = 0; i < spread.size(); ++i) {
            fixed[spread[i]->id] = (*indices)[i];
            if (const int counter = existingCounter(*spread[i]); counter >= 0)
                presence.push_back({counter, (*indices)[i]});
        }
        levels.push_back(item.id);
        TablePlan plan = planTable(child, item, levels, fixed, &parent);
        plan.stride = item.length;
        plan.maxOccurs = item.occurs;
        plan.counter = existingCounter(item);
        plan.presence = std::move(presence);
        return plan;
    }

    ColumnPlan planColumn(const CatalogTable& table, const projectdb::CatalogColumn& column,
                          const SourceItem& tableItem, const std::vector<int>& levels,
                          const std::map<int, std::int64_t>& fixed, const CatalogTable* parent) {
        ColumnPlan plan;
        plan.name = column.name;
        plan.notNull = !column.nullable;
        if (parent)
            for (const auto& key : table.foreignKeys)
                for (const auto& [own, referenced] : key.columnPairs)
                    if (key.refTabId == parent->id && own == column.id)
                        for (std::size_t i = 0; i < parent->columns.size(); ++i)
                            if (parent->columns[i].id == referenced) {
                                plan.source = ColumnPlan::Source::CopiedKey;
                                plan.parentColumn = static_cast<int>(i);
                                return plan;
                            }
        const auto it = lineage_.columns.find(column.id);
        if (it == lineage_.columns.end()) {
            plan.why = "no source: made by hand or by a vorq older than the load";
            return plan;
        }
        if (it->second.role == "index") {
            plan.source = ColumnPlan::Source::Index;
            return plan;
        }
        if (it->second.role == "key") {
            plan.source = ColumnPlan::Source::SurrogateKey;
            return plan;
        }
        const auto reference = parseReference(it->second.sourceReference);
        const SourceItem* item = reference && reference->sourceKey == sourceKey_
                                     ? items_.item(reference->itemId)
                                     : nullptr;
        plan.item = it->second.sourceReference + "#" + std::to_string(it->second.occurrence);
        if (!item || !isBelow(items_, *item, tableItem)) {
            plan.why = "no source: it comes from another source or record than the table (a "
                       "record type that the load is given too fills it)";
            return plan;
        }
        std::vector<const SourceItem*> spread;
        std::int64_t offset = item->offset;
        for (const SourceItem* a : occursChain(items_, *item)) {
            if (std::find(levels.begin(), levels.end(), a->id) != levels.end())
                continue;
            if (const auto f = fixed.find(a->id); f != fixed.end()) {
                offset += (f->second - 1) * a->length;
                if (const int counter = existingCounter(*a); counter >= 0)
                    plan.presence.push_back({counter, f->second});
                continue;
            }
            spread.push_back(a);
        }
        const auto indices = occurrenceIndices(spread, it->second.occurrence);
        if (!indices) {
            plan.why = "no source: occurrence " + std::to_string(it->second.occurrence) + " of " +
                       item->name + " is more than the source has";
            return plan;
        }
        for (std::size_t i = 0; i < spread.size(); ++i) {
            offset += ((*indices)[i] - 1) * spread[i]->length;
            if (const int counter = existingCounter(*spread[i]); counter >= 0)
                plan.presence.push_back({counter, (*indices)[i]});
        }
        try {
            plan.format = fieldFormat(*item, settings_);
        } catch (const Error& e) {
            plan.why = std::string("no source: ") + e.what();
            return plan;
        }
        plan.source = ColumnPlan::Source::Field;
        plan.offset = offset;
        // Variable tables that end before the field move it forward when they are short.
        for (std::size_t c = 0; c < counterItems_.size(); ++c) {
            const SourceItem& variable = *items_.item(counterItems_[c]);
            if (!isBelow(items_, *item, variable) &&
                variable.offset + variable.occurs * variable.length <= offset)
                plan.shifts.push_back({static_cast<int>(c), variable.length});
        }
        return plan;
    }

    const ProjectLineage& lineage_;
    const SourceItems& items_;
    const DecodeSettings& settings_;
    LoadPlan plan_;
    const SourceItem* record_ = nullptr;
    std::string sourceKey_;
    std::vector<int> counterItems_; // the OCCURS item of each counter
};

} // namespace

namespace {

void collectTables(const TablePlan& table, std::vector<const TablePlan*>& out) {
    out.push_back(&table);
    for (const auto& child : table.children)
        collectTables(child, out);
}

} // namespace

void linkRecordTypes(const std::vector<LoadPlan*>& plans) {
    for (std::size_t child = 0; child < plans.size(); ++child)
        for (ColumnPlan& column : plans[child]->table.columns) {
            if (column.source != ColumnPlan::Source::None || column.item.empty())
                continue;
            for (std::size_t parent = 0; parent < plans.size(); ++parent) {
                const auto& from = plans[parent]->table.columns;
                const auto found = std::find_if(from.begin(), from.end(), [&](const auto& c) {
                    return c.source == ColumnPlan::Source::Field && c.item == column.item;
                });
                if (parent == child || found == from.end())
                    continue;
                column.source = ColumnPlan::Source::ParentRecord;
                column.parentType = static_cast<int>(parent);
                column.parentColumn = static_cast<int>(found - from.begin());
                column.why.clear();
                break;
            }
        }
}

std::vector<const TablePlan*> tablesInOrder(const std::vector<const LoadPlan*>& plans) {
    std::vector<const TablePlan*> tables;
    for (const LoadPlan* plan : plans)
        collectTables(plan->table, tables);
    return tables;
}

std::string sourceKeyOf(const ProjectLineage& lineage, const std::string& tableName) {
    return tableReference(lineage, lineage.catalog.tableNamed(tableName)).sourceKey;
}

LoadPlan planLoad(const ProjectLineage& lineage, const std::string& tableName,
                  const SourceItems& items, const DecodeSettings& settings,
                  const std::vector<RecordCondition>& conditions, const LengthField& lengthField) {
    return Planner(lineage, items, settings)
        .plan(lineage.catalog.tableNamed(tableName), conditions, lengthField);
}

FieldFormat fieldFormat(const SourceItem& item, const DecodeSettings& settings) {
    FieldFormat f;
    f.length = static_cast<std::uint32_t>(item.length);
    f.keepTrailingBlanks = settings.keepTrailingBlanks;
    f.blankWhenZero = item.blankWhenZero;
    const cobol::PictureCounts pic = cobol::countPicture(item.picture);
    f.digits = static_cast<std::uint16_t>(pic.digits);
    f.scale = static_cast<std::int16_t>(pic.fraction > 0 ? pic.fraction : -pic.scaling);
    f.isSigned = !item.sign.empty() || pic.isSigned;
    f.signLeading = item.sign.starts_with("LEADING");
    const std::string usage = upperCase(item.usage);
    const auto native =
        settings.nativeLittleEndian ? FieldKind::BinaryLittle : FieldKind::BinaryBig;
    if (!item.elementary) {
        f.kind = FieldKind::Text;
    } else if (usage.empty() || usage == "DISPLAY") {
        if (pic.numeric && !item.picture.empty())
            f.kind = item.sign.ends_with("SEPARATE") ? FieldKind::ZonedSeparate : FieldKind::Zoned;
        else
            f.kind = pic.national ? FieldKind::National
                     : pic.dbcs   ? FieldKind::DoubleByte
                                  : FieldKind::Text;
    } else if (usage == "NATIONAL") {
        f.kind = FieldKind::National;
    } else if (usage == "DISPLAY-1") {
        f.kind = FieldKind::DoubleByte;
    } else if (usage == "COMP" || usage == "COMP-4" || usage == "BINARY" || usage == "COMP-X") {
        f.kind = FieldKind::BinaryBig;
    } else if (usage == "COMP-5" || usage == "COMP-N") {
        f.kind = native;
    } else if (usage.starts_with("BINARY-")) {
        f.kind = native;
        f.isSigned = !usage.ends_with(" UNSIGNED");
    } else if (usage == "COMP-3" || usage == "PACKED-DECIMAL") {
        f.kind = FieldKind::Packed;
    } else if (usage == "COMP-6") {
        f.kind = FieldKind::PackedUnsigned;
    } else if (usage == "COMP-1" || usage == "COMP-2") {
        f.kind = settings.floating;
    } else {
        throw Error("the load does not decode USAGE " + item.usage + " (" + item.name + ")");
    }
    const bool binary = f.kind == FieldKind::BinaryBig || f.kind == FieldKind::BinaryLittle;
    if ((binary && f.length > 8) ||
        ((f.kind == FieldKind::HexFloat || f.kind == FieldKind::IeeeFloat ||
          f.kind == FieldKind::IeeeFloatBig) &&
         f.length != 4 && f.length != 8))
        throw Error("the load does not decode a " + std::to_string(f.length) + "-byte " +
                    item.usage + " item (" + item.name + ")");
    return f;
}

} // namespace vorq::load
