#include "host/Error.h"
#include "sqlite/Sqlite.h"
#include "support/VerifiedWorkspace.h"
#include "workbench/RepositoryFolder.h"
#include "workbench/StoredRepository.h"

#include <fstream>
#include <gtest/gtest.h>

namespace vorq::workbench {
namespace {

using testing::VerifiedWorkspace;

std::string attributes(RepositoryObject& o) {
    std::string out;
    for (const char* name : {"Name", "Picture", "Usage", "Occurs", "Digits", "Length", "Fraction",
                             "Datatype", "Elementary", "SysVar"})
        out += std::string(out.empty() ? "" : " ") + name + "=" + o.Attribute(name);
    return out;
}

std::shared_ptr<RepositoryObject> declNamed(RepositoryDatabase& db, const std::string& name) {
    for (auto all = db.ObjectsOfClass("", "DECL"); !all->AtEnd(); all->MoveNext())
        if (all->Current()->Attribute("Name") == name)
            return all->Current();
    throw std::runtime_error("no DECL " + name);
}

TEST(Verify, TheCatalogListsSourcesProgramsAndTheirPortsInOrder) {
    VerifiedWorkspace w;
    Catalog& catalog = w.wb->catalog();
    EXPECT_EQ(catalog.objectsOfClass("COPYBOOK").size(), 4u);
    const auto billing = w.id("COBOL", "BILLING.cbl");
    EXPECT_EQ(w.names(catalog.related(billing, "DefinesProgram")), "BILLRUN BILLFIX");
    const auto billfix = w.id("PROGRAM", "BILLFIX");
    EXPECT_EQ(w.names(catalog.related(billfix, "ReadsDataPort")), "ACCTFILE");
    EXPECT_EQ(w.names(catalog.related(billfix, "UpdatesDataPort")), "ACCTFILE");
    EXPECT_EQ(w.names(catalog.related(w.id("PROGRAM", "BILLRUN"), "InsertsDataPort")), "INVOICES");
    EXPECT_EQ(w.names(catalog.related(w.id("DATAPORT", "ACCTFILE"), "IsReadIn")),
              "BILLRUN BILLFIX");
    const auto custmnt = w.id("PROGRAM", "CUSTMNT");
    EXPECT_EQ(w.names(catalog.related(custmnt, "ReadsDataPort")), "CHANGES CUSTMAST");
    EXPECT_EQ(w.names(catalog.related(custmnt, "DeletesDataPort")), "CUSTMAST");
    EXPECT_EQ(w.names(catalog.related(custmnt, "InsertsDataPort")), "CHGLOG");
    EXPECT_EQ(catalog.object(billfix)->sid, std::to_string(billing));
    EXPECT_EQ(w.wb->Repository().ObjectType(std::to_string(billing)), "COBOL");
}

TEST(Verify, DeclarationsCarryNumberTextAttributesAndRelations) {
    VerifiedWorkspace w;
    auto db = StoredRepository::load(w.wb->folder().database("ACCTREC.copybook.xrdb"));
    auto top = db->TopObjects();
    EXPECT_EQ(top->Current()->Class().ClassName(), "FILE");
    EXPECT_EQ(attributes(*declNamed(*db, "ACCT-BALANCE")),
              "Name=ACCT-BALANCE Picture=S9(11)V99 Usage=COMP-3 Occurs=0 Digits=13 Length=7 "
              "Fraction=2 Datatype=9 Elementary=True SysVar=False");
    EXPECT_EQ(attributes(*declNamed(*db, "STATEMENTS")),
              "Name=STATEMENTS Picture= Usage= Occurs=12 Digits=0 Length=22 Fraction=0 "
              "Datatype=0 Elementary=False SysVar=False");
    auto renames = declNamed(*db, "ACCT-IDENTITY")->Related("Renames from");
    ASSERT_FALSE(renames->AtEnd());
    EXPECT_EQ(renames->Current()->Attribute("Name"), "ACCT-KEY");

    auto cust = StoredRepository::load(w.wb->folder().database("CUSTMAST.copybook.xrdb"));
    auto redefined = declNamed(*cust, "OPENED-DATE-X")->Related("Redefines");
    ASSERT_FALSE(redefined->AtEnd());
    EXPECT_EQ(redefined->Current()->Attribute("Name"), "OPENED-DATE");
    auto conditions = declNamed(*cust, "CUST-STATUS")->ObjectsOfClass("CONDITION");
    ASSERT_FALSE(conditions->AtEnd());
    EXPECT_EQ(conditions->Current()->Attribute("Name"), "CUST-ACTIVE");
}

TEST(Verify, ASourceThatFailsKeepsItsPreviousDatabase) {
    VerifiedWorkspace w;
    const auto file = w.dir / "CUSTMAST.cpy";
    std::ofstream(file) << "       01 CUSTOMER-MASTER.\n           05 BROKEN PIC.\n";
    const auto before = w.wb->folder().database("CUSTMAST.copybook.xrdb");
    const auto size = std::filesystem::file_size(before);
    cobol::DiskFileReader disk;
    Verifier verifier(*w.wb, disk, {});
    const auto outcome = verifier.verify(file.string());
    EXPECT_FALSE(outcome.verified);
    EXPECT_TRUE(outcome.diagnostics.hasErrors());
    EXPECT_EQ(std::filesystem::file_size(before), size);
    for (const auto& entry : std::filesystem::directory_iterator(w.wb->folder().root()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    EXPECT_NE(w.wb->catalog().objectsOfClass("COPYBOOK")[1].sourcePath, file.string());
}

TEST(Verify, DatabasesOutsideTheFolderOrOfAnotherKindAreRefused) {
    VerifiedWorkspace w;
    EXPECT_THROW(w.wb->folder().database("../elsewhere.xrdb"), Error);
    EXPECT_THROW(w.wb->folder().database(""), Error);
    auto& opener = w.wb->Opener();
    const std::string folder = w.wb->GetBrevanName(4);
    EXPECT_THROW(opener.OpenDatabase(folder + "/../catalog.db", "COPYBOOK"), Error);
    EXPECT_THROW(opener.OpenDatabase(folder + "/ACCTREC.copybook.xrdb", "PROGRAM"), Error);
    EXPECT_THROW(opener.OpenDatabase(folder + "/catalog.db", "COPYBOOK"), Error);
    EXPECT_NO_THROW(opener.OpenDatabase(folder + "/BILLING.cbl.cobol.xrdb", "DATAPORT"));
}

TEST(Verify, ADatabaseOfAnotherLayoutAsksForVerifyAgain) {
    VerifiedWorkspace w;
    const auto path = w.wb->folder().database("ACCTREC.copybook.xrdb");
    sqlite::Connection(path, sqlite::Connection::Mode::ReadWrite)
        .exec("UPDATE Info SET Value = '1' WHERE Key = 'Format'");
    try {
        StoredRepository::load(path);
        FAIL() << "an older layout was read";
    } catch (const Error& e) {
        EXPECT_NE(e.description().find("verify its source again"), std::string::npos)
            << e.description();
    }
}

TEST(Verify, SourcesWhoseNamesDifferNeverShareADatabase) {
    EXPECT_NE(xandrelFor("copybook", "WITH SPACE"), xandrelFor("copybook", "WITH_SPACE"));
    EXPECT_NE(xandrelFor("copybook", "A/B"), xandrelFor("copybook", "A_B"));
    EXPECT_EQ(xandrelFor("cobol", "BILLING.cbl"), "BILLING.cbl.cobol.xrdb");
    EXPECT_EQ(xandrelFor("copybook", "../X"), ".._2FX.copybook.xrdb") << "a plain file name";
}

TEST(Verify, TheRunLogKeepsItsEntries) {
    VerifiedWorkspace w;
    auto log = w.wb->Log();
    EXPECT_THROW(log->AddLogEntry("T", false, "1", "too early", 0), Error);
    log->BeginLog("Vorq");
    log->AddLogEntry("", true, "7", "Import to Tabulon from X: Interrupted by the user.", 0);
    log->EndLog(true);
    const auto entries = w.wb->catalog().logEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].category, "Vorq");
    EXPECT_TRUE(entries[0].isError);
    EXPECT_EQ(entries[0].text, "Import to Tabulon from X: Interrupted by the user.");
}

TEST(Verify, TheIconsOfTheClassesArePngFilesInTheIconsFolder) {
    VerifiedWorkspace w;
    auto& classes = w.wb->session().GetMetamodel().GetClassTable();
    for (const char* cls : {"COPYBOOK", "PROGRAM", "DATAPORT"}) {
        const auto file = w.wb->folder().icons() / classes.Item(cls).IconFile;
        std::ifstream in(file, std::ios::binary);
        char signature[8] = {};
        in.read(signature, 8);
        EXPECT_EQ(std::string(signature + 1, 3), "PNG") << file;
    }
}

} // namespace
} // namespace vorq::workbench
