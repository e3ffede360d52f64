#include "display/ui/qt_messenger.hpp"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

namespace kro {

QtMessenger::~QtMessenger() = default;

namespace {

QString qt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

MessageAnswer QtMessenger::message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                                       MessageButtons buttons) {
    if (unattended_) {
        const MessageAnswer answer = first_button(buttons);
        std::cerr << "kro: [" << caption << "] " << text << " -> " << to_string(answer) << "\n";
        return answer;
    }
    QMessageBox box(parent_);
    box.setWindowTitle(qt(caption));
    box.setText(qt(text));
    switch (icon) {
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MessageButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Retry: return MessageAnswer::Retry;
        case QMessageBox::Ok: return MessageAnswer::Ok;
        default:  // closed by the window's close box: the box's escape answer
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok
                   : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                      : MessageAnswer::Cancel;
    }
}

void QtMessenger::beep() { QApplication::beep(); }

void QtMessenger::status_text(std::string_view text) {
    if (status_sink_) status_sink_(std::string(text));
}

void QtMessenger::progress_begin(std::string_view caption, int range) {
    if (unattended_) return;
    progress_ = std::make_unique<QProgressDialog>(qt(caption), QString(), 0, range, parent_);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setValue(0);
}

void QtMessenger::progress_step(int position) {
    if (!progress_) return;
    progress_->setValue(position);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtMessenger::progress_end() { progress_.reset(); }

}  // namespace kro
