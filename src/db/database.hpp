#pragma once
// The two process-wide database connections: the main database with its
// server kind and comment column, and the optional CSS 3.0 database with
// the flag that tells whether it may be used. Opening, closing, the
// start-up sequence and the reconnect command live here.
//
// A Database belongs to one AppContext: it reads the connection settings
// and reports through the context's messenger, and while it lives the
// context's `database` pointer leads to it.

#include <string>
#include <string_view>

#include "core/app_context.hpp"
#include "db/odbc.hpp"
#include "db/schema_upgrade.hpp"

namespace kro {

// The server behind the main connection, from its DBMS name.
enum class DatabaseKind : int { Access = 0, SqlServer = 1, Oracle = 2, MySql = 3, PostgreSql = 4 };

// The upper-cased name is tested against "ACCESS", "MICROSOFT"+"SQL",
// "ORACLE", "MYSQL", "POSTGRES" in this order, the last match winning;
// Access when none matches.
DatabaseKind database_kind(std::string_view dbms_name);

// Runs SQL text on a connection; a failure throws DbError with the driver's text.
SqlOutcome execute(Connection& connection, std::string_view sql);

class Database {
public:
    explicit Database(AppContext& context);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the main connection on the configured settings, determines the
    // kind and upgrades the schema. An error while opening is shown with
    // the driver's text (error icon) and gives false.
    bool connect_main();
    // Closes the main connection; throws DbError when the driver refuses.
    void disconnect_main();

    // Opens the CSS 3.0 connection. Empty `dsn` or `user`: no connection,
    // no message, false. A failure shows "Error initializing database
    // interface CSS" and gives false.
    bool connect_css(const std::string& dsn, const std::string& user, const std::string& password);
    bool connect_css();  // with the configured settings
    // Closes the CSS connection when it is open; throws DbError when the
    // driver refuses (the connection counts as closed).
    void disconnect_css();

    // Start-up: connect_main ("Error of database interface initialization"
    // when it fails, start-up goes on), then connect_css.
    void open_at_startup();

    // The command "Reconnect to database", with its questions and messages.
    void reconnect();

    Connection& main() { return main_; }
    Connection& css() { return css_; }
    bool main_connected() const { return main_.is_open(); }
    bool css_connected() const { return css_connected_; }
    DatabaseKind kind() const { return kind_; }
    CommentColumn comment_column() const { return comment_column_; }
    std::string_view dbms_name() const { return dbms_name_; }
    AppContext& context() { return context_; }

private:
    Messenger& messenger() { return *context_.messenger; }

    AppContext& context_;
    Connection main_;
    Connection css_;
    bool css_connected_ = false;
    DatabaseKind kind_ = DatabaseKind::Access;
    CommentColumn comment_column_ = CommentColumn::Comments;
    std::string dbms_name_;
};

}  // namespace kro
