// Opening and closing the two connections, start-up and the reconnect
// command, with their messages.

#include <gmock/gmock.h>

#include "db/database.hpp"
#include "db_test_support.hpp"

namespace kro::test {
namespace {

using ::testing::HasSubstr;

struct Box {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

std::vector<Box> boxes(const RecordingMessenger& m) {
    std::vector<Box> result;
    for (const auto& b : m.boxes) result.push_back({b.text, b.caption, b.icon});
    return result;
}

class ConnectionTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped()) return;
        prepare(SchemaKind::Main);
    }
};

TEST_F(ConnectionTest, ConnectsBothAndRecognisesTheServer) {
    Database db(ctx);
    EXPECT_EQ(ctx.database, &db);
    db.open_at_startup();
    EXPECT_TRUE(db.main_connected());
    EXPECT_TRUE(db.css_connected());
    EXPECT_EQ(db.kind(), backend() == Backend::Postgres ? DatabaseKind::PostgreSql : DatabaseKind::Access);
    EXPECT_EQ(db.comment_column(), CommentColumn::Comments);
    EXPECT_TRUE(messenger.boxes.empty());
    db.disconnect_css();
    EXPECT_FALSE(db.css_connected());
    EXPECT_FALSE(db.css().is_open());
}

TEST_F(ConnectionTest, ContextForgetsTheDatabaseWhenItEnds) {
    { Database db(ctx); }
    EXPECT_EQ(ctx.database, nullptr);
}

TEST_F(ConnectionTest, FailedMainConnectionShowsTheDriverTextAndStartUpGoesOn) {
    ctx.settings.database.odbc = "KRO_NO_SUCH_SOURCE";
    Database db(ctx);
    db.open_at_startup();
    EXPECT_FALSE(db.main_connected());
    EXPECT_TRUE(db.css_connected());
    ASSERT_EQ(messenger.boxes.size(), 2u);
    EXPECT_THAT(messenger.boxes[0].text, HasSubstr("Data source name not found"));
    EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(messenger.boxes[0].caption, kStandardCaption);
    EXPECT_EQ(messenger.boxes[1].text, "Error of database interface initialization");
    EXPECT_EQ(messenger.boxes[1].icon, MessageIcon::Error);
}

TEST_F(ConnectionTest, CssConnectionNeedsNameAndUser) {
    struct Case {
        std::string dsn, user;
        bool connected;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"", "KRO", false, {}},
        {css_dsn(), "", false, {}},
        {"KRO_NO_SUCH_SOURCE", "KRO", false, {"Error initializing database interface CSS"}},
        {css_dsn(), "KRO", true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dsn + "/" + c.user);
        messenger.boxes.clear();
        Database db(ctx);
        EXPECT_EQ(db.connect_css(c.dsn, c.user, "ZTQ"), c.connected);
        EXPECT_EQ(db.css_connected(), c.connected);
        std::vector<std::string> texts;
        for (const auto& b : messenger.boxes) texts.push_back(b.text);
        EXPECT_EQ(texts, c.messages);
    }
}

TEST_F(ConnectionTest, ReconnectAskedNoChangesNothing) {
    Database db(ctx);
    db.open_at_startup();
    messenger.script_answers({MessageAnswer::No});
    db.reconnect();
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].text, "Reconnect to DB?");
    EXPECT_EQ(messenger.boxes[0].caption, "Attention!");
    EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messenger.boxes[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(db.main_connected());
    EXPECT_TRUE(db.css_connected());
}

TEST_F(ConnectionTest, ReconnectReopensBothConnections) {
    Database db(ctx);
    db.open_at_startup();
    messenger.script_answers({MessageAnswer::Yes});
    db.reconnect();
    EXPECT_EQ(messenger.boxes.size(), 1u);
    EXPECT_TRUE(db.main_connected());
    EXPECT_TRUE(db.css_connected());
    EXPECT_NO_THROW(db.main().execute("select KEYVALUE from LASTID"));
}

TEST_F(ConnectionTest, FailedReconnectAsksToRetryUntilNo) {
    Database db(ctx);
    db.open_at_startup();
    ctx.settings.database.odbc = "KRO_NO_SUCH_SOURCE";
    // Every box takes the next answer: the question, two errors, the retry question, ...
    messenger.script_answers({MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Yes,
                              MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::No});
    db.reconnect();
    const auto b = boxes(messenger);
    ASSERT_EQ(b.size(), 7u);
    EXPECT_EQ(b[0].text, "Reconnect to DB?");
    for (int round : {0, 1}) {
        const std::size_t i = 1 + 3 * static_cast<std::size_t>(round);
        EXPECT_THAT(b[i].text, HasSubstr("Data source name not found"));
        EXPECT_EQ(b[i + 1].text, "Error initializing database interface");
        EXPECT_EQ(b[i + 1].icon, MessageIcon::Error);
        EXPECT_EQ(b[i + 2].text, "DB connection error.\n Retry?");
        EXPECT_EQ(b[i + 2].caption, "Error");
        EXPECT_EQ(b[i + 2].icon, MessageIcon::Warning);
    }
    EXPECT_FALSE(db.main_connected());
    EXPECT_FALSE(db.css_connected());
}

}  // namespace
}  // namespace kro::test
