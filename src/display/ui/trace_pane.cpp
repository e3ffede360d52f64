#include "display/ui/trace_pane.hpp"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/messenger.hpp"
#include "core/time_format.hpp"
#include "display/command_map.hpp"
#include "display/ui/menu_builder.hpp"
#include "display/ui/scale_dialog.hpp"

namespace kro {

bool TracePane::busy = false;

namespace {
constexpr int kPaneContextMenu = 741;
}

TracePane::TracePane(int number, PaneEnvironment& env, PaneHost* host, QWidget* parent)
    : QWidget(parent), number_(number), env_(env), host_(host) {
    setObjectName(name());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int TracePane::text_height() const { return QFontMetrics(QApplication::font()).boundingRect("WWW").height(); }

PaneGeometry TracePane::geometry_now() const { return pane_geometry(width(), height(), text_height()); }

TraceScale TracePane::raw_scale() const {
    TraceScale s;
    s.g = geometry_now();
    s.span_start = view_.span_start;
    s.span_length = view_.span_length > 0.0 ? view_.span_length : 1.0;
    s.limits = displayed_limits(view_.raw);
    return s;
}

TraceScale TracePane::shown_scale() const {
    TraceScale s = raw_scale();
    if (view_.show_processed) {
        Limits l = view_.processed.is_unset() ? s.limits : view_.processed;
        s.limits = displayed_limits(l);
    }
    return s;
}

void TracePane::assign(const ChannelDescription& channel, const TimeWindow& span) {
    history_.clear();
    channel_ = channel;
    view_ = TraceView{};
    view_.span_start = span.start;
    view_.span_length = span.length;
    interval_ = {};
    drop_processed();
}

void TracePane::save_time_window() {
    if (!env_.settings || channel_.sta.empty()) return;
    if (Status s = kro::save_time_window(*env_.settings, channel_.sta, channel_.chan,
                                         {view_.span_start, view_.span_length});
        !s && env_.messenger)
        env_.messenger->error(s.message());
}

void TracePane::reload() {
    save_time_window();
    drop_processed();
    data_.clear();
    data_.set_names(channel_.sta, channel_.chan);
    if (!env_.source) return;
    if (Status s = env_.source->load(channel_, view_.span_start, view_.span_length, data_); !s && env_.messenger)
        env_.messenger->message_box("Exception\n" + s.message(), "Error", MessageIcon::Error, MessageButtons::Ok);
}

void TracePane::rebuild() {
    if (rebuilding_) {
        if (env_.messenger) env_.messenger->message_box("FLAG8", kStandardCaption, MessageIcon::None, MessageButtons::Ok);
        return;
    }
    rebuilding_ = true;
    if (env_.readout) env_.readout("Reading data...");
    view_.raw = raw_limits_for_rebuild(view_.raw, data_);
    const QSize size = this->size().expandedTo(QSize(16, 16));
    if (raw_picture_.size() != size) raw_picture_ = QImage(size, QImage::Format_RGB32);
    raw_picture_.fill(palette().color(QPalette::Window));
    {
        QPainter p(&raw_picture_);
        paint_raw_picture(p, raw_scale(), data_, env_.look, scratch_);
    }
    if ((formula_trace_ || filtered_) && env_.hooks && env_.hooks->reprocess) env_.hooks->reprocess(*this);
    if (env_.readout) env_.readout(" ");
    rebuilding_ = false;
    update();
}

void TracePane::redraw_at_current_scale() {
    if (raw_picture_.isNull()) return rebuild();
    raw_picture_.fill(palette().color(QPalette::Window));
    QPainter p(&raw_picture_);
    paint_raw_picture(p, raw_scale(), data_, env_.look, scratch_);
    p.end();
    update();
}

void TracePane::set_interval(const IntervalMarks& marks) {
    interval_ = marks;
    update();
}

void TracePane::clear_interval() {
    interval_ = {};
    update();
}

void TracePane::set_active(bool active, int screen_number) {
    active_ = active;
    screen_number_ = active ? screen_number : -1;
    update();
}

void TracePane::set_main(bool main) {
    main_ = main;
    update();
}

void TracePane::set_pick_mode(bool on) {
    pick_mode_ = on;
    setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
}

void TracePane::set_common_cursor(std::optional<int> x) {
    if (common_cursor_x_ == x) return;
    common_cursor_x_ = x;
    update();
}

void TracePane::set_processed(std::vector<float> samples, double rate, double offset, bool filtered, bool formula) {
    processed_ = std::move(samples);
    processed_rate_ = rate;
    processed_offset_ = offset;
    filtered_ = filtered;
    formula_trace_ = formula;
    update();
}

void TracePane::drop_processed() {
    processed_.clear();
    processed_rate_ = 0.0;
    processed_offset_ = 0.0;
    filtered_ = false;
    formula_trace_ = false;
    update();
}

void TracePane::set_show_processed(bool on) {
    view_.show_processed = on;
    update();
}

std::vector<float> TracePane::series() const {
    const auto n = static_cast<std::int32_t>(std::trunc(view_.span_length * channel_.sps));
    if (n <= 0) return {};
    return place_on_series(data_, view_.span_start, view_.span_length, n);
}

void TracePane::after_span_change() {
    reload();
    rebuild();
}

void TracePane::redraw_limits_changed() {
    if (view_.show_processed) update();
    else redraw_at_current_scale();
}

void TracePane::set_span(EpochTime start, double length, bool push_view) {
    if (push_view) history_.push(view_.record());
    view_.span_start = start;
    view_.span_length = length;
    after_span_change();
}

bool TracePane::navigate(int id) {
    const ViewRecord before = view_.record();
    switch (id) {
        case 33017:
        case 33018: {
            history_.push(before);
            const double shift = scroll_shift(view_.span_length);
            view_.span_start += id == 33017 ? -shift : shift;
            after_span_change();
            return true;
        }
        case 33022: {
            history_.push(before);
            if (const auto span = compressed_horizontally({view_.span_start, view_.span_length})) {
                view_.span_start = span->start;
                view_.span_length = span->length;
                after_span_change();
            }
            return true;
        }
        case 33021: {
            history_.push(before);
            const Span span = expanded_horizontally({view_.span_start, view_.span_length});
            view_.span_start = span.start;
            view_.span_length = span.length;
            after_span_change();
            return true;
        }
        case 33019:
        case 33020: {
            if (id == 33020 && rebuilding_) return true;
            history_.push(before);
            const double fraction = view_.show_processed ? 0.10 : 0.25;
            Limits& l = view_.shown_limits();
            if (view_.show_processed && l.is_unset()) l = displayed_limits(view_.raw);
            l = shifted_vertically(l, id == 33019 ? -fraction : fraction);
            redraw_limits_changed();
            return true;
        }
        case 33015:
        case 33016: {
            history_.push(before);
            Limits& l = view_.shown_limits();
            if (view_.show_processed && l.is_unset()) l = displayed_limits(view_.raw);
            l = id == 33015 ? expanded_vertically(l) : compressed_vertically(l);
            redraw_limits_changed();
            return true;
        }
        case 33056: {
            history_.push(before);
            if (view_.show_processed) view_.processed = series_limits(processed_);
            else view_.raw = centered_limits(series());
            redraw_limits_changed();
            return true;
        }
        case 33023: {
            const auto record = history_.pop();
            if (!record) return true;
            view_.restore(*record);
            after_span_change();
            return true;
        }
        default: return false;
    }
}

bool TracePane::handles_pane_command(int id) { return id == 32771 || id == 33162; }

bool TracePane::run_pane_command(int id) {
    switch (id) {
        case 32771:
            after_span_change();
            return true;
        case 33162: {
            Limits raw = view_.raw, processed = view_.processed;
            if (edit_waveform_scale(this, raw, processed)) {
                view_.raw = raw;
                view_.processed = processed;
                redraw_at_current_scale();
            }
            return true;
        }
        default: return false;
    }
}

QImage TracePane::render() {
    QImage image(size(), QImage::Format_RGB32);
    QWidget::render(&image);
    return image;
}

void TracePane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!raw_picture_.isNull() && gesture_ != Gesture::Resize) rebuild();
}

