#include "db/next_id.hpp"

#include <charconv>

#include "db/database.hpp"

namespace kro {

int next_id(Connection& connection, const std::string& key) {
    try {
        Statement update(connection);
        if (update.execute("update lastid set keyvalue=keyvalue+1 where keyname=?", {key}) != SqlOutcome::Success)
            return -1;
        Statement select(connection);
        if (select.execute("select keyvalue from LASTID where keyname=?", {key}) != SqlOutcome::Success) return -1;
        if (select.fetch_outcome() != SqlOutcome::Success) return -1;
        std::string text = select.text(1).value_or("");
        if (text.size() > 63) text.resize(63);
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end == text.data()) return -1;
        return value;
    } catch (const DbError&) {
        return -1;
    }
}

int next_id(Database& database, const std::string& key) {
    if (database.context().settings.database.local_last_id == 1) return next_id(database.main(), key);
    if (!database.css_connected()) return -1;
    return next_id(database.css(), key);
}

}  // namespace kro
