#include "core/masked_fields.hpp"

#include <gtest/gtest.h>

#include "core/messenger.hpp"

namespace kro {
namespace {

TEST(MaskAcceptsKey, DigitPositionsAndDateChecks) {
    const struct {
        const MaskSpec* mask;
        const char* text;
        std::size_t position;
        char key;
        bool accepted;
    } cases[] = {
        {&kTimeEditMask, "__:__:__", 0, '9', true},
        {&kTimeEditMask, "__:__:__", 0, 'a', false},
        {&kTimeEditMask, "__:__:__", 2, '1', false},  // the separator is not an entry position
        {&kTimeEditMsMask, "__:__:__.___", 9, '7', true},
        {&kDateTimeEditMask, "__:__:__ __/__/____", 8, '1', false},
        {&kDateEditMask, "__/__/____", 0, '3', true},
        {&kDateEditMask, "__/__/____", 0, '4', false},
        {&kDateEditMask, "3_/__/____", 1, '1', true},
        {&kDateEditMask, "3_/__/____", 1, '2', false},
        {&kDateEditMask, "2_/__/____", 1, '9', true},
        {&kDateEditMask, "__/__/____", 3, '1', true},
        {&kDateEditMask, "__/__/____", 3, '2', false},
        {&kDateEditMask, "__/1_/____", 4, '2', true},
        {&kDateEditMask, "__/1_/____", 4, '3', false},
        {&kDateEditMask, "__/0_/____", 4, '9', true},
        {&kDateEditMask, "__/__/____", 6, '9', true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mask_accepts_key(*c.mask, c.text, c.position, c.key), c.accepted)
            << c.mask->class_name << " '" << c.text << "' @" << c.position << " " << c.key;
}

TEST(TimeMsValidation, HourMinuteSecondDigits) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"23:59:59.999", true}, {"00:00:00.000", true}, {"24:00:00.000", false}, {"30:00:00.000", false},
        {"19:60:00.000", false}, {"19:00:60.000", false}, {"__:__:__.___", false},
    };
    for (const auto& c : cases) EXPECT_EQ(time_ms_field_is_valid(c.text), c.valid) << c.text;
}

TEST(DateTimeValidation, CalendarRules) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"12:00:00 29/02/2004", true},  {"12:00:00 29/02/2003", false}, {"24:00:00 01/01/2004", false},
        {"12:00:00 01/13/2004", false}, {"12:60:00 01/01/2004", false}, {"12:00:60 01/01/2004", false},
        {"12:00:00 00/01/2004", false}, {"12:00:00 31/04/2004", false}, {"23:59:59 31/12/2099", true},
        {"12:00:00 __/__/____", false},
    };
    for (const auto& c : cases) EXPECT_EQ(date_time_field_value(c.text).has_value(), c.valid) << c.text;
}

TEST(DateTimeValidation, FailureShowsTheMessageOnce) {
    RecordingMessenger messenger;
    EXPECT_FALSE(check_date_time_field("12:00:00 29/02/2003", messenger));
    EXPECT_FALSE(check_time_ms_field("24:00:00.000", messenger));
    const auto ok = check_date_time_field("12:00:00 29/02/2004", messenger);
    ASSERT_TRUE(ok);
    EXPECT_EQ(calendar_to_time(*ok), calendar_to_time(2004, 2, 29, 12, 0, 0.0));
    ASSERT_EQ(messenger.boxes.size(), 2u);
    for (const auto& box : messenger.boxes) {
        EXPECT_EQ(box.text, "Erroneous time entered");
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.icon, MessageIcon::Error);
    }
}

}  // namespace
}  // namespace kro
