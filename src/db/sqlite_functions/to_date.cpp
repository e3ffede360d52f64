// A SQLite extension, loaded by the SQLite ODBC driver through LoadExt=,
// that gives SQLite the TO_DATE(text, 'YYYY-MM-DD HH24:MI:SS') of the CSS
// 3.0 statements. The result is the date-time text itself, which SQLite
// stores and the ODBC driver reads back as a timestamp. Any other format,
// or a text that is not such a date-time, is an SQL error.

#include <sqlite3ext.h>

#include <cctype>
#include <cstring>
#include <string>

SQLITE_EXTENSION_INIT1

namespace {

constexpr const char* kFormat = "YYYY-MM-DD HH24:MI:SS";

bool same_text_ignoring_case(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

int number(const char* text, int length) {
    int value = 0;
    for (int i = 0; i < length; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool is_date_time(const char* text) {
    if (std::strlen(text) != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':')
        return false;
    const int month = number(text + 5, 2), day = number(text + 8, 2);
    const int hour = number(text + 11, 2), minute = number(text + 14, 2), second = number(text + 17, 2);
    return number(text, 4) >= 0 && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 && hour <= 23 &&
           minute >= 0 && minute <= 59 && second >= 0 && second <= 60;
}

void to_date(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const char* format = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    if (!same_text_ignoring_case(format, kFormat)) {
        const std::string message = std::string("TO_DATE: only the format '") + kFormat + "' is supported";
        sqlite3_result_error(context, message.c_str(), -1);
        return;
    }
    if (!is_date_time(text)) {
        const std::string message = std::string("TO_DATE: '") + text + "' is not a date-time of the form " + kFormat;
        sqlite3_result_error(context, message.c_str(), -1);
        return;
    }
    sqlite3_result_text(context, text, -1, SQLITE_TRANSIENT);
}

}  // namespace

extern "C" int sqlite3_extension_init(sqlite3* db, char**, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_create_function(db, "to_date", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, to_date, nullptr,
                                   nullptr);
}
