#include "host/Error.h"
#include "workbench/ObjectBlock.h"
#include "workbench/StoredRepository.h"

#include <gtest/gtest.h>
#include <limits>

namespace vorq::workbench {
namespace {

// Every object of a block as "parent class display [name=value ...]" lines.
std::string dump(std::string_view bytes) {
    ObjectBlockReader reader(bytes);
    std::string out;
    std::int64_t parent = 0;
    std::string_view cls, display, name, value;
    while (reader.nextObject(parent, cls, display)) {
        out += std::to_string(parent) + " " + std::string(cls) + " " + std::string(display);
        while (reader.nextAttribute(name, value))
            out += " " + std::string(name) + "=" + std::string(value);
        out += "\n";
    }
    return out;
}

TEST(ObjectBlock, ObjectsComeBackAsWrittenWhateverTheirBytes) {
    ObjectBlockBuilder block;
    const std::string longValue(300, 'x');
    const std::string controls("a\x1e\x1f\0b", 5);
    block.begin(0, "FILE", "CUST");
    block.end();
    block.begin(200'000, "DECL", "");
    block.attribute(Attribute::Value, longValue);
    block.attribute(Attribute::PortName, controls);
    block.attribute(Attribute::Length, std::int64_t{-7});
    block.attribute(Attribute::Offset, std::numeric_limits<std::int64_t>::min()); // 20 bytes
    block.attribute(Attribute::Value, "");
    block.end();
    EXPECT_EQ(block.objectCount(), 2u);
    EXPECT_EQ(dump(block.bytes()), "0 FILE CUST\n200000 DECL  Value=" + longValue +
                                       " PORTNAME=" + controls +
                                       " Length=-7 Offset=-9223372036854775808 Value=\n");
    block.clear();
    EXPECT_EQ(block.objectCount(), 0u);
    EXPECT_EQ(dump(block.bytes()), "");
}

TEST(ObjectBlock, ADamagedBlockIsAnErrorNotAnOverrun) {
    ObjectBlockBuilder block;
    block.begin(3, "DECL", "CUST-NAME");
    block.attribute(Attribute::Picture, "X(30)");
    block.end();
    const std::string bytes(block.bytes());
    for (std::size_t cut = 1; cut < bytes.size(); ++cut)
        EXPECT_THROW(dump(bytes.substr(0, cut)), Error) << "cut at " << cut;
    EXPECT_THROW(dump(std::string(11, '\xff')), Error);
    EXPECT_THROW(dump(std::string("\x01\x04"
                                  "DECL"
                                  "\x00\x7f\x00",
                                  9)),
                 Error); // no attribute 127
}

TEST(ObjectBlock, AttributesAreFoundByNameInAnyCaseEachAsOftenAsAsked) {
    ObjectBlockBuilder block;
    block.begin(0, "DECL", "AMOUNT");
    block.attribute(Attribute::Name, "AMOUNT");
    block.attribute(Attribute::Digits, std::int64_t{9});
    block.attribute(Attribute::PortName, "P1");
    block.end();
    ObjectBlockReader reader(block.bytes());
    std::int64_t parent = 0;
    std::string_view cls, display;
    ASSERT_TRUE(reader.nextObject(parent, cls, display));
    StoredRepository::Object o;
    o.attributeBytes = reader.takeAttributes();

    EXPECT_EQ(StoredRepository::attributes(
                  o, {"digits", "NAME", "Picture", "Nonesuch", "Digits", "portname", ""}),
              (std::vector<std::string>{"9", "AMOUNT", "", "", "9", "P1", ""}));
    EXPECT_EQ(StoredRepository::attribute(o, "PortName"), "P1");
    EXPECT_EQ(StoredRepository::attribute(o, "Usage"), "");
    EXPECT_EQ(StoredRepository::attribute(o, "Name "), "");
}

} // namespace
} // namespace vorq::workbench
