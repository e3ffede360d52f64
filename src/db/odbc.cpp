#include "db/odbc.hpp"

#include <ctime>
#include <mutex>

namespace kro {

std::string diagnostic_text(SQLSMALLINT handle_type, SQLHANDLE handle, std::string* first_state) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        std::string message(1024, '\0');
        SQLRETURN rc = SQLGetDiagRec(handle_type, handle, record, state, &native,
                                     reinterpret_cast<SQLCHAR*>(message.data()),
                                     static_cast<SQLSMALLINT>(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
            message.assign(static_cast<std::size_t>(length) + 1, '\0');
            rc = SQLGetDiagRec(handle_type, handle, record, state, &native,
                               reinterpret_cast<SQLCHAR*>(message.data()),
                               static_cast<SQLSMALLINT>(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        message.resize(std::min<std::size_t>(static_cast<std::size_t>(length), message.size()));
        while (!message.empty() && (message.back() == '\n' || message.back() == '\0')) message.pop_back();
        if (record == 1 && first_state) *first_state = reinterpret_cast<const char*>(state);
        if (!text.empty()) text += '\n';
        text += message;
    }
    return text;
}

namespace {

[[noreturn]] void fail(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view what) {
    std::string state;
    std::string text = handle ? diagnostic_text(handle_type, handle, &state) : std::string();
    if (text.empty()) text = std::string(what) + " failed";
    throw DbError(text, state);
}

SqlOutcome outcome(SQLRETURN rc, SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view what) {
    switch (rc) {
        case SQL_SUCCESS: return SqlOutcome::Success;
        case SQL_SUCCESS_WITH_INFO: return SqlOutcome::SuccessWithInfo;
        case SQL_NO_DATA: return SqlOutcome::NoData;
        default: fail(handle_type, handle, what);
    }
}

}  // namespace

// The ODBC 3 environment, shared by every connection of the process.
class Environment {
public:
    Environment() {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_)))
            throw DbError("The ODBC driver manager could not be initialised", "");
        const SQLRETURN rc =
            SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        if (!SQL_SUCCEEDED(rc)) {
            std::string state;
            const std::string text = diagnostic_text(SQL_HANDLE_ENV, env_, &state);
            SQLFreeHandle(SQL_HANDLE_ENV, env_);
            throw DbError(text.empty() ? "ODBC 3 is not supported by the driver manager" : text, state);
        }
    }
    ~Environment() { SQLFreeHandle(SQL_HANDLE_ENV, env_); }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    SQLHENV handle() const { return env_; }

    static std::shared_ptr<Environment> shared() {
        static std::mutex mutex;
        static std::weak_ptr<Environment> current;
        std::lock_guard lock(mutex);
        auto env = current.lock();
        if (!env) {
            env = std::make_shared<Environment>();
            current = env;
        }
        return env;
    }

private:
    SQLHENV env_ = SQL_NULL_HENV;
};

DbTimestamp local_now() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// ---- parameters

DbParam::DbParam(std::string_view text) : type_(Type::Text), text_(text) {}
DbParam::DbParam(const std::optional<std::string>& text) : DbParam(Type::Text) {
    if (text) *this = DbParam(std::string_view(*text));
}
DbParam::DbParam(double value) : type_(Type::Double), real_(value) {}
DbParam::DbParam(std::optional<double> value) : DbParam(Type::Double) {
    if (value) *this = DbParam(*value);
}
DbParam::DbParam(float value) : type_(Type::Single), single_(value) {}
DbParam::DbParam(std::optional<float> value) : DbParam(Type::Single) {
    if (value) *this = DbParam(*value);
}
DbParam::DbParam(int value) : type_(Type::Long), long_(value) {}
DbParam::DbParam(std::optional<int> value) : DbParam(Type::Long) {
    if (value) *this = DbParam(*value);
}
DbParam::DbParam(std::uint8_t value) : type_(Type::Byte), byte_(value) {}
DbParam::DbParam(std::optional<std::uint8_t> value) : DbParam(Type::Byte) {
    if (value) *this = DbParam(*value);
}
DbParam::DbParam(const DbTimestamp& value) : type_(Type::Timestamp) {
    timestamp_.year = static_cast<SQLSMALLINT>(value.year);
    timestamp_.month = static_cast<SQLUSMALLINT>(value.month);
    timestamp_.day = static_cast<SQLUSMALLINT>(value.day);
    timestamp_.hour = static_cast<SQLUSMALLINT>(value.hour);
    timestamp_.minute = static_cast<SQLUSMALLINT>(value.minute);
    timestamp_.second = static_cast<SQLUSMALLINT>(value.second);
}
DbParam::DbParam(const std::optional<DbTimestamp>& value) : DbParam(Type::Timestamp) {
    if (value) *this = DbParam(*value);
}

