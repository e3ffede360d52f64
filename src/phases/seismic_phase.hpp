#pragma once
// One pick: a seismic phase marked on one channel of one station, with the
// measurements taken on it. Fields keep their declared order; the defaults
// are those of a pick nobody has measured yet.

#include <cstdint>
#include <string>

#include "core/time.hpp"

namespace kro {

// The fields of a pick in their declared order, with their defaults.
struct PickFields {
    int hour = 0;            // calendar copy of `time`
    int minute = 0;
    int second = 0;          // whole second
    int hundredths = 0;      // fraction of the second x 100, truncated
    double time = 0.0;       // arrival time, epoch seconds; the list's sort key
    std::uint8_t onset = 0;         // onset code (onset_letter)
    std::uint8_t first_motion = 0;  // first-motion code (first_motion_letter)
    std::uint8_t weight_class = 4;  // reading quality, 0 best ... 4
    int year = 0;            // calendar copy of `time`
    std::uint8_t month = 1;
    std::uint8_t day = 1;
    float amplitude = 0.0f;  // ground motion, micrometres
    float period = 0.0f;     // seconds
    int amplitude_measured = 0;  // amplitude, period and amplitude_time are valid
    int included = 0;            // takes part in location and magnitudes
    double deltim = 0.0;         // arrival-time uncertainty, seconds
    int residual_valid = 0;
    float residual = 1.0f;       // observed minus computed travel time, seconds
    int velocity_valid = 0;
    float apparent_velocity = 1.0f;  // km/s from the plane-wave fit (slowness for CSS picks)
    int azimuth_valid = 0;           // azimuth, emergence, planarity, rectilinearity are valid
    float azimuth = 0.0f;            // azimuth of approach, degrees
    float emergence_angle = 0.0f;    // degrees
    float planarity = 0.0f;
    float rectilinearity = 0.0f;
    int mark_position = 0;           // pixel of the drawn mark, -1 = not drawn
    int station_index = 0;           // phase key: station in the station table
    int channel_index = 0;           // phase key: channel slot 0-23
    int phase_index = 0;             // phase key: phase-name table index
    int arid = -1;                   // arrival identifier, -1 = not assigned
    int commid = -1;                 // comment row in the CSS 3.0 database, -1 = none
    double amplitude_time = 0.0;     // epoch seconds of the amplitude measurement
    float mb = -1.0f;                // station magnitudes; present when > 0
    float ms = -1.0f;
    float mplp = -1.0f;
    float mpsp = -1.0f;
    float mwa = -1.0f;
    std::string comment;             // remark for the CSS 3.0 database
    float distance = -1.0f;          // epicentral distance, degrees; present when > 0
    double coda = -1.0;              // coda duration, seconds; present when > 0
    double energy_class = 0.0;       // energy class K; present when > 0
    double mcoda = -1.0;             // coda magnitude; present when > 0
    int own = 1;                     // belongs to this processing; saved with the list
    std::string channel_type;        // "BP", "SP", "LP", "MP" or "BH"
    std::string remark;              // analyst's comment
    std::string amplitude_filter;    // filter or simulation in force at the pick
    std::string picking_filter;      // second filter description, only stored
    float back_azimuth = -1.0f;      // degrees; present when > -1
};

class SEISMIC_PHASE : public PickFields {
public:
    SEISMIC_PHASE() = default;
    virtual ~SEISMIC_PHASE() = default;

    // A copy carries every field except commid, which it leaves at -1: the
    // comment row belongs to the original pick only.
    SEISMIC_PHASE(const SEISMIC_PHASE& other) : PickFields(other) { commid = -1; }
    SEISMIC_PHASE& operator=(const SEISMIC_PHASE& other) {
        PickFields::operator=(other);
        commid = -1;
        return *this;
    }
    SEISMIC_PHASE(SEISMIC_PHASE&&) = default;
    SEISMIC_PHASE& operator=(SEISMIC_PHASE&&) = default;

    // Sets the arrival time (epoch seconds) and its calendar copy (fields
    // hour ... day). Later edits of `time` alone leave the copy as it was.
    void set_time(EpochTime t);
};

// Onset codes: 0 emergent, 1 impulsive, 2 weak, 3 none.
inline constexpr std::uint8_t kOnsetEmergent = 0;
inline constexpr std::uint8_t kOnsetImpulsive = 1;
inline constexpr std::uint8_t kOnsetWeak = 2;
inline constexpr std::uint8_t kOnsetNone = 3;

// First-motion codes 0-8: U, D, +, -, ?, c, d, u, r.
inline constexpr std::uint8_t kFirstMotionUnknown = 4;

// "E", "I", "W"; "-" for 3 and every other value.
char onset_letter(int code);
// The onset of a letter: E/e 0, I/i 1, W/w 2, '-' 3; nothing for others.
int onset_from_letter(char letter, int otherwise);

// "U", "D", "+", "-", "?", "c", "d", "u", "r"; '?' for codes outside 0-8.
char first_motion_letter(int code);
// The code of a letter of that set; `otherwise` for any other character.
int first_motion_from_letter(char letter, int otherwise);
// The long form shown in pick dialogs: "Up", "Dn", then the letter itself.
std::string first_motion_text(int code);

}  // namespace kro
