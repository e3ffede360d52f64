#pragma once
// A WHERE condition with '?' markers and the values bound to them, and the
// helpers that build the table statements from column lists.

#include <string>
#include <string_view>
#include <vector>

#include "db/odbc.hpp"

namespace kro {

struct SqlFilter {
    std::string condition;  // empty: every row
    DbParams params;
};

// " where <condition>" or nothing.
std::string where_clause(const SqlFilter& filter);

// "insert into <table> (<columns>) values (?, ...)" run with `values`.
void insert_row(Connection& connection, std::string_view table, const std::vector<std::string_view>& columns,
                DbParams values);

// "select <columns> from <table>" with a filter and an order ("" for none).
std::string select_text(std::string_view table, const std::vector<std::string_view>& columns,
                        const SqlFilter& filter, std::string_view order_by = {});

}  // namespace kro
