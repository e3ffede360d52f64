#pragma once
// Brings an older main database up to date: columns that later versions
// added are created when missing; nothing is ever dropped or changed.

#include <string_view>
#include <vector>

#include "core/messenger.hpp"
#include "db/odbc.hpp"

namespace kro {

// The name of the comment column of ORIGIN.
enum class CommentColumn { Comment, Comments };
std::string_view column_name(CommentColumn column);

// One row of the upgrade: the column probed and the statement that adds it
// (empty for the probe that only chooses the comment column).
struct UpgradeStep {
    std::string_view table;
    std::string_view column;
    std::string_view statement;
};

// Every step, in the order they run.
const std::vector<UpgradeStep>& upgrade_steps();

// Prepares and runs "select <column> from <table> where 1=0" on a new
// statement; true when it succeeds. `table` and `column` are names from
// this program, never user text.
bool column_exists(Connection& connection, std::string_view table, std::string_view column);

// Runs every step: a missing column is added; a failing ALTER is reported
// ("Error adding field %s in table %s" followed by the driver's message,
// caption "Database error") and the next step runs. Returns the comment
// column found by the probe.
CommentColumn upgrade_schema(Connection& connection, Messenger& messenger);

}  // namespace kro
