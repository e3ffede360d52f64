#include "db/sql_filter.hpp"

namespace kro {

std::string where_clause(const SqlFilter& filter) {
    return filter.condition.empty() ? std::string() : " where " + filter.condition;
}

void insert_row(Connection& connection, std::string_view table, const std::vector<std::string_view>& columns,
                DbParams values) {
    std::string names, markers;
    for (std::string_view column : columns) {
        names += (names.empty() ? "" : ", ") + std::string(column);
        markers += markers.empty() ? "?" : ", ?";
    }
    Statement statement(connection);
    statement.execute("insert into " + std::string(table) + " (" + names + ") values (" + markers + ")",
                      std::move(values));
}

std::string select_text(std::string_view table, const std::vector<std::string_view>& columns,
                        const SqlFilter& filter, std::string_view order_by) {
    std::string text = "select ";
    bool first = true;
    for (std::string_view column : columns) {
        if (!first) text += ", ";
        text += column;
        first = false;
    }
    text += " from " + std::string(table) + where_clause(filter);
    if (!order_by.empty()) text += " order by " + std::string(order_by);
    return text;
}

}  // namespace kro
