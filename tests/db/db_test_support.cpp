#include "db_test_support.hpp"

#include <cstdlib>

namespace kro::test {

namespace {
Backend g_backend = Backend::Sqlite;
}

void set_backend(Backend b) { g_backend = b; }
Backend backend() { return g_backend; }
std::string main_dsn() { return g_backend == Backend::Postgres ? "KRO_TEST_POSTGRES" : "KRO_TEST_SQLITE"; }
std::string css_dsn() { return main_dsn() + "_CSS"; }

void DbTest::SetUp() {
    if (!std::getenv("KRO_TEST_ODBC")) GTEST_SKIP() << "no test data sources: run through ./test.sh";
    DatabaseSettings& db = ctx.settings.database;
    db.odbc = main_dsn();
    db.user = "KRO";
    db.password = "ZTQ";
    db.odbc_css = css_dsn();
    db.user_css = "KRO";
    db.password_css = "ZTQ";
    main.open(main_connection_string(db));
    css.open(css_connection_string(db));
}

void DbTest::drop_all(Connection& connection) {
    for (SchemaKind kind : {SchemaKind::Main, SchemaKind::Css})
        for (const std::string& table : created_tables(schema_script(kind, SqlDialect::Sqlite))) {
            // One of the two fails for whatever the name is not.
            for (const char* drop : {"DROP VIEW IF EXISTS ", "DROP TABLE IF EXISTS "}) try {
                    connection.execute(drop + table);
                } catch (const DbError&) {
                }
        }
}

void DbTest::prepare(SchemaKind main_schema) {
    drop_all(main);
    drop_all(css);
    ASSERT_TRUE(create_schema(main, main_schema));
    ASSERT_TRUE(create_schema(css, SchemaKind::Css));
}

}  // namespace kro::test
