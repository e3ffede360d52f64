#pragma once
// KROPhases: the picks of the event under processing, in ascending arrival
// time, at most one per phase key. The list owns its picks.

#include <functional>
#include <list>
#include <optional>

#include "phases/phase_key.hpp"
#include "phases/seismic_phase.hpp"

namespace kro {

class KROPhases {
public:
    using container = std::list<SEISMIC_PHASE>;

    // Where new picks get their arrival identifier: the next value of the
    // `arid` counter, or -1 when no counter is reachable. Without a source
    // new picks keep arid -1.
    void set_arid_source(std::function<int()> next_arid) { next_arid_ = std::move(next_arid); }

    // Removes any pick with the same key, then stores a copy (commid -1; a
    // copy with arid -1 draws a new arid) before the first pick whose time
    // is later, so picks of equal time keep their insertion order. Gives the
    // stored pick.
    SEISMIC_PHASE& insert_phase(const SEISMIC_PHASE& pick);

    SEISMIC_PHASE* find_phase(int station, int channel, int phase);
    const SEISMIC_PHASE* find_phase(int station, int channel, int phase) const;
    SEISMIC_PHASE* find_phase(const PhaseKey& key) { return find_phase(key.station, key.channel, key.phase); }
    // Deletes the pick with that key; false when there is none.
    bool remove_phase(int station, int channel, int phase);
    // The pick at a position in time order; none when out of range.
    SEISMIC_PHASE* phase_at(int position);
    const SEISMIC_PHASE* phase_at(int position) const;
    int count() const { return static_cast<int>(picks_.size()); }
    void clear() { picks_.clear(); }

    // Smallest arrival time among the included picks of a station (and
    // channel); the largest finite double when there is none.
    double earliest_included_time(int station, std::optional<int> channel = std::nullopt) const;

    container::iterator begin() { return picks_.begin(); }
    container::iterator end() { return picks_.end(); }
    container::const_iterator begin() const { return picks_.begin(); }
    container::const_iterator end() const { return picks_.end(); }
    // Removes the picks `remove` selects; gives how many.
    int remove_if(const std::function<bool(const SEISMIC_PHASE&)>& remove);

private:
    container picks_;
    std::function<int()> next_arid_;
};

PhaseKey key_of(const SEISMIC_PHASE& pick);

}  // namespace kro
