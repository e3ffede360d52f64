// New identifiers from the LASTID counters, on the main or the CSS 3.0
// connection as LOCALLASTID says.

#include <gmock/gmock.h>

#include "db/database.hpp"
#include "db/next_id.hpp"
#include "db/other_tables.hpp"
#include "db_test_support.hpp"

namespace kro::test {
namespace {

class NextIdTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped()) return;
        prepare(SchemaKind::Main);
    }
};

TEST_F(NextIdTest, CountsFromOneOnTheChosenConnection) {
    struct Case {
        int local_last_id;
        bool with_css;
        bool counts_on_main;
    };
    for (const Case& c : {Case{1, false, true}, Case{1, true, true}, Case{0, true, false}}) {
        SCOPED_TRACE("LOCALLASTID " + std::to_string(c.local_last_id) + (c.with_css ? " with CSS" : " without CSS"));
        prepare(SchemaKind::Main);
        ctx.settings.database.local_last_id = c.local_last_id;
        ctx.settings.database.odbc_css = c.with_css ? css_dsn() : "";
        Database db(ctx);
        db.open_at_startup();
        EXPECT_EQ(next_orid(db), 1);
        EXPECT_EQ(next_orid(db), 2);
        EXPECT_EQ(next_orid(db), 3);
        EXPECT_EQ(next_arid(db), 1);
        for (auto* conn : {&main, &css}) {
            const bool counted = (conn == &main) == c.counts_on_main;
            EXPECT_THAT(read_lastids(*conn), ::testing::Contains(LastIdRow{"orid", counted ? 3 : 0}));
        }
    }
}

TEST_F(NextIdTest, EveryKindHasItsCounter) {
    ctx.settings.database.local_last_id = 1;
    Database db(ctx);
    db.open_at_startup();
    EXPECT_EQ(next_commid(db), 1);
    EXPECT_EQ(next_magid(db), 1);
    EXPECT_EQ(next_ampid(db), 1);
    EXPECT_EQ(next_id(db, "magid"), 2);
}

TEST_F(NextIdTest, NoCounterGivesMinusOne) {
    ctx.settings.database.local_last_id = 1;
    Database db(ctx);
    db.open_at_startup();
    EXPECT_EQ(next_id(db, "missing"), -1);
    EXPECT_EQ(next_id(db, "o'rid"), -1);
    main.execute("delete from LASTID where KEYNAME='arid'");
    EXPECT_EQ(next_arid(db), -1);
    main.execute("update LASTID set KEYVALUE=NULL where KEYNAME='orid'");
    EXPECT_EQ(next_orid(db), -1);
}

TEST_F(NextIdTest, WithoutCssAndWithoutLocalCountersThereIsNone) {
    ctx.settings.database.local_last_id = 0;
    ctx.settings.database.user_css.clear();
    Database db(ctx);
    db.open_at_startup();
    EXPECT_FALSE(db.css_connected());
    EXPECT_EQ(next_orid(db), -1);
    EXPECT_THAT(read_lastids(main), ::testing::Contains(LastIdRow{"orid", 0}));
}

TEST_F(NextIdTest, ClosedMainConnectionGivesMinusOne) {
    ctx.settings.database.local_last_id = 1;
    ctx.settings.database.odbc = "KRO_NO_SUCH_SOURCE";
    Database db(ctx);
    db.open_at_startup();
    EXPECT_EQ(next_orid(db), -1);
}

}  // namespace
}  // namespace kro::test