// ---- connection

Connection::Connection() : env_(Environment::shared()) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env_->handle(), &dbc_)))
        fail(SQL_HANDLE_ENV, env_->handle(), "Allocating a connection");
}

Connection::~Connection() {
    if (open_) {
        if (in_transaction_) SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
        SQLDisconnect(dbc_);
    }
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
}

void Connection::open(const std::string& connection_string) {
    if (open_) close();
    SQLCHAR out[1024];
    SQLSMALLINT out_length = 0;
    const SQLRETURN rc = SQLDriverConnect(dbc_, nullptr,
                                          reinterpret_cast<SQLCHAR*>(const_cast<char*>(connection_string.c_str())),
                                          SQL_NTS, out, sizeof out, &out_length, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) fail(SQL_HANDLE_DBC, dbc_, "Connecting");
    open_ = true;
    in_transaction_ = false;
}

void Connection::close() {
    if (!open_) return;
    if (in_transaction_) {
        SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
        in_transaction_ = false;
    }
    const SQLRETURN rc = SQLDisconnect(dbc_);
    open_ = false;
    if (!SQL_SUCCEEDED(rc)) {
        std::string state;
        std::string text = diagnostic_text(SQL_HANDLE_DBC, dbc_, &state);
        // A handle that refused to disconnect cannot be reused: start afresh.
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        dbc_ = SQL_NULL_HDBC;
        SQLAllocHandle(SQL_HANDLE_DBC, env_->handle(), &dbc_);
        throw DbError(text.empty() ? "Disconnecting failed" : text, state);
    }
}

std::string Connection::dbms_name() const {
    char name[256] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetInfo(dbc_, SQL_DBMS_NAME, name, sizeof name, &length);
    if (!SQL_SUCCEEDED(rc)) fail(SQL_HANDLE_DBC, dbc_, "Reading the DBMS name");
    return name;
}

SqlOutcome Connection::execute(std::string_view sql, const DbParams& params) {
    Statement statement(*this);
    return statement.execute(sql, params);
}

void Connection::begin() {
    const SQLRETURN rc = SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER);
    if (!SQL_SUCCEEDED(rc)) fail(SQL_HANDLE_DBC, dbc_, "Beginning a transaction");
    in_transaction_ = true;
}

void Connection::commit() { end_transaction(SQL_COMMIT); }
void Connection::rollback() { end_transaction(SQL_ROLLBACK); }

void Connection::end_transaction(SQLSMALLINT completion) {
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, completion);
    std::string state, text;
    if (!SQL_SUCCEEDED(rc)) text = diagnostic_text(SQL_HANDLE_DBC, dbc_, &state);
    in_transaction_ = false;
    SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER);
    if (!SQL_SUCCEEDED(rc))
        throw DbError(text.empty() ? (completion == SQL_COMMIT ? "Commit failed" : "Rollback failed") : text, state);
}

// ---- statement

Statement::Statement(Connection& connection) : connection_(connection) {
    if (!connection.is_open()) throw DbError("The database connection is not open", "08003");
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection.handle(), &stmt_)))
        fail(SQL_HANDLE_DBC, connection.handle(), "Allocating a statement");
}

Statement::~Statement() { SQLFreeHandle(SQL_HANDLE_STMT, stmt_); }

SqlOutcome Statement::execute(std::string_view sql, DbParams params) {
    if (params.empty()) {
        const std::string text(sql);
        const SQLRETURN rc = SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQL_NTS);
        return outcome(rc, SQL_HANDLE_STMT, stmt_, "Executing");
    }
    prepare(sql);
    bind(std::move(params));
    return execute_prepared();
}

void Statement::prepare(std::string_view sql) {
    const std::string text(sql);
    const SQLRETURN rc = SQLPrepare(stmt_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) fail(SQL_HANDLE_STMT, stmt_, "Preparing");
}

