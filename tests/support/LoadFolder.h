#pragma once

// A folder in which a test runs vorq as a user does: a copybook verified and imported, data
// files written, the rows of the SQLite target read back.

#include "sqlite/Sqlite.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iconv.h>
#include <map>
#include <string>
#include <vector>

namespace vorq::testing {

// A test's folder with its private registry: the program, the files and the SQLite rows.
struct LoadFolder {
    TempDir dir;
    std::map<std::string, std::string> environment{
        {"XDG_CONFIG_HOME", (dir / "config").string()}, {"VORQ_WORKSPACE", ""}, {"LC_ALL", "C"}};

    ProgramResult vorq(const std::vector<std::string>& args, const std::string& input = "") {
        return runProgram(VORQ_PROGRAM, args, dir.path().string(), environment, input);
    }
    void write(const std::string& file, const std::string& bytes) {
        std::ofstream(dir / file, std::ios::binary) << bytes;
    }
    // Verifies and imports the copybook with the options given as name, value pairs.
    void imported(const std::string& name, const std::string& copybook,
                  const std::vector<std::pair<std::string, std::string>>& options) {
        write(name + ".cpy", copybook);
        ASSERT_EQ(vorq({"verify", name + ".cpy"}).status, 0);
        for (const auto& [option, value] : options)
            ASSERT_EQ(vorq({"options", "set", option, value}).status, 0);
        const auto import = vorq({"import", "--batch", "--source", name, "--all"});
        ASSERT_EQ(import.status, 0) << import.err;
    }
    // Compiles and runs a COBOL program in the test's folder.
    void runCobol(const std::string& program) {
        write("writer.cbl", program);
        const auto compiled =
            runProgram("/usr/bin/cobc", {"-x", "-std=ibm", "-w", "-o", "writer", "writer.cbl"},
                       dir.path().string());
        ASSERT_EQ(compiled.status, 0) << compiled.err;
        ASSERT_EQ(runProgram((dir / "writer").string(), {}, dir.path().string()).status, 0);
    }
    // Every row of a table of the target, fields separated by |, NULL as NULL.
    std::vector<std::string> rows(const std::string& table, const std::string& db = "data.db") {
        sqlite::Connection c(dir / "vorq-workspace" / db, sqlite::Connection::Mode::ReadOnly);
        auto s = c.prepare("SELECT * FROM \"" + table + "\" ORDER BY rowid");
        std::vector<std::string> out;
        while (s.step()) {
            std::string row;
            for (int i = 0; i < s.columnCount(); ++i)
                row += (i ? "|" : "") + (s.isNull(i) ? std::string("NULL") : s.text(i));
            out.push_back(row);
        }
        return out;
    }
    std::string file(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

// EBCDIC bytes of text, by the system's converter.
inline std::string ebcdic(const std::string& text) {
    iconv_t cd = iconv_open("IBM037", "UTF-8");
    std::string out(text.size() * 2, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size(), outLeft = out.size();
    char* at = out.data();
    iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}

} // namespace vorq::testing
