#include <gtest/gtest.h>

#include "db/events.hpp"
#include "db_test_support.hpp"
#include "phases/new_event.hpp"

namespace kro {
namespace {

class NewEvent : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped()) return;
        prepare(SchemaKind::Main);
        db = std::make_unique<Database>(ctx);
        ASSERT_TRUE(db->connect_main());
        ASSERT_TRUE(db->connect_css());
    }
    std::unique_ptr<Database> db;
    CurrentEvent event;
    EventNotifier notifier;
};

TEST_F(NewEvent, CreatesTheOriginAndResetsTheEvent) {
    RecordingObserver observer;
    notifier.subscribe(&observer);
    event.mb = 4.5f;
    event.hypocentre.defined = true;
    ASSERT_EQ(begin_new_event(*db, event, notifier, "20040515112456", "O'Neil quarry", messenger),
              NewEventOutcome::Created);
    EXPECT_EQ(event.event_id, "20040515112456      ");
    EXPECT_EQ(event.comment, "O'Neil quarry");
    EXPECT_EQ(event.orid, 1) << "the first orid of a new counter";
    EXPECT_EQ(event.mb, kNoEventMagnitude);
    EXPECT_FALSE(event.hypocentre.defined);
    EXPECT_EQ(observer.hypocentre, 1);
    const auto origins = read_origins(db->main(), db->comment_column());
    ASSERT_EQ(origins.size(), 1u);
    EXPECT_EQ(origins[0].eventid, "20040515112456");
    EXPECT_EQ(origins[0].comment, "O'Neil quarry");
    EXPECT_EQ(origins[0].orid, 1);
}

TEST_F(NewEvent, AnExistingIdentifierIsRefused) {
    ASSERT_EQ(begin_new_event(*db, event, notifier, "ev'1", "", messenger), NewEventOutcome::Created);
    const CurrentEvent before = event;
    EXPECT_EQ(begin_new_event(*db, event, notifier, "ev'1", "again", messenger), NewEventOutcome::Exists);
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].text, "This identifier already exists");
    EXPECT_EQ(event.comment, before.comment);
    EXPECT_EQ(read_origins(db->main(), db->comment_column()).size(), 1u);
}

}  // namespace
}  // namespace kro
