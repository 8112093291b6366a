#pragma once

#include "sqlite/Sqlite.h"

#include <regex>
#include <string>

namespace vorq::testing {

// Everything a database holds, as text: each object's SQL and each table's rows in rowid order.
// Two dumps are equal exactly when the databases hold the same schema and data.
inline std::string dumpDatabase(const sqlite::Connection& db) {
    std::string out;
    auto objects = db.prepare("SELECT type, name, coalesce(sql, '') FROM sqlite_schema "
                              "ORDER BY type, name");
    while (objects.step()) {
        out += objects.text(0) + " " + objects.text(1) + ": " + objects.text(2) + "\n";
        if (objects.text(0) != "table")
            continue;
        auto rows = db.prepare("SELECT * FROM \"" + objects.text(1) + "\" ORDER BY rowid");
        while (rows.step()) {
            for (int i = 0; i < rows.columnCount(); ++i)
                out += (i ? "|" : "  ") + (rows.isNull(i) ? "NULL" : rows.text(i));
            out += "\n";
        }
    }
    return out;
}

// A dump with its times (creation, log, verify) left out: they differ from one run to the next.
inline std::string withoutTimes(const std::string& dump) {
    static const std::regex time(R"(\d{4}-\d\d-\d\d[T ]\d\d:\d\d:\d\d(\.\d+)?Z?)");
    return std::regex_replace(dump, time, "<time>");
}

} // namespace vorq::testing
