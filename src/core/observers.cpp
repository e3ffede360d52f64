#include "core/observers.hpp"

#include <algorithm>

namespace kro {

void EventNotifier::subscribe(EventObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void EventNotifier::unsubscribe(EventObserver* observer) {
    if (depth_ > 0) {
        std::replace(observers_.begin(), observers_.end(), observer, static_cast<EventObserver*>(nullptr));
    } else {
        observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
    }
}

template <typename Call>
void EventNotifier::deliver(Call call) {
    // Index loop: subscribers may subscribe or unsubscribe during delivery;
    // unsubscribed entries are nulled here and removed afterwards.
    ++depth_;
    for (std::size_t i = 0; i < observers_.size(); ++i) {
        if (observers_[i]) call(*observers_[i]);
    }
    if (--depth_ > 0) return;
    observers_.erase(std::remove(observers_.begin(), observers_.end(), nullptr), observers_.end());
}

void EventNotifier::notify_picks_changed(const std::vector<ChannelName>& channels) {
    deliver([&](EventObserver& o) { o.picks_changed(channels); });
}

void EventNotifier::notify_hypocentre_changed() {
    deliver([](EventObserver& o) { o.hypocentre_changed(); });
}

void EventNotifier::notify_travel_times_changed() {
    deliver([](EventObserver& o) { o.travel_times_changed(); });
}

}  // namespace kro
