#include "phases/kro_phases.hpp"

#include <algorithm>
#include <limits>

namespace kro {

PhaseKey key_of(const SEISMIC_PHASE& pick) {
    return PhaseKey{pick.station_index, pick.channel_index, pick.phase_index};
}

SEISMIC_PHASE& KROPhases::insert_phase(const SEISMIC_PHASE& pick) {
    remove_phase(pick.station_index, pick.channel_index, pick.phase_index);
    SEISMIC_PHASE copy(pick);
    if (copy.arid == -1 && next_arid_) copy.arid = next_arid_();
    const auto at = std::find_if(picks_.begin(), picks_.end(), [&](const SEISMIC_PHASE& p) { return p.time > copy.time; });
    return *picks_.insert(at, std::move(copy));
}

SEISMIC_PHASE* KROPhases::find_phase(int station, int channel, int phase) {
    for (SEISMIC_PHASE& p : picks_)
        if (p.station_index == station && p.channel_index == channel && p.phase_index == phase) return &p;
    return nullptr;
}

const SEISMIC_PHASE* KROPhases::find_phase(int station, int channel, int phase) const {
    return const_cast<KROPhases*>(this)->find_phase(station, channel, phase);
}

bool KROPhases::remove_phase(int station, int channel, int phase) {
    const auto it = std::find_if(picks_.begin(), picks_.end(), [&](const SEISMIC_PHASE& p) {
        return p.station_index == station && p.channel_index == channel && p.phase_index == phase;
    });
    if (it == picks_.end()) return false;
    picks_.erase(it);
    return true;
}

SEISMIC_PHASE* KROPhases::phase_at(int position) {
    if (position < 0 || position >= count()) return nullptr;
    return &*std::next(picks_.begin(), position);
}

const SEISMIC_PHASE* KROPhases::phase_at(int position) const { return const_cast<KROPhases*>(this)->phase_at(position); }

double KROPhases::earliest_included_time(int station, std::optional<int> channel) const {
    double earliest = std::numeric_limits<double>::max();
    for (const SEISMIC_PHASE& p : picks_) {
        if (p.station_index != station || p.included == 0) continue;
        if (channel && p.channel_index != *channel) continue;
        earliest = std::min(earliest, p.time);
    }
    return earliest;
}

int KROPhases::remove_if(const std::function<bool(const SEISMIC_PHASE&)>& remove) {
    const auto before = picks_.size();
    picks_.remove_if(remove);
    return static_cast<int>(before - picks_.size());
}

}  // namespace kro
