#include "db/schema.hpp"

#include <algorithm>
#include <cctype>

namespace kro {

namespace schema_scripts {
extern const std::pair<std::string_view, std::string_view> kScripts[];
extern const std::size_t kScriptCount;
}  // namespace schema_scripts

namespace {

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

SqlDialect dialect_of(std::string_view dbms_name) {
    return upper(dbms_name).find("POSTGRES") != std::string::npos ? SqlDialect::Postgres : SqlDialect::Sqlite;
}

std::string_view schema_script(SchemaKind kind, SqlDialect dialect) {
    std::string name = kind == SchemaKind::Main ? "main" : kind == SchemaKind::Css ? "css" : "main_old";
    name += dialect == SqlDialect::Postgres ? "_postgres" : "_sqlite";
    for (std::size_t i = 0; i < schema_scripts::kScriptCount; ++i)
        if (schema_scripts::kScripts[i].first == name) return schema_scripts::kScripts[i].second;
    return {};
}

std::vector<std::string> split_statements(std::string_view script) {
    std::vector<std::string> statements;
    std::string current;
    bool in_quote = false;
    for (std::size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (!in_quote && c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            current += '\n';
            continue;
        }
        if (c == '\'') in_quote = !in_quote;
        if (!in_quote && c == ';') {
            if (std::string s = trimmed(current); !s.empty()) statements.push_back(std::move(s));
            current.clear();
            continue;
        }
        current += c;
    }
    if (std::string s = trimmed(current); !s.empty()) statements.push_back(std::move(s));
    return statements;
}

std::vector<std::string> created_tables(std::string_view script) {
    std::vector<std::string> tables;
    for (const std::string& statement : split_statements(script)) {
        const std::string u = upper(statement);
        if (!u.starts_with("CREATE TABLE ")) continue;
        std::size_t begin = 13;
        while (begin < u.size() && u[begin] == ' ') ++begin;
        std::size_t end = begin;
        while (end < u.size() && (std::isalnum(static_cast<unsigned char>(u[end])) || u[end] == '_')) ++end;
        tables.push_back(u.substr(begin, end - begin));
    }
    return tables;
}

bool table_exists(Connection& connection, std::string_view table) {
    try {
        Statement statement(connection);
        statement.execute("select * from " + std::string(table) + " where 1=0");
        return true;
    } catch (const DbError&) {
        return false;
    }
}

Status create_schema(Connection& connection, SchemaKind kind, SchemaCreation* result) {
    try {
        const std::string_view script = schema_script(kind, dialect_of(connection.dbms_name()));
        std::vector<std::string> present, missing;
        for (const std::string& table : created_tables(script))
            (table_exists(connection, table) ? present : missing).push_back(table);
        if (missing.empty()) {
            if (result) *result = SchemaCreation::AlreadyPresent;
            return {};
        }
        if (!present.empty()) {
            std::string names;
            for (const std::string& t : present) names += (names.empty() ? "" : ", ") + t;
            return Status::failure("The database already holds some of the tables (" + names +
                                   "), but not all of them; nothing was created.");
        }
        Transaction transaction(connection);
        for (const std::string& statement : split_statements(script)) connection.execute(statement);
        transaction.commit();
        if (result) *result = SchemaCreation::Created;
        return {};
    } catch (const DbError& e) {
        return Status::failure(e.what());
    }
}

}  // namespace kro
