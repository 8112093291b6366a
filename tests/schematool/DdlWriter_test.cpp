#include "host/TypeCodes.h"
#include "projectdb/ProjectCatalog.h"
#include "schematool/DdlWriter.h"
#include "sqlite/Sqlite.h"
#include "support/ProjectFixture.h"

#include <gtest/gtest.h>

namespace vorq::schematool {
namespace {

using testing::ProjectFixture;

// CUSTOMER (CUST_ID key, NAME) with child CUSTOMER_ORDERS keyed by the copied CUST_ID and idx.
struct CustomerProject : ProjectFixture {
    CustomerProject() {
        std::int32_t customer = addTable("CUSTOMER");
        std::int32_t orders = addTable("CUSTOMER_ORDERS");
        const std::int32_t custId = addColumn(customer, "CUST_ID", kTypeDecimal, 8, 0);
        addColumn(customer, "NAME", kTypeChar, 30);
        addColumn(customer, "ORDER", kTypeNChar, 4);
        const std::int32_t copy = ws->ColumnCopy(custId, orders, true);
        std::int32_t idx = 0;
        ws->ColumnAdd(orders, "idx", 4, 0, 0, false, "Occurs indexing field", "", {}, "", "", -1,
                      idx);
        addColumn(orders, "ORD_AMT", kTypeDecimal, 9, 2);
        std::int32_t keyId = 0;
        ws->ForeignAdd(orders, customer, "CUSTOMER_ORDERS_OCCURS", keyId);
        const auto sql = [](auto... parts) {
            return (std::string() + ... + std::to_string(parts));
        };
        const std::int32_t pk = ws->PrimaryAdd(customer);
        db->Execute("insert into IndexColumns(IndexID,ColumnID, Direction, Position) values (" +
                    sql(pk) + "," + sql(custId) + ",'A',-1)");
        const std::int32_t childPk = ws->PrimaryAdd(orders);
        for (const std::int32_t c : {copy, idx})
            db->Execute("insert into IndexColumns(IndexID,ColumnID, Direction, Position) values (" +
                        sql(childPk) + "," + sql(c) + ",'A',-1)");
        db->Execute("insert into ForeignKeyColumns(KeyID,ColumnID, RefColumnID) values (" +
                    sql(keyId) + "," + sql(copy) + "," + sql(custId) + ")");
        // A later table that the child refers to: it must still come first in the DDL.
        std::int32_t code = addTable("ORDER_CODE");
        addColumn(code, "CODE", kTypeSmallInt);
    }
};

TEST(Ddl, SqliteTextIsExactAndParentsComeFirst) {
    CustomerProject p;
    EXPECT_EQ(writeDdl(readCatalog(*p.db), Dialect::SQLite),
              "CREATE TABLE CUSTOMER (\n"
              "    CUST_ID DECIMAL(8,0) NOT NULL,\n"
              "    NAME CHAR(30),\n"
              "    \"ORDER\" NCHAR(4),\n"
              "    PRIMARY KEY (CUST_ID)\n"
              ");\n\n"
              "CREATE TABLE CUSTOMER_ORDERS (\n"
              "    CUST_ID DECIMAL(8,0) NOT NULL,\n"
              "    idx INTEGER NOT NULL,\n"
              "    ORD_AMT DECIMAL(9,2),\n"
              "    PRIMARY KEY (CUST_ID, idx),\n"
              "    CONSTRAINT CUSTOMER_ORDERS_OCCURS FOREIGN KEY (CUST_ID) REFERENCES CUSTOMER "
              "(CUST_ID)\n"
              ");\n\n"
              "CREATE TABLE ORDER_CODE (\n"
              "    CODE SMALLINT\n"
              ");\n\n");
}

TEST(Ddl, SqliteOutputLoadsIntoAFreshDatabaseWithTheKeys) {
    CustomerProject p;
    sqlite::Connection fresh(p.dir / "loaded.db", sqlite::Connection::Mode::CreateIfMissing);
    fresh.exec(writeDdl(readCatalog(*p.db), Dialect::SQLite));
    auto pk = fresh.prepare("SELECT group_concat(name, ',') FROM (SELECT name FROM "
                            "pragma_table_info('CUSTOMER_ORDERS') WHERE pk > 0 ORDER BY pk)");
    pk.step();
    EXPECT_EQ(pk.text(0), "CUST_ID,idx");
    auto fk = fresh.prepare(
        "SELECT \"table\", \"from\", \"to\" FROM pragma_foreign_key_list('CUSTOMER_ORDERS')");
    ASSERT_TRUE(fk.step());
    EXPECT_EQ(fk.text(0), "CUSTOMER");
    EXPECT_EQ(fk.text(1), "CUST_ID");
    EXPECT_EQ(fk.text(2), "CUST_ID");
    auto notNull = fresh.prepare(
        "SELECT \"notnull\" FROM pragma_table_info('CUSTOMER') WHERE name = 'CUST_ID'");
    notNull.step();
    EXPECT_EQ(notNull.integer(0), 1);
}

TEST(Ddl, DialectsSpellTypesTheirOwnWay) {
    EXPECT_EQ(columnType(kTypeDecimal, 9, 2, Dialect::PostgreSQL), "NUMERIC(9,2)");
    EXPECT_EQ(columnType(kTypeDouble, 0, 0, Dialect::PostgreSQL), "DOUBLE PRECISION");
    EXPECT_EQ(columnType(kTypeNChar, 10, 0, Dialect::DB2), "GRAPHIC(10)");
    EXPECT_EQ(columnType(kTypeNChar, 200, 0, Dialect::DB2), "VARGRAPHIC(200)");
    EXPECT_EQ(columnType(kTypeChar, 300, 0, Dialect::DB2), "VARCHAR(300)");
    EXPECT_EQ(columnType(kTypeChar, 300, 0, Dialect::SQLite), "CHAR(300)");
    EXPECT_EQ(columnType(kTypeNChar, 4, 0, Dialect::PostgreSQL), "CHAR(4)");
    // SQLite keeps 15 significant digits of a number with a fraction, whole numbers to 18.
    EXPECT_EQ(columnType(kTypeDecimal, 15, 2, Dialect::SQLite), "DECIMAL(15,2)");
    EXPECT_EQ(columnType(kTypeDecimal, 16, 2, Dialect::SQLite), "DECIMAL_TEXT(16,2)");
    EXPECT_EQ(columnType(kTypeDecimal, 18, 0, Dialect::SQLite), "DECIMAL(18,0)");
    EXPECT_EQ(columnType(kTypeDecimal, 19, 0, Dialect::SQLite), "DECIMAL_TEXT(19,0)");
    EXPECT_EQ(columnType(kTypeDecimal, 38, 2, Dialect::DB2), "DECIMAL(38,2)");
    CustomerProject p;
    const std::string db2 = writeDdl(readCatalog(*p.db), Dialect::DB2);
    EXPECT_NE(db2.find("\"ORDER\" GRAPHIC(4)"), std::string::npos) << db2;
    EXPECT_EQ(writeDdl(readCatalog(*p.db), Dialect::DB2), db2) << "deterministic";
}

} // namespace
} // namespace vorq::schematool
