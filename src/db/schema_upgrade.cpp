#include "db/schema_upgrade.hpp"

#include <cstdio>
#include <string>

namespace kro {

std::string_view column_name(CommentColumn column) {
    return column == CommentColumn::Comments ? "COMMENTS" : "COMMENT";
}

const std::vector<UpgradeStep>& upgrade_steps() {
    static const std::vector<UpgradeStep> steps = {
        {"SITE", "NINDEX", "ALTER TABLE SITE ADD NINDEX int"},
        {"ARRIVAL", "DIST", "ALTER TABLE ARRIVAL ADD DIST float"},
        {"FILELIST", "FOFF", "ALTER TABLE FILELIST ADD FOFF INT"},
        {"ORIGIN", "COMMENTS", ""},
        {"ARRIVAL", "ARID", "ALTER TABLE ARRIVAL ADD ARID INT"},
        {"ORIGIN", "ORID", "ALTER TABLE ORIGIN ADD ORID INT"},
        {"FILELIST", "CALIB", "ALTER TABLE FILELIST ADD CALIB FLOAT"},
        {"FILELIST", "CALPER", "ALTER TABLE FILELIST ADD CALPER FLOAT"},
        {"ARRIVAL", "MB", "ALTER TABLE ARRIVAL ADD MB FLOAT"},
        {"ARRIVAL", "CODA", "ALTER TABLE ARRIVAL ADD CODA FLOAT"},
        {"ARRIVAL", "MS", "ALTER TABLE ARRIVAL ADD MS FLOAT"},
        {"ARRIVAL", "AMPTIME", "ALTER TABLE ARRIVAL ADD AMPTIME FLOAT"},
        {"ARRIVAL", "REGCLASS", "ALTER TABLE ARRIVAL ADD REGCLASS FLOAT"},
        {"ARRIVAL", "MCODA", "ALTER TABLE ARRIVAL ADD MCODA FLOAT"},
        {"ARRIVAL", "MPSP", "ALTER TABLE ARRIVAL ADD MPSP FLOAT"},
        {"ARRIVAL", "MPLP", "ALTER TABLE ARRIVAL ADD MPLP FLOAT"},
        {"ARRIVAL", "CHANTYPE", "ALTER TABLE ARRIVAL ADD CHANTYPE VARCHAR(4)"},
        {"ARRIVAL", "REMARK", "ALTER TABLE ARRIVAL ADD REMARK VARCHAR(128)"},
        {"ARRIVAL", "AFILTYPE", "ALTER TABLE ARRIVAL ADD AFILTYPE VARCHAR(128)"},
        {"ARRIVAL", "PFILTYPE", "ALTER TABLE ARRIVAL ADD PFILTYPE VARCHAR(128)"},
        {"ARRIVAL", "MWA", "ALTER TABLE ARRIVAL ADD MWA FLOAT"},
        {"ORIGIN", "MB", "ALTER TABLE ORIGIN ADD MB FLOAT"},
        {"ORIGIN", "MBUNC", "ALTER TABLE ORIGIN ADD MBUNC FLOAT"},
        {"ORIGIN", "MS", "ALTER TABLE ORIGIN ADD MS FLOAT"},
        {"ORIGIN", "MSUNC", "ALTER TABLE ORIGIN ADD MSUNC FLOAT"},
    };
    return steps;
}

bool column_exists(Connection& connection, std::string_view table, std::string_view column) {
    try {
        Statement statement(connection);
        statement.prepare("select " + std::string(column) + " from " + std::string(table) + " where 1=0");
        statement.execute_prepared();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

CommentColumn upgrade_schema(Connection& connection, Messenger& messenger) {
    CommentColumn comment = CommentColumn::Comment;
    for (const UpgradeStep& step : upgrade_steps()) {
        const bool exists = column_exists(connection, step.table, step.column);
        if (step.statement.empty()) {
            comment = exists ? CommentColumn::Comments : CommentColumn::Comment;
            continue;
        }
        if (exists) continue;
        try {
            connection.execute(step.statement);
        } catch (const DbError& e) {
            char text[128];
            std::snprintf(text, sizeof text, "Error adding field %.*s in table %.*s", static_cast<int>(step.column.size()),
                          step.column.data(), static_cast<int>(step.table.size()), step.table.data());
            messenger.message_box(std::string(text) + e.what(), "Database error", MessageIcon::None, MessageButtons::Ok);
        }
    }
    return comment;
}

}  // namespace kro
