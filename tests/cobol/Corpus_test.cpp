// COBOL written by others, against what GnuCOBOL computed for it (the corpus's oracle folder).
// Built only where the corpus lies next to the clone: every test here reads it.

#include "cobol/CobolReader.h"
#include "support/OracleLayout.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace vorq::cobol {
namespace {

const std::filesystem::path kCorpus = VORQ_CORPUS;

std::vector<std::vector<std::string>> rows(const std::filesystem::path& tsv) {
    std::vector<std::vector<std::string>> result;
    std::ifstream in(tsv);
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        result.push_back(std::move(fields));
    }
    return result;
}

ReadResult read(const std::filesystem::path& file) {
    static const DiskFileReader disk;
    return readSource(file.string(), disk, {{file.parent_path().string()}});
}

TEST(Corpus, EveryCopybookGnuCobolAcceptsHasItsLengthsAndOffsets) {
    int files = 0, compared = 0;
    for (const auto& row : rows(kCorpus / "oracle/summary.tsv")) {
        if (row.size() < 2 || row[1] != "ok")
            continue;
        const auto result = read(kCorpus / row[0]);
        ASSERT_FALSE(result.diagnostics.hasErrors()) << row[0] << "\n"
                                                     << result.diagnostics.format();
        auto ours = testing::flattened(*result.model);
        std::ifstream jsonl(kCorpus / "oracle" / (row[0] + ".jsonl"));
        const auto expected = testing::oracleItems(jsonl);
        // A copybook without level 01 is read as a record named after its file, which the
        // oracle's program around the copybook has no row for.
        if (ours.size() == expected.size() + 1 && ours[0]->name == result.model->name)
            ours.erase(ours.begin());
        ASSERT_EQ(ours.size(), expected.size()) << row[0];
        ++files;
        // IBM Enterprise COBOL gives a POINTER 4 bytes; GnuCOBOL on a 64-bit machine gives it 8,
        // so this file's oracle is wrong after its pointer (checked against IBM's rule below).
        if (row[0].ends_with("cpyPointer.cbl")) {
            EXPECT_EQ(ours[0]->length, 62) << "3 + 35 + 4 + 4 (POINTER) + 12 + 4";
            continue;
        }
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const testing::OracleItem& o = expected[i];
            if (!o.measured || o.offset < 0)
                continue;
            EXPECT_EQ(ours[i]->offset, o.offset) << row[0] << ": " << o.name;
            EXPECT_EQ(ours[i]->length, o.length) << row[0] << ": " << o.name;
            ++compared;
        }
    }
    EXPECT_GT(files, 190);
    EXPECT_GT(compared, 4000);
}

TEST(Corpus, EveryProgramVerifiesOrFailsWithAClearMessage) {
    int programs = 0, verified = 0;
    for (const auto& row : rows(kCorpus / "MANIFEST.tsv")) {
        if (row.size() < 4 || row[3] != "program")
            continue;
        const auto result = read(kCorpus / row[2]);
        ++programs;
        verified += !result.diagnostics.hasErrors();
        for (const auto& d : result.diagnostics.all()) {
            EXPECT_FALSE(d.file.empty()) << d.format();
            EXPECT_GT(d.line, 0) << d.format();
            EXPECT_GT(d.column, 0) << d.format();
        }
    }
    EXPECT_EQ(programs, 61);
    // The rest copy BMS maps that the corpus does not hold; they fail naming the member.
    EXPECT_GE(verified, 56);
}

} // namespace
} // namespace vorq::cobol
