#pragma once
// A thin C++ layer over the ODBC 3 C API (unixODBC): one process-wide
// environment, connections, statements with bound parameters, typed column
// reads with NULL as an empty optional, and transactions. Every handle is
// freed by its owner. Failures throw DbError carrying the driver's own
// diagnostic text.

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kro {

// A failed ODBC call. what() is the driver's message text (every
// diagnostic record, one per line); sqlstate() the first record's state.
class DbError : public std::runtime_error {
public:
    DbError(const std::string& message, std::string sqlstate)
        : std::runtime_error(message), sqlstate_(std::move(sqlstate)) {}
    const std::string& sqlstate() const { return sqlstate_; }

private:
    std::string sqlstate_;
};

// A date-time column value, whole seconds, in whatever zone the writer used
// (LDDATE columns hold the workstation's local time).
struct DbTimestamp {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    friend bool operator==(const DbTimestamp&, const DbTimestamp&) = default;
};

// The local wall clock now, as LDDATE columns receive it.
DbTimestamp local_now();

// How a call ended when it did not fail.
enum class SqlOutcome { Success, SuccessWithInfo, NoData };

// One value for a parameter marker '?', with its SQL type even when NULL.
class DbParam {
public:
    enum class Type { Text, Double, Single, Long, Byte, Timestamp };

    DbParam(std::string_view text);
    DbParam(const char* text) : DbParam(std::string_view(text)) {}
    DbParam(const std::string& text) : DbParam(std::string_view(text)) {}
    DbParam(const std::optional<std::string>& text);
    DbParam(double value);
    DbParam(std::optional<double> value);
    DbParam(float value);
    DbParam(std::optional<float> value);
    DbParam(int value);
    DbParam(std::optional<int> value);
    DbParam(std::uint8_t value);
    DbParam(std::optional<std::uint8_t> value);
    DbParam(const DbTimestamp& value);
    DbParam(const std::optional<DbTimestamp>& value);

    Type type() const { return type_; }
    bool is_null() const { return null_; }

private:
    friend class Statement;
    explicit DbParam(Type type) : type_(type), null_(true) {}

    Type type_;
    bool null_ = false;
    std::string text_;
    double real_ = 0.0;
    float single_ = 0.0f;
    SQLINTEGER long_ = 0;
    SQLSMALLINT byte_ = 0;  // bound as a small integer: every server has one
    SQL_TIMESTAMP_STRUCT timestamp_{};
    SQLLEN indicator_ = 0;
};

using DbParams = std::vector<DbParam>;

class Environment;

// One connection to a data source. Closed (and freed) by the destructor.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens with SQLDriverConnect on exactly `connection_string`, the
    // driver's own login dialog suppressed.
    void open(const std::string& connection_string);
    // Disconnects; throws when the driver refuses (the handle is freed
    // anyway and the connection counts as closed).
    void close();
    bool is_open() const { return open_; }

    // SQL_DBMS_NAME, for example "SQLite" or "PostgreSQL".
    std::string dbms_name() const;

    // Runs `sql` directly, or prepared with `params` bound to its markers.
    // Throws on failure; NoData for a searched UPDATE or DELETE that
    // touched no row.
    SqlOutcome execute(std::string_view sql, const DbParams& params = {});

    // Transactions: begin switches automatic commit off until commit or
    // rollback ends the transaction.
    void begin();
    void commit();
    void rollback();
    bool in_transaction() const { return in_transaction_; }

    SQLHDBC handle() const { return dbc_; }

private:
    void end_transaction(SQLSMALLINT completion);

    std::shared_ptr<Environment> env_;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    bool open_ = false;
    bool in_transaction_ = false;
};

// One statement on an open connection; its cursor and handle are freed by
// the destructor. Columns are numbered from 1 and read with SQLGetData,
// so each row's columns are read in increasing order.
class Statement {
public:
    explicit Statement(Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Executes `sql` at once (SQLExecDirect) when there are no parameters,
    // else prepares it and binds `params` to its markers in order.
    SqlOutcome execute(std::string_view sql, DbParams params = {});
    void prepare(std::string_view sql);
    void bind(DbParams params);
    SqlOutcome execute_prepared();

    // Moves to the next row; false after the last one.
    bool fetch();
    // Like fetch, but gives the outcome (Success, SuccessWithInfo or NoData).
    SqlOutcome fetch_outcome();
    void close_cursor();
    // Rows touched by the last INSERT, UPDATE or DELETE.
    long row_count() const;
    // The names of the result columns of the executed statement, in order.
    std::vector<std::string> column_names() const;

    // Column values of the current row; empty when NULL.
    std::optional<std::string> text(int column);  // any length
    std::optional<double> real(int column);
    std::optional<float> single(int column);
    std::optional<int> integer(int column);       // 32-bit
    std::optional<std::uint8_t> byte(int column);
    std::optional<DbTimestamp> timestamp(int column);

    SQLHSTMT handle() const { return stmt_; }

private:
    template <typename T>
    std::optional<T> fixed(int column, SQLSMALLINT c_type);

    Connection& connection_;
    SQLHSTMT stmt_ = SQL_NULL_HSTMT;
    DbParams params_;
};

// Begins a transaction; rolls it back in the destructor unless committed.
class Transaction {
public:
    explicit Transaction(Connection& connection) : connection_(connection) { connection_.begin(); }
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};

// The diagnostic records of a handle as text, one record per line.
std::string diagnostic_text(SQLSMALLINT handle_type, SQLHANDLE handle, std::string* first_state = nullptr);

}  // namespace kro
