#pragma once
// The rules of the masked time-entry fields, free of any widget.
//
// A masked field shows a fixed template in which only the underscore
// positions take characters; a position whose digit-mask character is '0'
// accepts a digit only. The edit widgets call these functions and beep when
// a key is refused.

#include <optional>
#include <string>
#include <string_view>

#include "core/time.hpp"

namespace kro {

class Messenger;

struct MaskSpec {
    std::string_view class_name;
    std::string_view templ;       // shown while empty, '_' marks an entry position
    std::string_view digit_mask;  // '0' marks a digit position
};

inline constexpr MaskSpec kDateEditMask{"CDateEdit", "__/__/____", "00/00/0000"};
inline constexpr MaskSpec kTimeEditMask{"CTimeEdit", "__:__:__", "00:00:00"};
inline constexpr MaskSpec kTimeEditMsMask{"CTimeEditMs", "__:__:__.___", "00:00:00.000"};
inline constexpr MaskSpec kDateTimeEditMask{"CDateTimeEdit", "__:__:__ __/__/____", "00:00:00 00/00/0000"};

// True when `position` is an entry position of the mask.
bool mask_is_entry_position(const MaskSpec& mask, std::size_t position);

// True when typing `key` at `position` of a field holding `text` is allowed:
// the position takes a digit and the key is one, and for CDateEdit the extra
// key checks hold (first day digit at most 3; second day digit below 2 when
// the first is 3; first month digit below 2; second month digit at most 2
// when the first is 1).
bool mask_accepts_key(const MaskSpec& mask, std::string_view text, std::size_t position, char key);

// CTimeEditMs validation: hour's first digit at most 2, second at most 3 when
// the first is 2, first digits of minute and second at most 5.
bool time_ms_field_is_valid(std::string_view text);

// CDateTimeEdit validation: reads "hh:mm:ss dd/mm/yyyy" and checks month
// 1-12, hour below 24, minute and second below 60, day 1 to the month's
// length (February 29 in leap years). Gives the calendar fields when valid.
std::optional<CalendarTime> date_time_field_value(std::string_view text);

inline constexpr std::string_view kErroneousTimeMessage = "Erroneous time entered";

// The dialogs' check: on failure shows "Erroneous time entered" (caption
// "Error", error icon) and gives nothing; the caller keeps the field and the
// dialog open.
bool check_time_ms_field(std::string_view text, Messenger& messenger);
std::optional<CalendarTime> check_date_time_field(std::string_view text, Messenger& messenger);

}  // namespace kro
