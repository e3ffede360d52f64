// Schema scripts and the server kind, without a database.

#include <gmock/gmock.h>

#include "db/database.hpp"
#include "db/schema.hpp"

namespace kro {
namespace {

using ::testing::ElementsAre;

TEST(DatabaseKind, FromTheDbmsName) {
    struct Case {
        const char* name;
        DatabaseKind kind;
    };
    for (const Case& c : {Case{"Microsoft SQL Server", DatabaseKind::SqlServer},
                          Case{"PostgreSQL", DatabaseKind::PostgreSql}, Case{"ACCESS", DatabaseKind::Access},
                          Case{"SQLite", DatabaseKind::Access}, Case{"Oracle", DatabaseKind::Oracle},
                          Case{"MySQL", DatabaseKind::MySql}, Case{"", DatabaseKind::Access},
                          Case{"microsoft access", DatabaseKind::Access},
                          // The last test that matches wins.
                          Case{"Oracle MySQL", DatabaseKind::MySql}, Case{"MySQL on Oracle", DatabaseKind::MySql},
                          Case{"Microsoft SQL for Postgres", DatabaseKind::PostgreSql}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(database_kind(c.name), c.kind);
    }
}

TEST(SchemaScript, SplitsAtSemicolonsOutsideQuotesAndComments) {
    EXPECT_THAT(split_statements("-- a comment; with a semicolon\n"
                                 "CREATE TABLE A (X INT);\n\n"
                                 "INSERT INTO A VALUES ('x;y'); -- trailing\n"
                                 "  ;  \n"
                                 "INSERT INTO A VALUES ('it''s')"),
                ElementsAre("CREATE TABLE A (X INT)", "INSERT INTO A VALUES ('x;y')", "INSERT INTO A VALUES ('it''s')"));
}

TEST(SchemaScript, EveryScriptCreatesItsTables) {
    const std::vector<std::string> main_tables = {"FILELIST", "SITE",    "SITECHAN", "NETWORKS",   "ORIGIN",
                                                  "ARRIVAL",  "EVENTLIST", "LASTID", "CONTREG", "CALIBRATION"};
    const std::vector<std::string> css_tables = {"ORIGIN", "ARRIVAL", "ASSOC", "STAMAG",    "AMPLITUDE", "REMARK",
                                                 "LASTID", "WFDISC",  "ARR_ALERT", "SITE", "SITECHAN"};
    for (SqlDialect dialect : {SqlDialect::Sqlite, SqlDialect::Postgres}) {
        EXPECT_EQ(created_tables(schema_script(SchemaKind::Main, dialect)), main_tables);
        EXPECT_EQ(created_tables(schema_script(SchemaKind::MainOld, dialect)), main_tables);
        EXPECT_EQ(created_tables(schema_script(SchemaKind::Css, dialect)), css_tables);
    }
}

TEST(SchemaScript, DialectFromTheDbmsName) {
    EXPECT_EQ(dialect_of("PostgreSQL"), SqlDialect::Postgres);
    EXPECT_EQ(dialect_of("SQLite"), SqlDialect::Sqlite);
}

}  // namespace
}  // namespace kro
