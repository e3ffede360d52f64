#pragma once
// The status bar of the main frame: pane 0 for menu and tool-bar prompts,
// pane 1 ("Status") for status texts, pane 2 for the clock, and the seven
// window buttons placed left of pane 1.

#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <functional>

namespace kro {

class KroStatusBar final : public QStatusBar {
public:
    // `trigger` runs a window button's command.
    KroStatusBar(QWidget* parent, std::function<void(int)> trigger);

    void set_prompt(const QString& text);
    // Pane 1: shown at once, without waiting for the event loop; a single
    // blank clears it.
    void set_status_text(const QString& text);
    QString status_text() const { return status_->text(); }
    QString prompt() const { return prompt_->text(); }
    QString clock_text() const { return clock_->text(); }
    QLabel* status_pane() const { return status_; }
    QLabel* clock_pane() const { return clock_; }

    // While a menu is open pane 0 fills the bar; the other panes and the
    // window buttons are out of sight.
    void widen_prompt(bool wide);
    bool prompt_widened() const { return widened_; }

    // The window buttons start at (left edge of pane 1) - 163; below x = 70
    // all seven are hidden.
    void place_buttons();
    QToolButton* window_button(int i) const { return buttons_[static_cast<std::size_t>(i)]; }
    void update_clock();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* prompt_;
    QLabel* status_;
    QLabel* clock_;
    std::array<QToolButton*, 7> buttons_{};
    QTimer clock_timer_;
    int last_x_ = -1;
    bool widened_ = false;
};

// Where the buttons start for a pane 1 whose left edge is at `pane1_left`;
// nothing when they must be hidden.
std::optional<int> window_buttons_x(int pane1_left);

}  // namespace kro
