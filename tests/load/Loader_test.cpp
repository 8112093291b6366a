// The plan and the loader without the program: items and lineage given directly, the rows
// caught as they are inserted.

#include "load/CodePage.h"
#include "load/LoadPlan.h"
#include "load/Loader.h"
#include "load/LocalKeys.h"
#include "load/ProjectLineage.h"
#include "load/RowTarget.h"
#include "load/SourceItems.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace vorq::load {
namespace {

// Keeps each row as "TABLE: v|v|...".
class CatchingTarget : public RowTarget {
public:
    void begin(const std::vector<const LoadPlan*>& plans, TableSharing) override {
        for (const LoadPlan* plan : plans)
            collect(plan->table);
    }
    std::int64_t rowCount(int) override { return 0; }
    std::int64_t removeRows(int) override { return 0; }
    std::int64_t reserveKeys(int table, const std::string&, std::int64_t count) override {
        return keys.reserve(table, count, [] { return 0; });
    }
    bool insert(int table, const std::vector<FieldValue>& row, std::string&) override {
        std::string line = names[static_cast<std::size_t>(table)] + ":";
        for (std::size_t c = 0; c < row.size(); ++c) {
            const FieldValue& v = row[c];
            line += c ? "|" : " ";
            line += v.kind == FieldValue::Kind::Null      ? "NULL"
                    : v.kind == FieldValue::Kind::Integer ? std::to_string(v.integer)
                                                          : v.text;
        }
        rows.push_back(line);
        return true;
    }
    void commit() override {}
    void rollback() noexcept override {}
    std::string name() const override { return "rows"; }

    std::vector<std::string> names, rows;
    LocalKeys keys;

private:
    void collect(const TablePlan& table) {
        names.push_back(table.name);
        for (const auto& child : table.children)
            collect(child);
    }
};

SourceItem item(int id, int parent, std::string name, std::int64_t offset, std::int64_t length,
                std::string picture = "", std::int64_t occurs = 0) {
    SourceItem i;
    i.id = id;
    i.parent = parent;
    i.name = std::move(name);
    i.offset = offset;
    i.length = length;
    i.picture = std::move(picture);
    i.occurs = occurs;
    i.elementary = !i.picture.empty();
    return i;
}

// 01 R. 05 CNT PIC 9. 05 T OCCURS 0 TO 3 DEPENDING ON CNT. 10 V PIC XX.
//       05 PAIR OCCURS 2. 10 P PIC 9.  05 TAIL PIC XX.
SourceItems record() {
    std::vector<SourceItem> items = {item(1, 0, "R", 0, 11),          item(2, 1, "CNT", 0, 1, "9"),
                                     item(3, 1, "T", 1, 2, "", 3),    item(4, 3, "V", 1, 2, "XX"),
                                     item(5, 1, "PAIR", 7, 1, "", 2), item(6, 5, "P", 7, 1, "9"),
                                     item(7, 1, "TAIL", 9, 2, "XX")};
    items[0].children = {2, 3, 5, 7};
    items[2].children = {4};
    items[2].dependingOn = "CNT";
    items[2].occursMin = 0;
    items[4].children = {6};
    return SourceItems("R", std::move(items));
}

// The tables an import makes of it: R with CNT, P1, P2, TAIL and a made-up key; R_T with the
// copied key, idx and V.
ProjectLineage lineage() {
    ProjectLineage l;
    projectdb::CatalogTable r{1, "R", {}, {14}, {}};
    r.columns = {{10, "CNT", 20, 1, 0, true},
                 {11, "P1", 20, 1, 0, true},
                 {12, "P2", 20, 1, 0, true},
                 {13, "TAIL", 18, 2, 0, true},
                 {14, "R_KEY", 4, 0, 0, false}};
    projectdb::CatalogTable t{2, "R_T", {}, {20, 21}, {}};
    t.columns = {
        {20, "R_KEY", 4, 0, 0, false}, {21, "idx", 4, 0, 0, false}, {22, "V", 18, 2, 0, true}};
    t.foreignKeys.push_back({1, "R_T_OCCURS", 1, {{20, 14}}});
    l.catalog.tables = {r, t};
    l.tables[1] = {"table", 1, "xr:9?1", ""};
    l.tables[2] = {"table", 1, "xr:9?3", ""};
    l.columns[10] = {"item", 1, "xr:9?2", ""};
    l.columns[11] = {"item", 1, "xr:9?6", ""};
    l.columns[12] = {"item", 2, "xr:9?6", ""};
    l.columns[13] = {"item", 1, "xr:9?7", ""};
    l.columns[14] = {"key", 1, "xr:9?1", ""};
    l.columns[21] = {"index", 1, "xr:9?3", ""};
    l.columns[22] = {"item", 1, "xr:9?4", ""};
    return l;
}

TEST(Loader, VariableTablesMoveTheFieldsAfterThemAndGiveTheirRows) {
    testing::TempDir dir;
    std::ofstream(dir / "r.txt") << "2AABB12ZZ\n0\n3AABBCC90YY\n";
    const SourceItems items = record();
    const ProjectLineage l = lineage();
    const LoadPlan plan = planLoad(l, "r", items, {});
    LoadSettings settings;
    settings.format.format = RecordFormat::Text;
    CatchingTarget target;
    const LoadSummary summary = runLoad(plan, CodePage("ascii"), dir / "r.txt", target, settings);
    EXPECT_EQ(target.rows, (std::vector<std::string>{"R: 2|1|2|ZZ|1", "R_T: 1|1|AA", "R_T: 1|2|BB",
                                                     "R: 0|NULL|NULL||2", "R: 3|9|0|YY|3",
                                                     "R_T: 3|1|AA", "R_T: 3|2|BB", "R_T: 3|3|CC"}))
        << "a short line is padded with blanks, which are no digits";
    EXPECT_EQ(summary.withErrors, 1);
}

TEST(Loader, ColumnsWithoutLineageAreNullAndTablesWithoutAreRefused) {
    const SourceItems items = record();
    ProjectLineage l = lineage();
    l.columns.erase(13);
    l.columns[12] = {"item", 3, "xr:9?6", ""};
    const LoadPlan plan = planLoad(l, "R", items, {});
    EXPECT_EQ(plan.table.columns[2].why,
              "no source: occurrence 3 of P is more than the source has");
    EXPECT_EQ(plan.table.columns[3].why,
              "no source: made by hand or by a vorq older than the load");
    l.tables.erase(2);
    EXPECT_TRUE(planLoad(l, "R", items, {}).table.children.empty());
    l.tables.erase(1);
    EXPECT_EQ(testing::errorOf([&] { planLoad(l, "R", items, {}); }),
              "The table R has no record of the COBOL item it was made from (it was made by "
              "hand, or by a vorq older than the load): import it again to load it");
}

} // namespace
} // namespace vorq::load