void TracePane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (rebuilding_) return;
    const PaneGeometry g = geometry_now();
    if (raw_picture_.size() != size()) {
        p.fillRect(rect(), kPlotFill);
        p.setPen(Qt::red);
        p.drawRect(0, kTitleStripHeight, width() - 1, height() - kTitleStripHeight - 1);
    } else {
        p.drawImage(0, 0, raw_picture_);
    }
    paint_title_strip(p, g);
    paint_marks(p, g);
}

void TracePane::paint_title_strip(QPainter& p, const PaneGeometry& g) {
    const QPalette& pal = palette();
    p.fillRect(0, 0, width(), kTitleStripHeight, pal.color(QPalette::Window));
    const QColor fill = active_ ? QColor(0, 84, 166) : QColor(160, 160, 160);
    const QColor text = active_ ? Qt::white : QColor(230, 230, 230);
    p.fillRect(g.left + 14, 0, g.right - g.left - 14, kTitleStripHeight - 1, fill);
    p.setPen(Qt::black);
    p.drawLine(0, kTitleStripHeight - 1, width() - 1, kTitleStripHeight - 1);

    QFont font = env_.look.label_font;
    p.setFont(font);
    const QFontMetrics fm(font);
    const QString caption = QString::fromStdString(
        pane_title_text(number_, channel_.sta, channel_.chan, channel_.sps, view_.span_start));
    const int text_left = g.left + 50;
    const int clip_right = g.right - 76;
    p.save();
    p.setClipRect(text_left, 0, std::max(0, clip_right - text_left), kTitleStripHeight);
    p.setPen(text);
    const int baseline = (kTitleStripHeight - 1 + fm.ascent() - fm.descent()) / 2;
    p.drawText(text_left, baseline, caption);
    p.restore();
    if (screen_number_ > 0) {
        const QString number = QString::asprintf("%3d", screen_number_);
        const int x = std::min(text_left + fm.horizontalAdvance(caption) + 6, clip_right - fm.horizontalAdvance(number) - 4);
        const QRect box(x, 1, fm.horizontalAdvance(number) + 4, kTitleStripHeight - 3);
        p.fillRect(box, Qt::yellow);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, number);
    }

    // Buttons: 141 "Make window main", 142 "Filtering/initial data", 143 maximize, and hide.
    auto button = [&](const QRect& r, const QString& label, bool down) {
        p.fillRect(r, QColor(212, 208, 200));
        p.setPen(down ? QColor(64, 64, 64) : Qt::white);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(down ? Qt::white : QColor(64, 64, 64));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, label);
    };
    QFont small = font;
    small.setPixelSize(9);
    p.setFont(small);
    button(QRect(0, 0, 15, 15), main_ ? "M" : "m", main_);
    button(QRect(g.right - 75, 0, 45, 15), view_.show_processed ? "filter" : "initial", view_.show_processed);
    button(QRect(g.right - 29, 0, 16, 15), maximized_ ? "v" : "^", maximized_);
    button(QRect(g.right - 12, 0, 13, 15), "_", false);
}

