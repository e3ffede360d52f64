#pragma once
// How logic reaches the user: message boxes, beeps, status texts and progress.
//
// The GUI implements it with dialogs and the status bar, kro-cli with
// standard output, tests with RecordingMessenger.

#include <deque>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace kro {

inline constexpr std::string_view kStandardCaption = "Seismic data processing system";

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

class Messenger {
public:
    virtual ~Messenger() = default;

    // Shows a modal message box and gives the button the user chose.
    virtual MessageAnswer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                                      MessageButtons buttons) = 0;
    virtual void beep() = 0;
    // The prompt / status text in the first pane of the status bar.
    virtual void status_text(std::string_view text) = 0;
    // A progress bar from 0 to `range`; `progress_step` sets the position.
    virtual void progress_begin(std::string_view caption, int range) = 0;
    virtual void progress_step(int position) = 0;
    virtual void progress_end() = 0;

    // Shorthands for the common boxes with the standard caption.
    void error(std::string_view text) {
        message_box(text, kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    }
    void warning(std::string_view text) {
        message_box(text, kStandardCaption, MessageIcon::Warning, MessageButtons::Ok);
    }
    void information(std::string_view text) {
        message_box(text, kStandardCaption, MessageIcon::Information, MessageButtons::Ok);
    }
};

const char* to_string(MessageIcon icon);
const char* to_string(MessageButtons buttons);
const char* to_string(MessageAnswer answer);

// The answer a box gives when nobody is there to click: Ok, or Yes for a
// question, or Retry for a retry box.
MessageAnswer first_button(MessageButtons buttons);

// Writes every message to a stream; questions are answered with their first
// button unless a fixed answer is set (kro-cli passes --yes / --no).
class StreamMessenger final : public Messenger {
public:
    explicit StreamMessenger(std::ostream& out);
    void set_fixed_answer(MessageAnswer answer);

    MessageAnswer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void beep() override;
    void status_text(std::string_view text) override;
    void progress_begin(std::string_view caption, int range) override;
    void progress_step(int position) override;
    void progress_end() override;

private:
    std::ostream& out_;
    bool has_fixed_answer_ = false;
    MessageAnswer fixed_answer_ = MessageAnswer::Ok;
};

// Records every call for tests; message boxes give scripted answers in
// order, then the first button of the box.
class RecordingMessenger final : public Messenger {
public:
    struct Box {
        std::string text;
        std::string caption;
        MessageIcon icon;
        MessageButtons buttons;
        MessageAnswer answer;
    };

    void script_answers(std::initializer_list<MessageAnswer> answers);

    MessageAnswer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void beep() override { ++beeps; }
    void status_text(std::string_view text) override { status_texts.emplace_back(text); }
    void progress_begin(std::string_view caption, int range) override;
    void progress_step(int position) override { progress_positions.push_back(position); }
    void progress_end() override { ++progress_ends; }

    std::vector<Box> boxes;
    std::vector<std::string> status_texts;
    std::vector<std::string> progress_captions;
    std::vector<int> progress_ranges;
    std::vector<int> progress_positions;
    int progress_ends = 0;
    int beeps = 0;

private:
    std::deque<MessageAnswer> answers_;
};

}  // namespace kro
