#include "browse/RepositoryAccess.h"
#include "host/Error.h"
#include "host/Workspaces.h"
#include "support/FreshThread.h"
#include "support/VerifiedWorkspace.h"

#include <gtest/gtest.h>

namespace vorq::browse {
namespace {

using testing::VerifiedWorkspace;

std::vector<std::string> namesOf(ObjectCursor* cursor) {
    std::vector<std::string> names;
    for (; cursor && !cursor->AtEnd(); cursor->MoveNext())
        names.push_back(cursor->Current()->Attribute("Name"));
    return names;
}

struct AccessTest : ::testing::Test {
    void SetUp() override { workspaces.OskWS = w.wb; }
    std::string key(const std::string& cls, const std::string& name) {
        return std::to_string(w.id(cls, name));
    }
    VerifiedWorkspace w;
    Workspaces workspaces;
    RepositoryAccess access{workspaces};
};

TEST_F(AccessTest, OpenCloseAndReopen) {
    EXPECT_FALSE(access.OpenXRDB("", ""));
    EXPECT_FALSE(access.OpenXRDB("", ""));
    ASSERT_TRUE(access.OpenXRDB("ACCTREC.copybook.xrdb", key("COPYBOOK", "ACCTREC")));
    auto first = access.RepositoryDB;
    ASSERT_TRUE(access.OpenXRDB("ACCTREC.copybook.xrdb", key("COPYBOOK", "ACCTREC")));
    EXPECT_NE(access.RepositoryDB, first) << "the same name is opened afresh";
    EXPECT_THROW(first->TopObjects(), Error) << "the old one was closed";
    EXPECT_FALSE(access.OpenXRDB("", ""));
    EXPECT_EQ(access.RepositoryDB, nullptr);
    EXPECT_EQ(access.RepositoryDBName, "");
}

TEST_F(AccessTest, AFailedOpenLeavesNoneOpenAndKeepsTheName) {
    EXPECT_FALSE(access.OpenXRDB("MISSING.xrdb", key("COPYBOOK", "ACCTREC")));
    EXPECT_EQ(access.RepositoryDB, nullptr);
    EXPECT_EQ(access.RepositoryDBName, "MISSING.xrdb");
    // The program's Sid names its COBOL source, whose type opens the program database.
    EXPECT_TRUE(access.OpenXRDB("BILLING.cbl.cobol.xrdb", key("PROGRAM", "BILLFIX")));
    EXPECT_FALSE(access.OpenXRDB("BILLING.cbl.cobol.xrdb", key("COPYBOOK", "ACCTREC")))
        << "a program database does not open for a copybook";
    EXPECT_THROW(access.OpenXRDB("X", "999999"), Error) << "lookup errors reach the caller";
}

TEST_F(AccessTest, FindProgramObjectsAndProgramNameOf) {
    ASSERT_TRUE(access.OpenXRDB("BILLING.cbl.cobol.xrdb", key("PROGRAM", "BILLFIX")));
    const auto fix = access.FindProgramObjects("BILLFIX", "PORT");
    EXPECT_EQ(namesOf(fix.get()), std::vector<std::string>{"ACCOUNT-FILE"});
    EXPECT_EQ(access.FindProgramObjects("NOSUCH", "DECL"), nullptr);
    auto decls = access.FindProgramObjects("BILLRUN", "DECL");
    std::string nested;
    for (; !decls->AtEnd(); decls->MoveNext())
        if (decls->Current()->Attribute("Name") == "INV-MONTH")
            nested = decls->Current()->ObjectId();
    ASSERT_FALSE(nested.empty());
    EXPECT_EQ(access.ProgramNameOf(nested), "BILLRUN");
    EXPECT_EQ(access.ProgramNameOf("123456"), "");

    ASSERT_TRUE(access.OpenXRDB("INVOICE.copybook.xrdb", key("COPYBOOK", "INVOICE")));
    const auto all = access.FindProgramObjects("ANYTHING", "DECL");
    EXPECT_EQ(namesOf(all.get()).size(), 18u) << "a copybook's FILE gives every declaration";
}

TEST(AddIfNew, AddsAnIdOnce) {
    IdSet set;
    EXPECT_TRUE(RepositoryAccess::AddIfNew(set, "12"));
    EXPECT_FALSE(RepositoryAccess::AddIfNew(set, "12"));
    EXPECT_TRUE(RepositoryAccess::AddIfNew(set, "1"));
}

} // namespace
} // namespace vorq::browse
