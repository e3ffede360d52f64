// The ODBC layer on a real data source: errors carry the driver's text,
// bound text of every shape arrives unchanged, transactions commit and roll
// back.

#include <gmock/gmock.h>

#include "db/odbc.hpp"
#include "db/stations.hpp"
#include "db_test_support.hpp"

namespace kro::test {
namespace {

using ::testing::HasSubstr;

using OdbcTest = DbTest;

TEST_F(OdbcTest, UnknownDataSourceFailsWithTheDriverManagersText) {
    Connection c;
    try {
        c.open("DSN=KRO_NO_SUCH_SOURCE;UID=KRO;PWD=ZTQ;");
        FAIL() << "connected to a data source that does not exist";
    } catch (const DbError& e) {
        EXPECT_THAT(e.what(), HasSubstr("Data source name not found"));
        EXPECT_EQ(e.sqlstate(), "IM002");
    }
    EXPECT_FALSE(c.is_open());
}

TEST_F(OdbcTest, ReportsTheServersName) {
    EXPECT_EQ(main.dbms_name(), backend() == Backend::Postgres ? "PostgreSQL" : "SQLite");
}

TEST_F(OdbcTest, FailingStatementCarriesTheDriverText) {
    try {
        main.execute("select NOSUCHCOLUMN from NOSUCHTABLE");
        FAIL() << "a statement on a missing table succeeded";
    } catch (const DbError& e) {
        EXPECT_THAT(std::string(e.what()), ::testing::AnyOf(HasSubstr("nosuchtable"), HasSubstr("NOSUCHTABLE")));
    }
}

TEST_F(OdbcTest, TextOfAnyShapeIsStoredAndReadBackUnchanged) {
    prepare(SchemaKind::Main);
    const std::vector<std::string> texts = {
        "O'Neil",          "''",     "it's 100% done", "back\\slash\\", "a;b -- c /* d */", "? and ?",
        "\"double\"",      "",       "tab\there",      std::string(1000, 'x') + "'end",
        "%s %d %%",        "line\nbreak",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        main.execute("delete from NETWORKS");
        const std::string name = text.size() <= 255 ? text : "long";  // NETNAME is VARCHAR(255)
        insert_network(main, {name, std::nullopt, text, std::nullopt});
        const auto rows = read_networks(main);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].netname, name);
        EXPECT_EQ(rows[0].netlist, text);
    }
}

TEST_F(OdbcTest, TransactionsCommitOrRollBack) {
    prepare(SchemaKind::Main);
    insert_network(main, {"before", {}, {}, {}});
    {
        Transaction t(main);
        insert_network(main, {"rolled back", {}, {}, {}});
    }
    {
        Transaction t(main);
        insert_network(main, {"committed", {}, {}, {}});
        t.commit();
    }
    std::vector<std::string> names;
    for (const auto& row : read_networks(main)) names.push_back(row.netname.value_or("?"));
    EXPECT_THAT(names, ::testing::UnorderedElementsAre("before", "committed"));
    EXPECT_FALSE(main.in_transaction());
}

TEST_F(OdbcTest, UpdateTouchingNoRowEndsWithNoData) {
    prepare(SchemaKind::Main);
    EXPECT_EQ(main.execute("update LASTID set KEYVALUE=1 where KEYNAME=?", {"nothing"}), SqlOutcome::NoData);
    EXPECT_EQ(main.execute("update LASTID set KEYVALUE=1 where KEYNAME=?", {"orid"}), SqlOutcome::Success);
}

TEST_F(OdbcTest, StatementOnAClosedConnectionFails) {
    Connection closed;
    EXPECT_THROW(closed.execute("select 1"), DbError);
}

}  // namespace
}  // namespace kro::test