void TracePane::paint_marks(QPainter& p, const PaneGeometry& g) {
    const TraceScale scale = raw_scale();
    const int plot_top = g.plot_top_y();
    const int plot_bottom = g.plot_bottom_y();
    auto inside = [&](EpochTime t) { return t > view_.span_start && t < view_.span_end(); };

    // Pick marks.
    if (env_.hooks && env_.hooks->picks) {
        QFont pick_font("Arial");
        pick_font.setPixelSize(22);
        p.setFont(pick_font);
        const QFontMetrics fm(pick_font);
        for (const auto& pick : env_.hooks->picks(channel_)) {
            if (!inside(pick.time)) continue;
            const int x = static_cast<int>(scale.x_of(pick.time));
            const bool is_p = pick.phase.size() == 1 && (pick.phase[0] == 'P' || pick.phase[0] == 'p');
            const QColor color = is_p ? Qt::red : QColor(0, 255, 0);
            p.setPen(QPen(color, 1, pick.included ? Qt::SolidLine : Qt::DotLine));
            p.drawLine(x, plot_bottom, x, plot_top + fm.height());
            const QString name = QString::fromStdString(pick.phase);
            p.drawText(x - fm.horizontalAdvance(name) / 2, plot_top + fm.ascent(), name);
        }
    }

    // Processed trace.
    if (!processed_.empty() && processed_rate_ > 0.0) {
        TraceScale ps = scale;
        ps.limits = displayed_limits(view_.processed.is_unset() ? view_.raw : view_.processed);
        paint_processed_trace(p, ps, processed_, processed_offset_, 1.0 / processed_rate_, env_.look.label_font, scratch_);
    }

    // Interval marks.
    if (interval_.present) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        for (const EpochTime t : {interval_.t1, interval_.t2})
            if (inside(t)) {
                const int x = static_cast<int>(scale.x_of(t));
                p.drawLine(x, plot_top, x, plot_bottom);
            }
    }

    // Pick marker: the middle line and a double arrow of +- the uncertainty.
    if (pick_marker_x_) {
        const int x = *pick_marker_x_;
        const int y = (plot_top + plot_bottom) / 2;
        const int half = static_cast<int>(pick_marker_half_);
        p.setPen(Qt::white);
        p.drawLine(x, plot_top, x, plot_bottom);
        p.drawLine(x - half, y, x + half, y);
        p.drawLine(x - half, y, x - half + 4, y - 4);
        p.drawLine(x - half, y, x - half + 4, y + 4);
        p.drawLine(x + half, y, x + half - 4, y - 4);
        p.drawLine(x + half, y, x + half - 4, y + 4);
    }

    // Gestures: the selected strip inverted, the dragged pick, the rubber band.
    if (gesture_ == Gesture::Interval && is_interval_drag(press_.x(), pointer_.x())) {
        const int x1 = std::min(press_.x(), std::min(pointer_.x(), g.right));
        const int x2 = std::max(press_.x(), std::min(pointer_.x(), g.right));
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(x1, plot_top, x2 - x1, plot_bottom - plot_top, Qt::white);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (gesture_ == Gesture::DragPick && dragged_) {
        QFont pick_font("Arial");
        pick_font.setPixelSize(22);
        p.setFont(pick_font);
        p.setPen(Qt::black);
        p.drawLine(pointer_.x(), plot_top, pointer_.x(), plot_bottom);
        p.drawText(pointer_.x() + 2, plot_top + QFontMetrics(pick_font).ascent(), QString::fromStdString(dragged_->phase));
    }
    if (rubber_anchor_) {
        p.setPen(QPen(QColor(211, 211, 211), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(*rubber_anchor_, pointer_).normalized());
    }
    if (common_cursor_x_) {
        p.setPen(QColor(211, 211, 211));
        p.drawLine(*common_cursor_x_, plot_top, *common_cursor_x_, plot_bottom);
    }
}

bool TracePane::in_resize_zone(int y) const {
    const PaneGeometry g = geometry_now();
    const int above_bottom = height() - y;
    return above_bottom >= std::max(0, g.h - 20) && above_bottom <= g.h - 4;
}

std::optional<PickMark> TracePane::pick_near(int x) const {
    if (!env_.hooks || !env_.hooks->picks) return std::nullopt;
    const TraceScale scale = raw_scale();
    for (const auto& pick : env_.hooks->picks(channel_)) {
        if (pick.time <= view_.span_start || pick.time >= view_.span_end()) continue;
        if (std::abs(static_cast<int>(scale.x_of(pick.time)) - x) <= kPickGrabDistance) return pick;
    }
    return std::nullopt;
}

void TracePane::title_click(int x) {
    const PaneGeometry g = geometry_now();
    if (x < 16) {
        if (!main_) {
            set_main(true);
            if (host_) host_->pane_made_main(*this);
        }
    } else if (x >= g.right - 75 && x <= g.right - 30) {
        set_show_processed(!view_.show_processed);
    } else if (x >= g.right - 29 && x <= g.right - 13) {
        maximized_ = !maximized_;
        update();
    } else if (x > g.right - 13) {
        save_time_window();
        hide();
        if (env_.hooks && env_.hooks->hidden) env_.hooks->hidden(*this);
        if (host_) host_->pane_resized(*this);
    } else if (x >= g.left + 15 && x <= g.right - 76) {
        if (host_) host_->pane_active_changed(*this);
        else set_active(!active_, 1);
    }
}

void TracePane::mousePressEvent(QMouseEvent* event) {
    if (busy) return;
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return;
    press_ = pointer_ = pos;
    if (pos.y() < kTitleStripHeight) return title_click(pos.x());
    if (in_resize_zone(pos.y())) {
        gesture_ = Gesture::Resize;
        return;
    }
    const PaneGeometry g = geometry_now();
    if (!g.plot_contains(pos.x(), pos.y())) return;
    if ((event->modifiers() & Qt::ShiftModifier) != 0) {
        if (auto pick = pick_near(pos.x())) {
            dragged_ = pick;
            gesture_ = Gesture::DragPick;
            return;
        }
    }
    gesture_ = pick_mode_ ? Gesture::Pick : Gesture::Interval;
}

void TracePane::show_readout(const QPoint& pos, bool button_held) {
    if (!env_.readout) return;
    const PaneGeometry g = geometry_now();
    if (g.top - g.bottom < 5 || g.right - g.left < 10 || !g.plot_contains(pos.x(), pos.y())) return;
    const TraceScale s = shown_scale();
    const EpochTime t = s.time_at(pos.x());
    const double a = s.value_at_row(pos.y());
    if (button_held)
        env_.readout(format_difference_readout(t - s.time_at(press_.x()), a - s.value_at_row(press_.y())));
    else
        env_.readout(format_cursor_time_amplitude(t, a));
}

void TracePane::mouseMoveEvent(QMouseEvent* event) {
    if (busy) return;
    const QPoint pos = event->position().toPoint();
    pointer_ = pos;
    setCursor(in_resize_zone(pos.y()) || gesture_ == Gesture::Resize ? Qt::SizeVerCursor
              : pick_mode_                                              ? Qt::CrossCursor
                                                                        : Qt::ArrowCursor);
    switch (gesture_) {
        case Gesture::Resize: {
            const PaneGeometry g = geometry_now();
            resize(width(), std::max(g.h + kMinimumPlotHeight, pos.y()));
            return;
        }
        case Gesture::DragPick: {
            if (env_.readout) env_.readout(format_cursor_time(raw_scale().time_at(pos.x())));
            update();
            return;
        }
        case Gesture::Interval:
            if (is_interval_drag(press_.x(), pos.x()) && env_.hooks && env_.hooks->interval_changed) {
                const TraceScale s = raw_scale();
                env_.hooks->interval_changed(*this, interval_from_times(s.time_at(press_.x()),
                                                                        s.time_at(std::min(pos.x(), s.g.right)),
                                                                        channel_.sps));
            }
            update();
            break;
        default: break;
    }
    show_readout(pos, gesture_ != Gesture::None);
    if (rubber_anchor_) update();
    if (host_) host_->pane_pointer_moved(*this, pos.x());
}

void TracePane::mouseReleaseEvent(QMouseEvent* event) {
    if (busy || event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const Gesture gesture = std::exchange(gesture_, Gesture::None);
    const TraceScale s = raw_scale();
    const PaneGeometry& g = s.g;
    switch (gesture) {
        case Gesture::Resize:
            rebuild();
            if (host_) host_->pane_resized(*this);
            break;
        case Gesture::DragPick:
            if (dragged_ && g.plot_contains(pos.x(), pos.y()) && env_.hooks && env_.hooks->pick_moved)
                env_.hooks->pick_moved(channel_, *dragged_, s.time_at(pos.x()));
            dragged_.reset();
            update();
            break;
        case Gesture::Pick: {
            if (host_) host_->pane_pick_mode_ended();
            else set_pick_mode(false);
            const EpochTime a = s.time_at(press_.x()), b = s.time_at(pos.x());
            const int middle_x = (press_.x() + pos.x()) / 2;
            pick_marker_x_ = middle_x;
            pick_marker_half_ = std::abs(pos.x() - press_.x()) / 2.0;
            update();
            if (env_.hooks && env_.hooks->pick_requested)
                env_.hooks->pick_requested(*this, (a + b) / 2.0, middle_x, std::fabs(a - b));
            break;
        }
        case Gesture::Interval:
            if (is_interval_drag(press_.x(), pos.x()))
                set_interval(interval_from_times(s.time_at(press_.x()), s.time_at(std::min(pos.x(), g.right)),
                                                 channel_.sps));
            update();
            break;
        case Gesture::None: break;
    }
}

void TracePane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (busy || event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    gesture_ = Gesture::None;
    if (!geometry_now().plot_contains(pos.x(), pos.y())) return;
    if (!rubber_anchor_) {
        rubber_anchor_ = pos;
        pointer_ = pos;
        if (!active_) {
            if (host_) host_->pane_active_changed(*this);
            else set_active(true, 1);
        }
        if (!main_) {
            set_main(true);
            if (host_) host_->pane_made_main(*this);
        }
        update();
        return;
    }
    finish_zoom(pos);
}

void TracePane::finish_zoom(const QPoint& end) {
    const QRect r = QRect(*rubber_anchor_, end).normalized();
    rubber_anchor_.reset();
    const TraceScale s = shown_scale();
    history_.push(view_.record());
    Limits& limits = view_.shown_limits();
    limits = {s.value_at_row(r.bottom()), s.value_at_row(r.top())};
    const EpochTime t_left = s.time_at(r.left());
    view_.span_start = t_left;
    view_.span_length = std::max(1.0, std::floor(s.time_at(r.right()) - t_left));
    if (host_) host_->pane_zoomed(*this);
    after_span_change();
}

void TracePane::contextMenuEvent(QContextMenuEvent* event) {
    if (busy || pick_mode_) return;
    const ContextMenuDef* def = find_context_menu(kPaneContextMenu);
    if (!def) return;
    QMenu menu(this);
    MenuCallbacks callbacks;
    callbacks.enabled = [this](int id) {
        return handles_pane_command(id) || (host_ && host_->pane_command_enabled(id));
    };
    callbacks.trigger = [this](int id) {
        if (!run_pane_command(id) && host_) host_->pane_context_command(*this, id);
    };
    fill_menu(menu, def->entries, callbacks);
    menu.exec(event->globalPos());
}

void TracePane::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (host_) host_->pane_pointer_moved(*this, -1);
}

}  // namespace kro
