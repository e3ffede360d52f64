// The schema upgrade on an old main database: missing columns are added in
// the order of the upgrade, a second connect alters nothing, a failing
// ALTER is reported and the rest goes on, and the comment column follows
// the database.

#include <gmock/gmock.h>

#include <cctype>

#include "db/database.hpp"
#include "db/events.hpp"
#include "db_test_support.hpp"

namespace kro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// Read on a connection of its own: the SQLite driver may describe a table
// as it was when the connection last looked, before another connection
// altered it.
std::vector<std::string> columns_of(const std::string& table) {
    Connection c;
    c.open("DSN=" + main_dsn() + ";UID=KRO;PWD=ZTQ;");
    Statement s(c);
    s.execute("select * from " + table + " where 1=0");
    std::vector<std::string> names = s.column_names();
    for (std::string& n : names)
        for (char& ch : n) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return names;
}

std::vector<std::string> tail(const std::vector<std::string>& v, std::size_t from) {
    return {v.begin() + static_cast<std::ptrdiff_t>(from), v.end()};
}

using UpgradeTest = DbTest;

TEST_F(UpgradeTest, OldSchemaGainsTheMissingColumnsInUpgradeOrderOnce) {
    prepare(SchemaKind::MainOld);
    const std::size_t arrival_before = columns_of("ARRIVAL").size();
    const std::size_t origin_before = columns_of("ORIGIN").size();
    const std::size_t filelist_before = columns_of("FILELIST").size();

    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    EXPECT_TRUE(messenger.boxes.empty());
    EXPECT_EQ(db.comment_column(), CommentColumn::Comment);

    EXPECT_THAT(tail(columns_of("ARRIVAL"), arrival_before),
                ElementsAre("DIST", "ARID", "MB", "CODA", "MS", "AMPTIME", "REGCLASS", "MCODA", "MPSP", "MPLP",
                            "CHANTYPE", "REMARK", "AFILTYPE", "PFILTYPE", "MWA"));
    EXPECT_THAT(tail(columns_of("ORIGIN"), origin_before), ElementsAre("ORID", "MB", "MBUNC", "MS", "MSUNC"));
    EXPECT_THAT(tail(columns_of("FILELIST"), filelist_before), ElementsAre("FOFF", "CALIB", "CALPER"));
    EXPECT_EQ(columns_of("SITE").back(), "NINDEX");

    const auto arrival_after = columns_of("ARRIVAL");
    db.disconnect_main();
    ASSERT_TRUE(db.connect_main());
    EXPECT_EQ(columns_of("ARRIVAL"), arrival_after);
    EXPECT_TRUE(messenger.boxes.empty());
}

TEST_F(UpgradeTest, NewSchemaIsLeftAsItIs) {
    prepare(SchemaKind::Main);
    const auto before = columns_of("ARRIVAL");
    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    EXPECT_EQ(columns_of("ARRIVAL"), before);
    EXPECT_EQ(db.comment_column(), CommentColumn::Comments);
    EXPECT_TRUE(messenger.boxes.empty());
}

TEST_F(UpgradeTest, FailingAlterIsReportedAndTheNextRowsStillRun) {
    prepare(SchemaKind::MainOld);
    // A view cannot gain columns: every FILELIST step fails.
    main.execute("DROP TABLE FILELIST");
    main.execute("CREATE TABLE FILELIST_DATA (STA VARCHAR(255), CH VARCHAR(64), TBEGIN FLOAT, TQTY FLOAT)");
    main.execute("CREATE VIEW FILELIST AS SELECT STA, CH, TBEGIN, TQTY FROM FILELIST_DATA");

    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    std::vector<std::string> texts;
    for (const auto& b : messenger.boxes) {
        EXPECT_EQ(b.caption, "Database error");
        EXPECT_EQ(b.icon, MessageIcon::None);
        EXPECT_EQ(b.buttons, MessageButtons::Ok);
        texts.push_back(b.text);
    }
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_THAT(texts[0], StartsWith("Error adding field FOFF in table FILELIST"));
    EXPECT_THAT(texts[1], StartsWith("Error adding field CALIB in table FILELIST"));
    EXPECT_THAT(texts[2], StartsWith("Error adding field CALPER in table FILELIST"));
    // The driver's message follows directly.
    EXPECT_GT(texts[1].size(), std::string("Error adding field CALIB in table FILELIST").size());
    EXPECT_EQ(columns_of("ORIGIN").back(), "MSUNC");
    EXPECT_EQ(columns_of("ARRIVAL").back(), "MWA");
    main.execute("DROP VIEW FILELIST");
    main.execute("DROP TABLE FILELIST_DATA");
}

TEST_F(UpgradeTest, OldCommentColumnIsReadAndWritten) {
    prepare(SchemaKind::MainOld);
    Database db(ctx);
    ASSERT_TRUE(db.connect_main());
    ASSERT_EQ(db.comment_column(), CommentColumn::Comment);
    OriginRow row;
    row.eventid = "20040515112456";
    row.comment = "felt in O'Neil";
    insert_origin(db.main(), db.comment_column(), row);
    const auto rows = read_origins(db.main(), db.comment_column(), row.eventid);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].comment, "felt in O'Neil");
}

TEST_F(UpgradeTest, ColumnProbe) {
    prepare(SchemaKind::MainOld);
    struct Case {
        const char* table;
        const char* column;
        bool exists;
    };
    for (const Case& c : {Case{"ORIGIN", "COMMENT", true}, Case{"ORIGIN", "COMMENTS", false},
                          Case{"ARRIVAL", "MB", false}, Case{"NOSUCHTABLE", "STA", false}}) {
        SCOPED_TRACE(std::string(c.table) + "." + c.column);
        EXPECT_EQ(column_exists(main, c.table, c.column), c.exists);
    }
}

}  // namespace
}  // namespace kro::test
