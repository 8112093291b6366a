#include "load/RecordReader.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vorq::load {
namespace {

RecordFormatOptions formatOf(RecordFormat format, std::int64_t recordLength = 0) {
    RecordFormatOptions options;
    options.format = format;
    options.recordLength = recordLength;
    return options;
}

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
    RecordFormatOptions fixed = formatOf(RecordFormat::Fixed, 7);
    const auto all = records(bytes, fixed);
    ASSERT_EQ(all.size(), 300'000u);
    EXPECT_EQ(all[149'796], "149797@1048572:1149796") << "a record that two reads join";
    EXPECT_EQ(all.back(), "300000@2099993:1299999");
    EXPECT_EQ(testing::errorOf([&] { records(bytes + "x", fixed); }),
              "The data file " + (dir / "data").string() +
                  " holds 2100001 bytes of records, which is no whole number of 7-byte "
                  "records: is the record length or the format another, or has the file a "
                  "header or footer?");
}

TEST_F(RecordReaderTest, DescriptorWordsInEitherByteOrderWithAndWithoutBlocks) {
    RecordFormatOptions rdw = formatOf(RecordFormat::Rdw);
    EXPECT_EQ(records(word(7) + "abc" + word(4) + word(5) + "d", rdw),
              (std::vector<std::string>{"1@4:abc", "2@11:", "3@15:d"}));
    rdw.framing.littleEndian = true;
    EXPECT_EQ(records(word(6, true) + "ab", rdw), (std::vector<std::string>{"1@4:ab"}));
    rdw.framing.littleEndian = false;
    rdw.framing.blocks = true;
    EXPECT_EQ(records(word(15) + word(6) + "ab" + word(5) + "c" + word(9) + word(5) + "z", rdw),
              (std::vector<std::string>{"1@8:ab", "2@14:c", "3@23:z"}));
    EXPECT_EQ(testing::errorOf([&] { records(word(8) + word(7) + "abc", rdw); }),
              "The data file " + (dir / "data").string() +
                  " is damaged at record 1 (byte offset 4): the record runs past the end of its "
                  "block");
    rdw.framing.blocks = false;
    rdw.framing.excludesWord = true;
    EXPECT_EQ(records(word(3) + "abc", rdw), (std::vector<std::string>{"1@4:abc"}));
    rdw.framing.excludesWord = false;
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
    RecordFormatOptions text = formatOf(RecordFormat::Text);
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
    EXPECT_EQ(testing::errorOf([&] {
                  RecordReader(fifo, formatOf(RecordFormat::Text), std::chrono::seconds(1));
              }),
              "No program opened the pipe " + fifo.string() +
                  " for writing within 1 s: start the program that writes it");
    EXPECT_NE(testing::errorOf([&] {
                  RecordReader("/dev/zero", formatOf(RecordFormat::Fixed, 10));
              }).find("is no regular file and no pipe"),
              std::string::npos);
}

// A file of records of 1 to 30 bytes in a framing, built by its definition.
std::string framed(const DescriptorFraming& f, int records) {
    const auto word = [&](std::uint32_t length) {
        std::string w(4, '\0');
        const std::size_t at = f.lengthInLastHalf ? 2 : 0;
        w[at + (f.littleEndian ? 1 : 0)] = static_cast<char>(length >> 8);
        w[at + (f.littleEndian ? 0 : 1)] = static_cast<char>(length & 0xFF);
        return w;
    };
    std::string body;
    for (int r = 0; r < records; ++r) {
        const std::string data(static_cast<std::size_t>(1 + r * 7 % 30),
                               static_cast<char>('a' + r % 26));
        body += word(static_cast<std::uint32_t>(data.size() + (f.excludesWord ? 0 : 4))) + data;
    }
    return f.blocks ? word(static_cast<std::uint32_t>(body.size() + 4)) + body : body;
}

TEST_F(RecordReaderTest, EachFramingOfDescriptorWordsIsFoundFromTheFirstWords) {
    for (int bits = 0; bits < 16; ++bits) {
        const DescriptorFraming f{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0,
                                  (bits & 8) != 0};
        SCOPED_TRACE(f.describe());
        const std::string bytes = framed(f, 40);
        EXPECT_EQ(framingsThatRead(bytes, true), std::vector<DescriptorFraming>{f});
        RecordFormatOptions options = formatOf(RecordFormat::Rdw);
        options.findFraming = true;
        const auto all = records(bytes, options);
        ASSERT_EQ(all.size(), 40u);
        EXPECT_EQ(all[3],
                  "4@" + std::to_string(std::stoi(all[3].substr(2))) + ":" + std::string(22, 'd'));
    }
    // Words that read both as lengths of the whole record and of its data alone, with the
    // records in other places: the error names the options of each reading.
    RecordFormatOptions options = formatOf(RecordFormat::Rdw);
    options.findFraming = true;
    const std::string twoWays = std::string("\x0A\0\0\0", 4) + "abcdef" +
                                std::string("\x12\0\0\0", 4) + std::string("\x0A\0\0\0", 4) +
                                "0123456789";
    const std::string message = testing::errorOf([&] { records(twoWays, options); });
    EXPECT_NE(message.find("read in more than one way; say which one the file was written "
                           "with:\n  little-endian lengths that count their word\n  "
                           "little-endian lengths of the data alone"),
              std::string::npos)
        << message;
    // Where the readings put every record in the same place, either is the file's.
    EXPECT_EQ(records(std::string("\0\0\x05\x05", 4) + std::string(1281, 'z'), options).size(), 1u);
}

TEST_F(RecordReaderTest, HeadersAndFootersAreNoRecords) {
    RecordFormatOptions fixed = formatOf(RecordFormat::Fixed, 3);
    fixed.headerBytes = 4;
    fixed.footerBytes = 2;
    EXPECT_EQ(records("HEADabcdefTT", fixed), (std::vector<std::string>{"1@4:abc", "2@7:def"}));
    EXPECT_NE(testing::errorOf([&] {
                  records("HEADabcdeTT", fixed);
              }).find("holds 5 bytes of records, which is no whole number of 3-byte records"),
              std::string::npos);
    RecordFormatOptions text = formatOf(RecordFormat::Text);
    text.headerBytes = 5;
    text.footerBytes = 4;
    EXPECT_EQ(records("HEAD\nab\ncd\nEND\n", text), (std::vector<std::string>{"1@5:ab", "2@8:cd"}));
    RecordFormatOptions rdw = formatOf(RecordFormat::Rdw);
    rdw.footerBytes = 3;
    EXPECT_EQ(records(word(6) + "ab" + "EOF", rdw), (std::vector<std::string>{"1@4:ab"}));
    EXPECT_NE(testing::errorOf([&] {
                  records("EO", rdw);
              }).find("holds 2 bytes, fewer than its header and footer (3)"),
              std::string::npos);
}

// The parts of a file together hold each record once, in the file's order: fixed records by
// count (the first parts one more), records in blocks by the blocks that begin in each part's
// share of the bytes, with the framing found where the file begins.
TEST_F(RecordReaderTest, ThePartsOfAFileHoldEachRecordOnce) {
    const auto inParts = [&](const std::string& bytes, RecordFormatOptions options, int parts) {
        std::vector<std::vector<std::string>> out;
        options.parts = parts;
        for (options.part = 1; options.part <= parts; ++options.part)
            out.push_back(records(bytes, options));
        return out;
    };
    RecordFormatOptions fixed = formatOf(RecordFormat::Fixed, 2);
    fixed.headerBytes = 1;
    fixed.footerBytes = 1;
    EXPECT_EQ(inParts("Haabbccddeeffgg.", fixed, 3),
              (std::vector<std::vector<std::string>>{
                  {"1@1:aa", "2@3:bb", "3@5:cc"}, {"4@7:dd", "5@9:ee"}, {"6@11:ff", "7@13:gg"}}));

    const DescriptorFraming vb{false, false, false, true};
    std::string blocks;
    for (int b = 0; b < 7; ++b)
        blocks += framed(vb, 1 + b % 3);
    RecordFormatOptions rdw = formatOf(RecordFormat::Rdw);
    rdw.findFraming = true;
    const auto whole = records(blocks, rdw);
    for (const int parts : {2, 3, 4}) {
        std::vector<std::string> joined;
        for (const auto& part : inParts(blocks, rdw, parts)) {
            ASSERT_FALSE(part.empty());
            for (const std::string& r : part)
                joined.push_back(r.substr(r.find('@'))); // numbers count within the part
        }
        std::vector<std::string> expected;
        for (const std::string& r : whole)
            expected.push_back(r.substr(r.find('@')));
        EXPECT_EQ(joined, expected) << parts << " parts";
    }
    EXPECT_NE(testing::errorOf([&] {
                  inParts(blocks, rdw, 50);
              }).find("holds no records: no block begins in its share of the file's bytes"),
              std::string::npos);
    EXPECT_NE(testing::errorOf([&] {
                  inParts("ab\ncd\n", formatOf(RecordFormat::Text), 2);
              }).find("without reading the records before it"),
              std::string::npos);
}

} // namespace
} // namespace vorq::load
