// The CSS 3.0 database accepts the statements later written to it: the
// counters start at 0 and TO_DATE(...,'YYYY-MM-DD HH24:MI:SS') works on
// both servers.

#include <gmock/gmock.h>

#include "db/other_tables.hpp"
#include "db_test_support.hpp"

namespace kro::test {
namespace {

class CssSchemaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped()) return;
        prepare(SchemaKind::Main);
    }
};

TEST_F(CssSchemaTest, NewCountersStartAtZero) {
    for (Connection* c : {&main, &css})
        EXPECT_THAT(read_lastids(*c),
                    ::testing::ElementsAre(LastIdRow{"ampid", 0}, LastIdRow{"arid", 0}, LastIdRow{"commid", 0},
                                           LastIdRow{"magid", 0}, LastIdRow{"orid", 0}));
}

TEST_F(CssSchemaTest, DatesWrittenWithToDate) {
    css.execute(
        "insert into amplitude (ampid, arid, parid, chan, amp, per, amptime, amptype, inarrival, units, clip, lddate, "
        "auth, bandw, duration, snr, start_time)  values              (1,    2  ,    -1, 'shz', 1234.500000 , "
        "0.800000 , 1084620300.250000    , 'A5/2' , 'n'      , 'nm' , '-' , "
        "TO_DATE('2004-05-15 11:24:56','YYYY-MM-DD HH24:MI:SS'), 'KRO', -1, -1, -1, -1)");
    Statement s(css);
    s.execute("select LDDATE, AMP, CHAN from AMPLITUDE where AMPID=1");
    ASSERT_TRUE(s.fetch());
    const auto date = s.timestamp(1);
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->year, 2004);
    EXPECT_EQ(date->month, 5);
    EXPECT_EQ(date->day, 15);
    EXPECT_EQ(s.real(2), 1234.5);
    EXPECT_EQ(s.text(3), "shz");
}

TEST_F(CssSchemaTest, ToDateRefusesWhatIsNoDate) {
    EXPECT_THROW(css.execute("insert into REMARK (COMMID, LDDATE) values (1, "
                             "TO_DATE('yesterday','YYYY-MM-DD HH24:MI:SS'))"),
                 DbError);
}

}  // namespace
}  // namespace kro::test
