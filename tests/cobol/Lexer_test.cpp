#include "cobol/Lexer.h"
#include "cobol/SourceFormat.h"
#include "support/CobolText.h"

#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

struct Lexed {
    std::shared_ptr<const SourceFile> file;
    std::vector<Token> tokens;
    Diagnostics diags;
};

// Free-format text, so that columns need no padding.
Lexed lex(const std::string& code) {
    Lexed out;
    out.file = SourceFile::fromText("t.cbl", ">>SOURCE FORMAT IS FREE\n" + code);
    out.tokens = testing::tokenize(*out.file, splitSource(*out.file, out.diags), out.diags);
    return out;
}

// "W:05 W:A P:S9(5)V99 ." : each token's kind and text.
std::string shape(const Lexed& lexed) {
    std::string out;
    for (const auto& t : lexed.tokens) {
        out += out.empty() ? "" : " ";
        out += "WPLT.()?"[static_cast<int>(t.kind)]; // Word, Picture, Literal, PseudoText, ...
        if (t.kind != TokenKind::Period)
            out += std::string(":") + t.text;
    }
    return out;
}

TEST(Lexer, WordsPicturesAndSeparators) {
    const auto l = lex("05 cust-id PIC S9(5)V99 COMP-3 VALUE -1.5. 88 ok VALUES 1 THRU 9.");
    EXPECT_FALSE(l.diags.hasErrors()) << l.diags.format();
    EXPECT_EQ(shape(l), "W:05 W:cust-id W:PIC P:S9(5)V99 W:COMP-3 W:VALUE W:-1.5 . W:88 W:ok "
                        "W:VALUES W:1 W:THRU W:9 .");
    EXPECT_TRUE(l.tokens[1].lineStart == false && l.tokens[0].lineStart);
    EXPECT_EQ(l.tokens[1].name(), "CUST-ID") << "names fold to upper case";
    EXPECT_EQ(l.tokens[3].at.line, 2);
    EXPECT_EQ(l.tokens[3].at.column, 16);
}

TEST(Lexer, PicturesKeepPeriodsAndCommasThatAreNotAtTheirEnd) {
    EXPECT_EQ(shape(lex("05 A PIC Z,ZZ9.99-. 05 B PICTURE IS X(3).")),
              "W:05 W:A W:PIC P:Z,ZZ9.99- . W:05 W:B W:PICTURE W:IS P:X(3) .");
}

TEST(Lexer, LiteralFormsGiveTheirValues) {
    const auto l = lex("'it''s' \"say \"\"hi\"\"\" X\"4142\" Z'ab' N'n' 'con' & 'cat'.");
    EXPECT_FALSE(l.diags.hasErrors()) << l.diags.format();
    ASSERT_GE(l.tokens.size(), 6u);
    EXPECT_EQ(l.tokens[0].text, "it's");
    EXPECT_EQ(l.tokens[1].text, "say \"hi\"");
    // Hex digits stay as written for the layout to count; '&' is left to the parser, which
    // joins the literals on either side.
    EXPECT_EQ(shape(l), "L:it's L:say \"hi\" L:4142 L:ab L:n L:con ?:& L:cat .");
}

TEST(Lexer, PseudoTextCommentsAndUnclosedLiterals) {
    EXPECT_EQ(shape(lex("COPY M REPLACING ==:P:== BY ==CUST==. *> the rest is a comment")),
              "W:COPY W:M W:REPLACING T::P: W:BY T:CUST .");
    const auto open = lex("05 A PIC X VALUE 'never closed");
    ASSERT_TRUE(open.diags.hasErrors());
    EXPECT_EQ(open.diags.all()[0].line, 2);
}

} // namespace
} // namespace vorq::cobol
