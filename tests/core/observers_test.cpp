#include "core/observers.hpp"

#include <gtest/gtest.h>

namespace kro {
namespace {

// Unsubscribes itself on its first notification.
class OneShot final : public EventObserver {
public:
    explicit OneShot(EventNotifier& n) : notifier(n) {}
    void picks_changed(const std::vector<ChannelName>&) override {
        ++calls;
        notifier.unsubscribe(this);
    }
    void hypocentre_changed() override { ++calls; }
    void travel_times_changed() override { ++calls; }
    EventNotifier& notifier;
    int calls = 0;
};

TEST(EventNotifier, DeliversToEverySubscriberAndAllowsLeavingDuringDelivery) {
    EventNotifier notifier;
    RecordingObserver a, b;
    OneShot once(notifier);
    notifier.subscribe(&a);
    notifier.subscribe(&once);
    notifier.subscribe(&b);
    notifier.subscribe(&a);  // twice is once

    notifier.notify_picks_changed({{"FUR", "BHZ"}});
    notifier.notify_picks_changed();
    notifier.notify_hypocentre_changed();
    notifier.unsubscribe(&b);
    notifier.notify_travel_times_changed();

    ASSERT_EQ(a.picks.size(), 2u);
    EXPECT_EQ(a.picks[0], (std::vector<ChannelName>{{"FUR", "BHZ"}}));
    EXPECT_TRUE(a.picks[1].empty());
    EXPECT_EQ(b.picks.size(), 2u) << "the subscriber after the leaving one is still reached";
    EXPECT_EQ(once.calls, 1);
    EXPECT_EQ(a.hypocentre, 1);
    EXPECT_EQ(a.travel_times, 1);
    EXPECT_EQ(b.travel_times, 0);
}

}  // namespace
}  // namespace kro
