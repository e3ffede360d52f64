#pragma once
// The key that identifies a pick: station index, channel slot and phase-name
// index. The list holds at most one pick per key.

#include <cstdint>

namespace kro {

struct PhaseKey {
    int station = 0;  // index in the station table, below 65536
    int channel = 0;  // channel slot of the station, 0-23 (below 32)
    int phase = 0;    // index in the phase-name table, below 256
    bool operator==(const PhaseKey&) const = default;
};

// Whether a key fits the packed form.
constexpr bool packable(const PhaseKey& key) {
    return key.station >= 0 && key.station < 65536 && key.channel >= 0 && key.channel < 32 && key.phase >= 0 &&
           key.phase < 256;
}

// Station in bits 0-15, channel in bits 16-20, phase in bits 21-28.
constexpr std::uint32_t pack_phase_key(const PhaseKey& key) {
    return (static_cast<std::uint32_t>(key.station) & 0xFFFFu) |
           ((static_cast<std::uint32_t>(key.channel) & 0x1Fu) << 16) |
           ((static_cast<std::uint32_t>(key.phase) & 0xFFu) << 21);
}

constexpr PhaseKey unpack_phase_key(std::uint32_t packed) {
    return PhaseKey{static_cast<int>(packed & 0xFFFFu), static_cast<int>((packed >> 16) & 0x1Fu),
                    static_cast<int>((packed >> 21) & 0xFFu)};
}

}  // namespace kro
