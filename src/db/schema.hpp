#pragma once
// The schema scripts of new databases and their creation in a data source.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"
#include "db/odbc.hpp"

namespace kro {

enum class SchemaKind {
    Main,     // the workstation's own tables
    Css,      // a CSS 3.0 database
    MainOld,  // a main database of older installations, before the columns the upgrade adds
};

enum class SqlDialect { Sqlite, Postgres };

// The dialect of a server by its DBMS name; SQLite for anything that is
// not PostgreSQL (the scripts use only widely understood types).
SqlDialect dialect_of(std::string_view dbms_name);

// The script text of a schema, as kept in src/db/schema/.
std::string_view schema_script(SchemaKind kind, SqlDialect dialect);

// The statements of a script: split at ';' outside quotes, "--" comments
// and surrounding blanks removed, empty statements dropped.
std::vector<std::string> split_statements(std::string_view script);

// The tables a script creates, in script order.
std::vector<std::string> created_tables(std::string_view script);

// True when "select * from <table> where 1=0" runs.
bool table_exists(Connection& connection, std::string_view table);

enum class SchemaCreation { Created, AlreadyPresent };

// Creates the tables of `kind` in one transaction. When every table is
// already there nothing is done (AlreadyPresent); when only some are, the
// data source is left alone and a failure names those present.
Status create_schema(Connection& connection, SchemaKind kind, SchemaCreation* result = nullptr);

}  // namespace kro
