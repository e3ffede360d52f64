#include "core/messenger.hpp"

#include <ostream>

namespace kro {

const char* to_string(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None: return "none";
        case MessageIcon::Information: return "information";
        case MessageIcon::Warning: return "warning";
        case MessageIcon::Error: return "error";
        case MessageIcon::Question: return "question";
    }
    return "?";
}

const char* to_string(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return "OK";
        case MessageButtons::OkCancel: return "OK/Cancel";
        case MessageButtons::YesNo: return "Yes/No";
        case MessageButtons::YesNoCancel: return "Yes/No/Cancel";
        case MessageButtons::RetryCancel: return "Retry/Cancel";
    }
    return "?";
}

const char* to_string(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok: return "OK";
        case MessageAnswer::Cancel: return "Cancel";
        case MessageAnswer::Yes: return "Yes";
        case MessageAnswer::No: return "No";
        case MessageAnswer::Retry: return "Retry";
    }
    return "?";
}

MessageAnswer first_button(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
        case MessageButtons::RetryCancel: return MessageAnswer::Retry;
        case MessageButtons::Ok:
        case MessageButtons::OkCancel: return MessageAnswer::Ok;
    }
    return MessageAnswer::Ok;
}

namespace {

bool answer_fits(MessageAnswer answer, MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return answer == MessageAnswer::Ok;
        case MessageButtons::OkCancel: return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::YesNo: return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No || answer == MessageAnswer::Cancel;
        case MessageButtons::RetryCancel: return answer == MessageAnswer::Retry || answer == MessageAnswer::Cancel;
    }
    return false;
}

}  // namespace

StreamMessenger::StreamMessenger(std::ostream& out) : out_(out) {}

void StreamMessenger::set_fixed_answer(MessageAnswer answer) {
    has_fixed_answer_ = true;
    fixed_answer_ = answer;
}

MessageAnswer StreamMessenger::message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                                           MessageButtons buttons) {
    MessageAnswer answer = first_button(buttons);
    if (has_fixed_answer_ && answer_fits(fixed_answer_, buttons)) answer = fixed_answer_;
    out_ << "[" << caption << "] (" << to_string(icon) << ") " << text;
    if (buttons != MessageButtons::Ok) out_ << " [" << to_string(buttons) << "] -> " << to_string(answer);
    out_ << '\n';
    return answer;
}

void StreamMessenger::beep() { out_ << "\a" << std::flush; }

void StreamMessenger::status_text(std::string_view text) {
    if (!text.empty()) out_ << text << '\n';
}

void StreamMessenger::progress_begin(std::string_view caption, int range) {
    out_ << caption << " (0/" << range << ")\n";
}

void StreamMessenger::progress_step(int) {}

void StreamMessenger::progress_end() {}

void RecordingMessenger::script_answers(std::initializer_list<MessageAnswer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

MessageAnswer RecordingMessenger::message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                                              MessageButtons buttons) {
    MessageAnswer answer = first_button(buttons);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    boxes.push_back(Box{std::string(text), std::string(caption), icon, buttons, answer});
    return answer;
}

void RecordingMessenger::progress_begin(std::string_view caption, int range) {
    progress_captions.emplace_back(caption);
    progress_ranges.push_back(range);
}

}  // namespace kro
