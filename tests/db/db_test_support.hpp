#pragma once
// The database test fixture: the same tests run on SQLite data sources and
// on a PostgreSQL server, chosen by the --backend=sqlite|postgres argument
// that CTest passes. ./test.sh defines the data sources KRO_TEST_<BACKEND>
// and KRO_TEST_<BACKEND>_CSS and sets KRO_TEST_ODBC; without it the tests
// are skipped.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/app_context.hpp"
#include "core/messenger.hpp"
#include "db/database.hpp"
#include "db/schema.hpp"

namespace kro::test {

enum class Backend { Sqlite, Postgres };

// Set once by main() from --backend=.
void set_backend(Backend backend);
Backend backend();
std::string main_dsn();
std::string css_dsn();

class DbTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Drops every table of both schemas from a data source.
    static void drop_all(Connection& connection);
    // Empties both data sources and creates a schema in the main one (and
    // the CSS 3.0 schema in the CSS one).
    void prepare(SchemaKind main_schema);

    RecordingMessenger messenger;
    AppContext ctx{messenger};
    // Connections of the test itself, for setting up and looking.
    Connection main;
    Connection css;
};

}  // namespace kro::test
