#include "db/database.hpp"

#include <cctype>

namespace kro {

DatabaseKind database_kind(std::string_view dbms_name) {
    std::string name(dbms_name);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto has = [&](const char* part) { return name.find(part) != std::string::npos; };
    DatabaseKind kind = DatabaseKind::Access;
    if (has("ACCESS")) kind = DatabaseKind::Access;
    if (has("MICROSOFT") && has("SQL")) kind = DatabaseKind::SqlServer;
    if (has("ORACLE")) kind = DatabaseKind::Oracle;
    if (has("MYSQL")) kind = DatabaseKind::MySql;
    if (has("POSTGRES")) kind = DatabaseKind::PostgreSql;
    return kind;
}

SqlOutcome execute(Connection& connection, std::string_view sql) { return connection.execute(sql); }

Database::Database(AppContext& context) : context_(context) { context_.database = this; }

Database::~Database() {
    if (context_.database == this) context_.database = nullptr;
}

bool Database::connect_main() {
    try {
        main_.open(main_connection_string(context_.settings.database));
        dbms_name_ = main_.dbms_name();
    } catch (const DbError& e) {
        messenger().error(e.what());
        return false;
    }
    kind_ = database_kind(dbms_name_);
    comment_column_ = upgrade_schema(main_, messenger());
    return true;
}

void Database::disconnect_main() { main_.close(); }

bool Database::connect_css(const std::string& dsn, const std::string& user, const std::string& password) {
    css_connected_ = false;
    if (dsn.empty() || user.empty()) return false;
    try {
        css_.open(connection_string(dsn, user, password));
    } catch (const DbError&) {
        messenger().error("Error initializing database interface CSS");
        return false;
    }
    css_connected_ = true;
    return true;
}

bool Database::connect_css() {
    const DatabaseSettings& s = context_.settings.database;
    return connect_css(s.odbc_css, s.user_css, s.password_css);
}

void Database::disconnect_css() {
    if (!css_connected_) return;
    css_connected_ = false;
    css_.close();
}

void Database::open_at_startup() {
    if (!connect_main()) messenger().error("Error of database interface initialization");
    connect_css();
}

void Database::reconnect() {
    if (messenger().message_box("Reconnect to DB?", "Attention!", MessageIcon::Warning, MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return;
    for (;;) {
        try {
            disconnect_css();
        } catch (const DbError& e) {
            messenger().error(e.what());
        }
        try {
            disconnect_main();
        } catch (const DbError& e) {
            messenger().error(e.what());
        }
        if (connect_main()) {
            connect_css();
            return;
        }
        messenger().error("Error initializing database interface");
        if (messenger().message_box("DB connection error.\n Retry?", "Error", MessageIcon::Warning,
                                    MessageButtons::YesNo) != MessageAnswer::Yes)
            return;
    }
}

}  // namespace kro