void Statement::bind(DbParams params) {
    SQLFreeStmt(stmt_, SQL_RESET_PARAMS);
    params_ = std::move(params);
    SQLUSMALLINT number = 0;
    for (DbParam& p : params_) {
        ++number;
        SQLSMALLINT c_type = SQL_C_CHAR, sql_type = SQL_VARCHAR, digits = 0;
        SQLULEN size = 0;
        SQLPOINTER value = nullptr;
        SQLLEN buffer_length = 0;
        switch (p.type_) {
            case DbParam::Type::Text:
                c_type = SQL_C_CHAR, sql_type = SQL_VARCHAR;
                size = std::max<SQLULEN>(p.text_.size(), 1);
                value = p.text_.data(), buffer_length = static_cast<SQLLEN>(p.text_.size());
                p.indicator_ = static_cast<SQLLEN>(p.text_.size());
                break;
            case DbParam::Type::Double:
                c_type = SQL_C_DOUBLE, sql_type = SQL_DOUBLE, size = 15, value = &p.real_;
                break;
            case DbParam::Type::Single:
                c_type = SQL_C_FLOAT, sql_type = SQL_REAL, size = 7, value = &p.single_;
                break;
            case DbParam::Type::Long:
                c_type = SQL_C_SLONG, sql_type = SQL_INTEGER, size = 10, value = &p.long_;
                break;
            case DbParam::Type::Byte:
                c_type = SQL_C_SSHORT, sql_type = SQL_SMALLINT, size = 5, value = &p.byte_;
                break;
            case DbParam::Type::Timestamp:
                c_type = SQL_C_TYPE_TIMESTAMP, sql_type = SQL_TYPE_TIMESTAMP, size = 19, value = &p.timestamp_;
                break;
        }
        if (p.null_) p.indicator_ = SQL_NULL_DATA;
        else if (p.type_ != DbParam::Type::Text) p.indicator_ = 0;
        const SQLRETURN rc = SQLBindParameter(stmt_, number, SQL_PARAM_INPUT, c_type, sql_type, size, digits, value,
                                              buffer_length, &p.indicator_);
        if (!SQL_SUCCEEDED(rc)) fail(SQL_HANDLE_STMT, stmt_, "Binding a parameter");
    }
}

SqlOutcome Statement::execute_prepared() {
    return outcome(SQLExecute(stmt_), SQL_HANDLE_STMT, stmt_, "Executing");
}

SqlOutcome Statement::fetch_outcome() { return outcome(SQLFetch(stmt_), SQL_HANDLE_STMT, stmt_, "Fetching"); }

bool Statement::fetch() { return fetch_outcome() != SqlOutcome::NoData; }

void Statement::close_cursor() { SQLFreeStmt(stmt_, SQL_CLOSE); }

long Statement::row_count() const {
    SQLLEN count = 0;
    if (!SQL_SUCCEEDED(SQLRowCount(stmt_, &count))) fail(SQL_HANDLE_STMT, stmt_, "Counting rows");
    return static_cast<long>(count);
}

std::vector<std::string> Statement::column_names() const {
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(stmt_, &count))) fail(SQL_HANDLE_STMT, stmt_, "Counting columns");
    std::vector<std::string> names;
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLCHAR name[256] = {};
        SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        if (!SQL_SUCCEEDED(SQLDescribeCol(stmt_, i, name, sizeof name, &length, &type, &size, &digits, &nullable)))
            fail(SQL_HANDLE_STMT, stmt_, "Describing a column");
        names.emplace_back(reinterpret_cast<const char*>(name));
    }
    return names;
}

std::optional<std::string> Statement::text(int column) {
    std::string value;
    char buffer[256];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc =
            SQLGetData(stmt_, static_cast<SQLUSMALLINT>(column), SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) fail(SQL_HANDLE_STMT, stmt_, "Reading a column");
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        const bool truncated = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer);
        value.append(buffer, truncated ? sizeof buffer - 1 : static_cast<std::size_t>(indicator));
        if (!truncated) break;
    }
    return value;
}

template <typename T>
std::optional<T> Statement::fixed(int column, SQLSMALLINT c_type) {
    T value{};
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(stmt_, static_cast<SQLUSMALLINT>(column), c_type, &value, sizeof value, &indicator);
    if (!SQL_SUCCEEDED(rc)) fail(SQL_HANDLE_STMT, stmt_, "Reading a column");
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    return value;
}

std::optional<double> Statement::real(int column) { return fixed<double>(column, SQL_C_DOUBLE); }
std::optional<float> Statement::single(int column) { return fixed<float>(column, SQL_C_FLOAT); }

std::optional<int> Statement::integer(int column) {
    const auto v = fixed<SQLINTEGER>(column, SQL_C_SLONG);
    if (!v) return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<std::uint8_t> Statement::byte(int column) { return fixed<std::uint8_t>(column, SQL_C_UTINYINT); }

std::optional<DbTimestamp> Statement::timestamp(int column) {
    const auto v = fixed<SQL_TIMESTAMP_STRUCT>(column, SQL_C_TYPE_TIMESTAMP);
    if (!v) return std::nullopt;
    return DbTimestamp{v->year, v->month, v->day, v->hour, v->minute, v->second};
}

// ---- transaction

Transaction::~Transaction() {
    if (done_) return;
    try {
        connection_.rollback();
    } catch (const DbError&) {
        // The error that ended the transaction early is the one reported.
    }
}

void Transaction::commit() {
    done_ = true;
    connection_.commit();
}

}  // namespace kro
