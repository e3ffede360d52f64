#pragma once
// The Messenger of the workstation: message boxes, the beep, the status
// text in pane 1 of the status bar and a progress dialog. Unattended (the
// screenshot mode), boxes are written to standard error and answered with
// their first button.

#include <QProgressDialog>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/messenger.hpp"

namespace kro {

class QtMessenger final : public Messenger {
public:
    QtMessenger() = default;
    ~QtMessenger() override;

    void set_parent(QWidget* parent) { parent_ = parent; }
    // Where status texts go; shown at once.
    void set_status_sink(std::function<void(const std::string&)> sink) { status_sink_ = std::move(sink); }
    void set_unattended(bool on) { unattended_ = on; }

    MessageAnswer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void beep() override;
    void status_text(std::string_view text) override;
    void progress_begin(std::string_view caption, int range) override;
    void progress_step(int position) override;
    void progress_end() override;

private:
    QWidget* parent_ = nullptr;
    std::function<void(const std::string&)> status_sink_;
    bool unattended_ = false;
    std::unique_ptr<QProgressDialog> progress_;
};

}  // namespace kro
