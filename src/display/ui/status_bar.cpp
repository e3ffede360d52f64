#include "display/ui/status_bar.hpp"

#include <QApplication>

#include "core/time_format.hpp"
#include "display/command_map.hpp"
#include "display/ui/menu_builder.hpp"

namespace kro {

std::optional<int> window_buttons_x(int pane1_left) {
    const int x = pane1_left - 163;
    if (x < 70) return std::nullopt;
    return x;
}

KroStatusBar::KroStatusBar(QWidget* parent, std::function<void(int)> trigger) : QStatusBar(parent) {
    setObjectName("StatusBar");
    setMinimumHeight(25);
    setSizeGripEnabled(false);
    prompt_ = new QLabel(this);
    prompt_->setObjectName("pane0");
    status_ = new QLabel(this);
    status_->setObjectName("Status");
    status_->setFixedWidth(250);
    clock_ = new QLabel(this);
    clock_->setObjectName("time");
    addWidget(prompt_, 1);
    addPermanentWidget(status_);
    addPermanentWidget(clock_);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const int id = kWindowButtonIds[i];
        auto* b = new QToolButton(this);
        b->setObjectName(QString::number(id));
        b->setIcon(command_icon(id));
        b->setToolTip(QString::fromStdString(command_tool_tip(id)));
        b->setStatusTip(QString::fromStdString(command_prompt(id)));
        b->setAutoRaise(false);
        b->hide();
        QObject::connect(b, &QToolButton::clicked, this, [trigger, id] { trigger(id); });
        buttons_[i] = b;
    }
    QObject::connect(&clock_timer_, &QTimer::timeout, this, [this] { update_clock(); });
    clock_timer_.start(1000);
    update_clock();
}

void KroStatusBar::set_prompt(const QString& text) { prompt_->setText(text); }

void KroStatusBar::set_status_text(const QString& text) {
    status_->setText(text == " " ? QString() : text);
    status_->repaint();
}

void KroStatusBar::widen_prompt(bool wide) {
    widened_ = wide;
    status_->setVisible(!wide);
    clock_->setVisible(!wide);
    if (wide)
        for (QToolButton* b : buttons_) b->hide();
    last_x_ = -1;
    if (!wide) place_buttons();
}

void KroStatusBar::place_buttons() {
    if (widened_) return;
    const int pane1_left = status_->geometry().left();
    const std::optional<int> x = window_buttons_x(pane1_left);
    const int key = x.value_or(-2);
    if (key == last_x_) return;
    last_x_ = key;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (!x) {
            buttons_[i]->hide();
            continue;
        }
        buttons_[i]->setGeometry(*x + static_cast<int>(i) * 23, 2, 23, std::max(2, height() - 3));
        buttons_[i]->show();
    }
}

void KroStatusBar::update_clock() {
    const QString text = QString::fromStdString(local_clock_text("%X"));
    clock_->setText(text);
    clock_->setFixedWidth(clock_->fontMetrics().horizontalAdvance(text) + 8);
    place_buttons();
}

void KroStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    last_x_ = -1;
    place_buttons();
    update();
}

}  // namespace kro
