#include "core/masked_fields.hpp"

#include "core/messenger.hpp"
#include "core/time_format.hpp"

namespace kro {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

char at(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : '_'; }

// Extra checks of CDateEdit ("dd/mm/yyyy"): positions 0,1 day, 3,4 month.
bool date_edit_key_ok(std::string_view text, std::size_t position, char key) {
    switch (position) {
        case 0:
            return key <= '3';
        case 1:
            return at(text, 0) != '3' || key < '2';
        case 3:
            return key < '2';
        case 4:
            return at(text, 3) != '1' || key <= '2';
        default:
            return true;
    }
}

}  // namespace

bool mask_is_entry_position(const MaskSpec& mask, std::size_t position) {
    return position < mask.digit_mask.size() && mask.digit_mask[position] == '0';
}

bool mask_accepts_key(const MaskSpec& mask, std::string_view text, std::size_t position, char key) {
    if (!mask_is_entry_position(mask, position) || !is_digit(key)) return false;
    if (mask.class_name == kDateEditMask.class_name) return date_edit_key_ok(text, position, key);
    return true;
}

bool time_ms_field_is_valid(std::string_view text) {
    if (text.size() < 8) return false;
    const char h0 = text[0], h1 = text[1], m0 = text[3], s0 = text[6];
    if (!is_digit(h0) || !is_digit(h1) || !is_digit(m0) || !is_digit(s0)) return false;
    if (h0 > '2') return false;
    if (h0 == '2' && h1 > '3') return false;
    return m0 <= '5' && s0 <= '5';
}

std::optional<CalendarTime> date_time_field_value(std::string_view text) {
    const ScanResult r = scan_hms_dmy(text);
    if (!r.complete()) return std::nullopt;
    CalendarTime c;
    c.hour = r.as_int(0);
    c.minute = r.as_int(1);
    const int second = r.as_int(2);
    c.day = r.as_int(3);
    c.month = r.as_int(4);
    c.year = r.as_int(5);
    c.seconds = static_cast<float>(second);
    if (c.month < 1 || c.month > 12) return std::nullopt;
    if (c.hour < 0 || c.hour >= 24 || c.minute < 0 || c.minute >= 60 || second < 0 || second >= 60) return std::nullopt;
    if (c.day < 1 || c.day > month_length(c.year, c.month)) return std::nullopt;
    return c;
}

bool check_time_ms_field(std::string_view text, Messenger& messenger) {
    if (time_ms_field_is_valid(text)) return true;
    messenger.message_box(kErroneousTimeMessage, "Error", MessageIcon::Error, MessageButtons::Ok);
    return false;
}

std::optional<CalendarTime> check_date_time_field(std::string_view text, Messenger& messenger) {
    auto value = date_time_field_value(text);
    if (!value) messenger.message_box(kErroneousTimeMessage, "Error", MessageIcon::Error, MessageButtons::Ok);
    return value;
}

}  // namespace kro
