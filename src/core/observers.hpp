#pragma once
// The three notifications by which logic tells the windows that shared state
// changed: picks, the hypocentre, the travel-time tables. Logic raises them on
// the EventNotifier of the application context; the phase list, the waveform
// window and the map subscribe. Logic never names a window.

#include <string>
#include <vector>

namespace kro {

struct ChannelName {
    std::string sta;
    std::string chan;
    bool operator==(const ChannelName&) const = default;
};

class EventObserver {
public:
    virtual ~EventObserver() = default;
    // Picks were added, changed or removed; `channels` lists the affected
    // station channels, empty when all may be affected.
    virtual void picks_changed(const std::vector<ChannelName>& channels) = 0;
    virtual void hypocentre_changed() = 0;
    virtual void travel_times_changed() = 0;
};

// Delivers each notification to every subscriber, in subscription order.
// A subscriber may unsubscribe itself (or another) while being notified.
class EventNotifier {
public:
    void subscribe(EventObserver* observer);
    void unsubscribe(EventObserver* observer);

    void notify_picks_changed(const std::vector<ChannelName>& channels = {});
    void notify_hypocentre_changed();
    void notify_travel_times_changed();

private:
    template <typename Call>
    void deliver(Call call);

    std::vector<EventObserver*> observers_;
    int depth_ = 0;  // nesting of deliveries in progress
};

// Counts the notifications it receives; for tests.
class RecordingObserver final : public EventObserver {
public:
    void picks_changed(const std::vector<ChannelName>& channels) override { picks.push_back(channels); }
    void hypocentre_changed() override { ++hypocentre; }
    void travel_times_changed() override { ++travel_times; }

    std::vector<std::vector<ChannelName>> picks;
    int hypocentre = 0;
    int travel_times = 0;
};

}  // namespace kro
