#include "load/RecordReader.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vorq::load {
namespace {

struct RecordReaderTest : ::testing::Test {
    testing::TempDir dir;

    std::filesystem::path file(const std::string& bytes) {
        const auto path = dir / "data";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // Each record as "number@offset:bytes".
    std::vector<std::string> records(const std::string& bytes, RecordFormatOptions options) {
        RecordReader reader(file(bytes), options);
        std::vector<std::string> out;
        Record r;
        while (reader.next(r))
            out.push_back(std::to_string(r.number) + "@" + std::to_string(r.offset) + ":" +
                          std::string(r.bytes));
        return out;
    }
};

std::string word(int length, bool little = false) {
    std::string w(4, '\0');
    w[little ? 1 : 0] = static_cast<char>(length >> 8);
    w[little ? 0 : 1] = static_cast<char>(length & 0xFF);
    return w;
}

TEST_F(RecordReaderTest, FixedRecordsAcrossBufferBoundaries) {
    std::string bytes;
    for (int i = 0; i < 300'000; ++i)
        bytes += std::to_string(1'000'000 + i); // 7 bytes each, 2.1 MB: two buffers and more
    RecordFormatOptions fixed{RecordFormat::Fixed, 7};
    const auto all = records(bytes, fixed);
    ASSERT_EQ(all.size(), 300'000u);
    EXPECT_EQ(all[149'796], "149797@1048572:1149796") << "a record that two reads join";
    EXPECT_EQ(all.back(), "300000@2099993:1299999");
    EXPECT_EQ(testing::errorOf([&] { records(bytes + "x", fixed); }),
              "The data file " + (dir / "data").string() +
                  " holds 2100001 bytes, which is no whole number of 7-byte records: is the "
                  "record length or the format (--format rdw, text) another?");
}

TEST_F(RecordReaderTest, DescriptorWordsInEitherByteOrderWithAndWithoutBlocks) {
    RecordFormatOptions rdw{RecordFormat::Rdw};
    EXPECT_EQ(records(word(7) + "abc" + word(4) + word(5) + "d", rdw),
              (std::vector<std::string>{"1@4:abc", "2@11:", "3@15:d"}));
    rdw.littleEndianLengths = true;
    EXPECT_EQ(records(word(6, true) + "ab", rdw), (std::vector<std::string>{"1@4:ab"}));
    rdw.littleEndianLengths = false;
    rdw.blockDescriptors = true;
    EXPECT_EQ(records(word(15) + word(6) + "ab" + word(5) + "c" + word(9) + word(5) + "z", rdw),
              (std::vector<std::string>{"1@8:ab", "2@14:c", "3@23:z"}));
    EXPECT_EQ(testing::errorOf([&] { records(word(8) + word(7) + "abc", rdw); }),
              "The data file " + (dir / "data").string() +
                  " is damaged at record 1 (byte offset 4): the record runs past the end of its "
                  "block");
    rdw.blockDescriptors = false;
    rdw.lengthsExcludeWord = true;
    EXPECT_EQ(records(word(3) + "abc", rdw), (std::vector<std::string>{"1@4:abc"}));
    rdw.lengthsExcludeWord = false;
    EXPECT_EQ(testing::errorOf([&] { records(word(2), rdw); }),
              "The data file " + (dir / "data").string() +
                  " is damaged at record 1 (byte offset 0): a record descriptor word gives the "
                  "length 2");
    EXPECT_NE(testing::errorOf([&] {
                  records(word(5) + "ab", rdw);
              }).find("the file ends inside a record descriptor word"),
              std::string::npos);
}

TEST_F(RecordReaderTest, TextLinesWithAndWithoutCarriageReturns) {
    RecordFormatOptions text{RecordFormat::Text};
    EXPECT_EQ(records("ab\r\n\ncd", text), (std::vector<std::string>{"1@0:ab", "2@4:", "3@5:cd"}));
    const std::string longLine(3'000'000, 'x');
    const auto one = records(longLine + "\nz\n", text);
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0].size(), 3'000'004u);
    EXPECT_EQ(one[1], "2@3000001:z");
}

TEST_F(RecordReaderTest, APipeThatNoProgramWritesEndsTheWaitAndDevicesAreRefused) {
    const auto fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(testing::errorOf(
                  [&] { RecordReader(fifo, {RecordFormat::Text}, std::chrono::seconds(1)); }),
              "No program opened the pipe " + fifo.string() +
                  " for writing within 1 s: start the program that writes it");
    EXPECT_NE(testing::errorOf([&] {
                  RecordReader("/dev/zero", {RecordFormat::Fixed, 10});
              }).find("is no regular file and no pipe"),
              std::string::npos);
}

} // namespace
} // namespace vorq::load
