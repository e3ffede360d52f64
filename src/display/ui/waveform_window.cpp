#include "display/ui/waveform_window.hpp"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMouseEvent>
#include <algorithm>

#include "core/messenger.hpp"
#include "core/profile_file.hpp"
#include "display/channel_store.hpp"
#include "display/ui/menu_builder.hpp"
#include "display/ui/settings_sheet.hpp"

namespace kro {

namespace {
constexpr int kWindowContextMenu = 157;
constexpr int kAmplitudeMenu = 740;
}  // namespace

WaveformWindow::WaveformWindow(AppContext& ctx, CommandDispatcher& dispatcher, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dispatcher_(dispatcher) {
    setObjectName("Waveforms");
    setWindowTitle("Waveforms");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    stack_ = new QWidget(this);
    stack_->setObjectName("stack");
    stack_->installEventFilter(this);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setRange(0, kScrollRange);
    scroll_->setSingleStep(kScrollLine);
    scroll_->setPageStep(kScrollPage);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) { on_scroll(v); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(stack_, 1);
    layout->addWidget(scroll_);

    env_.settings = &ctx_.user_settings;
    env_.messenger = ctx_.messenger;
    env_.hooks = &pane_hooks_;
    env_.look.label_font = QApplication::font();

    sort_order_ = ctx_.ini.get_int("WAVEFORMS", "SORTODER", 0);
    dispatcher_.set_checked(33165, sort_order_ == 0);
    dispatcher_.set_checked(33166, sort_order_ == 1);
    dispatcher_.set_checked(606, true);
    dispatcher_.set_checked(33184, true);
    register_commands();
}

WaveformWindow::~WaveformWindow() { dispatcher_.unregister_window(Receiver::Waveform); }

void WaveformWindow::set_selection(std::vector<ChannelDescription> selected, TimeWindow span) {
    selection_.clear();
    for (auto& c : selected) selection_.push_back({std::move(c), span});
}

void WaveformWindow::set_selection(std::vector<SelectedChannel> selected) { selection_ = std::move(selected); }

void WaveformWindow::set_label_font(const QFont& font) {
    env_.look.label_font = font;
    for (TracePane* p : panes_) p->rebuild();
}

void WaveformWindow::register_commands() {
    auto on = [this](int id, std::function<void()> f) { dispatcher_.register_handler(Receiver::Waveform, id, std::move(f)); };
    for (int id : {33015, 33016, 33017, 33018, 33019, 33020, 33021, 33022, 33023, 33056})
        on(id, [this, id] { broadcast(id); });
    on(32771, [this] { redraw(); });
    on(32735, [this] { full_window(); });
    on(606, [this] {
        flags_.draw_waveforms = !flags_.draw_waveforms;
        apply_flags(flags_);
    });
    on(32712, [this] {
        const bool now = !dispatcher_.checked(32712);
        set_pick_mode(now);
    });
    on(32737, [this] {
        for (TracePane* p : active_panes()) p->drop_processed();
    });
    on(32772, [this] {
        flags_.database_phase_marks = !flags_.database_phase_marks;
        dispatcher_.set_checked(32772, flags_.database_phase_marks);
        for (TracePane* p : panes_) p->rebuild();
    });
    on(33080, [this] {
        flags_.system_event_marks = !flags_.system_event_marks;
        dispatcher_.set_checked(33080, flags_.system_event_marks);
        for (TracePane* p : panes_) p->rebuild();
    });
    on(32774, [this] { align_amplitudes(); });
    on(32775, [this] {
        if (TracePane* p = main_pane()) p->update();
    });
    on(33163, [this] {
        if (TracePane* p = main_pane()) p->update();
    });
    on(33057, [this] { set_time_alignment(!flags_.time_alignment); });
    on(33148, [this] { set_common_cursor(!flags_.common_cursor); });
    on(33184, [this] {
        flags_.normalize_amplitude = !flags_.normalize_amplitude;
        dispatcher_.set_checked(33184, flags_.normalize_amplitude);
    });
    on(33135, [this] {
        for (TracePane* p : active_panes()) p->clear_interval();
    });
    on(33169, [this] {
        for (TracePane* p : active_panes()) {
            if (!p->has_processed()) continue;
            TraceView& v = p->view();
            const Limits processed = v.processed.is_unset() ? displayed_limits(v.raw) : v.processed;
            if (v.show_processed) v.raw = aligned_limits(processed, v.raw);
            else v.processed = aligned_limits(v.raw, processed);
            p->redraw_at_current_scale();
        }
    });
    on(33205, [this] {
        for (TracePane* p : active_panes()) p->set_show_processed(true);
    });
    on(33206, [this] {
        for (TracePane* p : active_panes()) p->set_show_processed(false);
    });
    on(33207, [this] {
        for (TracePane* p : panes_)
            if (!p->is_active()) toggle_active(*p);
    });
    on(33208, [this] {
        for (TracePane* p : panes_) p->set_active(false, -1);
    });
    for (int id : {33165, 33166, 33203, 33204, 33211})
        on(id, [this, id] { sort_panes(*pane_sort_of_command(id), true); });
    on(33143, [this] {
        auto key = hooks_.choose_list ? hooks_.choose_list() : [this]() -> std::optional<std::string> {
            const auto names = channel_list_names(ctx_.user_settings);
            if (names.empty()) return std::nullopt;
            QStringList items;
            for (const auto& n : names) items << QString::fromStdString(n);
            bool ok = false;
            const QString chosen = QInputDialog::getItem(this, "Load list of channels", "List", items, 0, false, &ok);
            if (!ok) return std::nullopt;
            return channel_list_key(chosen.toStdString());
        }();
        if (key) load_channel_list(*key);
    });
    on(33144, [this] {
        auto name = hooks_.ask_list_name ? hooks_.ask_list_name() : [this]() -> std::optional<std::string> {
            bool ok = false;
            const QString text = QInputDialog::getText(this, "Save list of channels", "Name", QLineEdit::Normal, {}, &ok);
            if (!ok) return std::nullopt;
            return text.trimmed().toStdString();
        }();
        if (!name) return;
        if (Status s = save_channel_list(*name); !s) ctx_.messenger->error(s.message());
    });
    on(33202, [this] {
        if (auto chosen = choose_channel(nullptr, {1.0, 1.0})) create_pane(chosen->first, chosen->second);
    });
    on(33201, [this] {
        if (TracePane* p = main_pane()) choose_pane_channel(*p);
    });
    on(33209, [this] {
        if (auto menu = drop_down_menu(33209)) menu->exec(QCursor::pos());
    });
    on(33168, [this] { open_options(); });
    // Commands the panes handle themselves: nothing at window level.
    for (int id : {125, 33112, 33162}) on(id, [] {});
    if (hooks_.select_channels)
        on(32701, [this] {
            TracePane::busy = true;
            const bool confirmed = hooks_.select_channels();
            TracePane::busy = false;
            if (confirmed) redraw();
        });
}

TracePane* WaveformWindow::main_pane() const {
    for (TracePane* p : panes_)
        if (p->is_main()) return p;
    return nullptr;
}

std::vector<TracePane*> WaveformWindow::active_panes() const {
    std::vector<TracePane*> active;
    for (TracePane* p : panes_)
        if (p->is_active()) active.push_back(p);
    return active;
}

void WaveformWindow::destroy_panes() {
    for (TracePane* p : panes_) delete p;
    panes_.clear();
    offset_ = 0;
    scroll_->blockSignals(true);
    scroll_->setValue(0);
    scroll_->blockSignals(false);
}

TracePane* WaveformWindow::add_pane(int number, const ChannelDescription& channel, const TimeWindow& span) {
    env_.look.time_grid = flags_.time_grid;
    env_.look.draw_trace = flags_.draw_waveforms;
    auto* pane = new TracePane(number, env_, this, stack_);
    pane->assign(channel, span);
    pane->reload();
    panes_.push_back(pane);
    return pane;
}

void WaveformWindow::place(TracePane& pane, int y, int height) {
    pane.setGeometry(0, y + offset_, stack_->width(), height);
}

std::vector<PaneRect> WaveformWindow::rects() const {
    std::vector<PaneRect> r;
    for (const TracePane* p : panes_) r.push_back({pane_y(*p), p->height()});
    return r;
}

void WaveformWindow::apply_rects(const std::vector<TracePane*>& order, const std::vector<PaneRect>& rects) {
    for (std::size_t i = 0; i < order.size() && i < rects.size(); ++i) place(*order[i], rects[i].y, rects[i].height);
    update_scroll_range();
}

void WaveformWindow::redraw() {
    if (hooks_.selection) selection_ = hooks_.selection();
    // The selection as the station table gives it: stations in table order
    // with their selected slots.
    std::vector<StationSelection> stations;
    for (const auto& [c, span] : selection_) {
        auto it = std::find_if(stations.begin(), stations.end(),
                               [&](const StationSelection& s) { return s.station_index == c.station_index; });
        if (it == stations.end()) {
            StationSelection s;
            s.station_index = c.station_index;
            s.nindex = c.nindex;
            s.earliest_pick = hooks_.earliest_pick ? hooks_.earliest_pick(c, true) : kNoPickTime;
            stations.push_back(s);
            it = stations.end() - 1;
        }
        if (c.channel_index >= 0 && c.channel_index < kChannelSlots)
            it->selected[static_cast<std::size_t>(c.channel_index)] = true;
    }
    std::stable_sort(stations.begin(), stations.end(),
                     [](const auto& a, const auto& b) { return a.station_index < b.station_index; });
    const auto assignment = redraw_assignment(stations, station_order_from_int(sort_order_));

    destroy_panes();
    if (!assignment.empty()) {
        const auto layout = equal_layout(static_cast<int>(assignment.size()), stack_->height());
        for (std::size_t i = 0; i < assignment.size(); ++i) {
            const auto it = std::find_if(selection_.begin(), selection_.end(), [&](const SelectedChannel& c) {
                return c.channel.station_index == assignment[i].station_index &&
                       c.channel.channel_index == assignment[i].channel_index;
            });
            TracePane* pane = add_pane(static_cast<int>(i), it->channel, it->span);
            place(*pane, layout[i].y, layout[i].height);
            pane->rebuild();
            pane->show();
        }
    }
    update_scroll_range();
    if (env_.readout) env_.readout(" ");
    update();
}

void WaveformWindow::full_window() {
    if (panes_.empty()) return;
    const int text_height = QFontMetrics(QApplication::font()).boundingRect("WWW").height();
    const auto layout = full_window_layout(static_cast<int>(panes_.size()), stack_->height(), pane_y(*panes_.front()),
                                           text_height);
    apply_rects(panes_, layout);
    for (TracePane* p : panes_) p->rebuild();
}

void WaveformWindow::sort_panes(PaneSort sort, bool write_sort_order) {
    std::vector<PaneSortKey> keys;
    for (const TracePane* p : panes_) {
        PaneSortKey k;
        k.nindex = p->channel().nindex;
        k.earliest_pick = hooks_.earliest_pick ? hooks_.earliest_pick(p->channel(), false) : kNoPickTime;
        k.screen_number = p->screen_number();
        k.station_name = p->channel().sta;
        k.distance = hooks_.distance ? hooks_.distance(p->channel()) : std::nullopt;
        keys.push_back(std::move(k));
    }
    if (sort == PaneSort::DistanceFromEpicentre &&
        std::any_of(keys.begin(), keys.end(), [](const auto& k) { return !k.distance; }))
        return;  // no epicentre
    const auto order = pane_sort_permutation(keys, sort);
    std::vector<TracePane*> sorted;
    std::vector<PaneRect> heights;
    for (int i : order) {
        sorted.push_back(panes_[static_cast<std::size_t>(i)]);
        heights.push_back({0, panes_[static_cast<std::size_t>(i)]->height()});
    }
    panes_ = sorted;
    offset_ = 0;
    scroll_->blockSignals(true);
    scroll_->setValue(0);
    scroll_->blockSignals(false);
    apply_rects(panes_, stacked_from_top(heights));

    if (!write_sort_order) return;
    if (const auto value = sort_order_written(sort)) {
        sort_order_ = *value;
        if (Status s = ctx_.ini.write("WAVEFORMS", "SORTODER", std::to_string(*value)); !s)
            ctx_.messenger->error(s.message());
    }
    if (sort == PaneSort::ArrivalTimes) {
        dispatcher_.set_checked(33166, true);
        dispatcher_.set_checked(33165, false);
    } else if (sort == PaneSort::Alphabet) {
        dispatcher_.set_checked(33203, true);
        dispatcher_.set_checked(33165, false);
        dispatcher_.set_checked(33166, false);
    }
}

void WaveformWindow::update_scroll_range() {
    // The bar keeps its fixed range; it is only useful when the stack is taller than the window.
    int total = 0;
    for (const TracePane* p : panes_) total += p->height();
    scroll_->setEnabled(total > stack_->height());
}

void WaveformWindow::scroll_to(int position) { scroll_->setValue(std::clamp(position, 0, kScrollRange)); }

void WaveformWindow::on_scroll(int position) {
    if (scrolling_) {
        QApplication::beep();
        return;
    }
    scrolling_ = true;
    int total = 0;
    for (const TracePane* p : panes_) total += p->height();
    const int offset = kro::stack_offset(total, position);
    const int delta = offset - offset_;
    offset_ = offset;
    for (TracePane* p : panes_) p->move(p->x(), p->y() + delta);
    stack_->update();
    scrolling_ = false;
}

void WaveformWindow::broadcast(int id) {
    const bool scroll = id == 33017 || id == 33018;
    if (scroll && flags_.time_alignment)
        if (const TracePane* main = main_pane())
            for (TracePane* p : active_panes())
                if (p != main) {
                    p->view().span_start = main->view().span_start;
                    p->view().span_length = main->view().span_length;
                }
    for (TracePane* p : active_panes()) p->navigate(id);
}

void WaveformWindow::align_amplitudes() {
    TracePane* main = main_pane();
    if (!main) {
        QApplication::beep();
        return;
    }
    if (!main->view().show_processed) {
        const Limits reference = main->view().raw;
        for (TracePane* p : active_panes()) {
            p->view().raw = aligned_limits(reference, p->view().raw);
            p->redraw_at_current_scale();
        }
    } else {
        const Limits reference = main->view().processed;
        for (TracePane* p : active_panes()) {
            p->view().processed = aligned_limits(reference, p->view().processed);
            p->update();
        }
    }
}

void WaveformWindow::set_time_alignment(bool on) {
    flags_.time_alignment = on;
    dispatcher_.set_checked(33057, on);
    if (!on) return;
    const TracePane* main = main_pane();
    if (!main) return;
    for (TracePane* p : active_panes())
        if (p != main) p->set_span(main->view().span_start, main->view().span_length, false);
}

void WaveformWindow::set_common_cursor(bool on) {
    flags_.common_cursor = on;
    dispatcher_.set_checked(33148, on);
    if (!on)
        for (TracePane* p : panes_) p->set_common_cursor(std::nullopt);
}

void WaveformWindow::set_pick_mode(bool on) {
    dispatcher_.set_checked(32712, on);
    for (TracePane* p : panes_) p->set_pick_mode(on);
}

Status WaveformWindow::save_channel_list(const std::string& name) {
    std::vector<ChannelName> channels;
    for (const TracePane* p : panes_) channels.push_back({p->channel().sta, p->channel().chan});
    return kro::save_channel_list(ctx_.user_settings, name, channels);
}

const ChannelDescription* WaveformWindow::find_channel(const std::string& sta, const std::string& chan) const {
    // The first station of that name, then the first of its channels of that name.
    const auto station = std::find_if(catalogue_.begin(), catalogue_.end(),
                                      [&](const ChannelDescription& c) { return iequals(c.sta, sta); });
    if (station == catalogue_.end()) return nullptr;
    for (const auto& c : catalogue_)
        if (c.station_index == station->station_index && iequals(c.chan, chan)) return &c;
    return nullptr;
}

void WaveformWindow::load_channel_list(const std::string& key) {
    destroy_panes();
    for (const auto& entry : kro::load_channel_list(ctx_.user_settings, key)) {
        const ChannelDescription* channel = find_channel(entry.sta, entry.chan);
        if (!channel) continue;
        const TimeWindow span = load_time_window(ctx_.user_settings, channel->sta, channel->chan).value_or(TimeWindow{});
        TracePane* pane = add_pane(static_cast<int>(panes_.size()), *channel, span);
        pane->hide();
    }
    const auto layout = equal_layout(static_cast<int>(panes_.size()), stack_->height());
    apply_rects(panes_, layout);
    for (TracePane* p : panes_) {
        p->rebuild();
        p->show();
    }
}

TracePane* WaveformWindow::create_pane(const ChannelDescription& channel, const TimeWindow& span) {
    std::vector<int> numbers;
    for (const TracePane* p : panes_) numbers.push_back(p->number());
    const int height = stack_->height() / std::max<int>(1, static_cast<int>(panes_.size()));
    const int top = lowest_free_position(rects());
    TracePane* pane = add_pane(next_pane_number(numbers), channel, span);
    place(*pane, top, height);
    pane->rebuild();
    pane->show();
    update_scroll_range();
    return pane;
}

std::optional<std::pair<ChannelDescription, TimeWindow>> WaveformWindow::choose_channel(
    const ChannelDescription* preset, TimeWindow span) {
    if (hooks_.choose_channel) return hooks_.choose_channel(preset, span);
    if (catalogue_.empty()) {
        ctx_.messenger->warning("No channels are known");
        return std::nullopt;
    }
    QStringList items;
    int current = 0;
    for (std::size_t i = 0; i < catalogue_.size(); ++i) {
        items << QString::fromStdString(catalogue_[i].sta + ":" + catalogue_[i].chan);
        if (preset && catalogue_[i].sta == preset->sta && catalogue_[i].chan == preset->chan)
            current = static_cast<int>(i);
    }
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(this, "Select station and channel", "Channel", items, current, false, &ok);
    if (!ok) return std::nullopt;
    const ChannelDescription& c = catalogue_[static_cast<std::size_t>(items.indexOf(chosen))];
    TimeWindow window = load_time_window(ctx_.user_settings, c.sta, c.chan).value_or(TimeWindow{});
    if (preset) window = span;
    return std::pair(c, window);
}

void WaveformWindow::store_time_windows() {
    for (TracePane* p : panes_) p->save_time_window();
}

void WaveformWindow::apply_flags(const WaveformFlags& flags) {
    flags_ = flags;
    dispatcher_.set_checked(606, flags_.draw_waveforms);
    env_.look.time_grid = flags_.time_grid;
    env_.look.draw_trace = flags_.draw_waveforms;
    for (TracePane* p : panes_) p->redraw_at_current_scale();
}

void WaveformWindow::open_options() {
    SettingsSheet sheet(this);
    auto* page = new WaveformsSetupPage(flags_);
    sheet.add_page(page, [this, page] { apply_flags(page->flags()); });
    sheet.exec();
}

void WaveformWindow::set_main_pane(TracePane& pane) {
    for (TracePane* p : panes_) p->set_main(p == &pane);
}

void WaveformWindow::toggle_active(TracePane& pane) {
    std::vector<int> screens;
    for (const TracePane* p : panes_) screens.push_back(p->screen_number());
    if (!pane.is_active()) {
        pane.set_active(true, next_screen_number(screens));
        set_main_pane(pane);
        return;
    }
    const auto index = static_cast<std::size_t>(std::find(panes_.begin(), panes_.end(), &pane) - panes_.begin());
    release_screen_number(screens, index);
    for (std::size_t i = 0; i < panes_.size(); ++i)
        if (panes_[i]->is_active()) panes_[i]->set_active(i != index, screens[i]);
    if (pane.is_main()) {
        pane.set_main(false);
        for (TracePane* p : panes_)
            if (p->is_active()) {
                set_main_pane(*p);
                break;
            }
    }
}

std::unique_ptr<QMenu> WaveformWindow::drop_down_menu(int id) {
    if (TracePane::busy) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    MenuCallbacks callbacks;
    callbacks.enabled = [this](int cmd) { return dispatcher_.enabled(Receiver::Waveform, cmd); };
    switch (id) {
        case 33209: {
            // The five orders; chosen here the sort does not write SORTODER.
            for (int cmd : {33165, 33204, 33166, 33203, 33211}) {
                QAction* a = menu->addAction(QString::fromStdString(command_prompt(cmd)));
                connect(a, &QAction::triggered, this, [this, cmd] { sort_panes(*pane_sort_of_command(cmd), false); });
            }
            return menu;
        }
        case 32733: {
            callbacks.trigger = [this](int cmd) { dispatcher_.dispatch(Receiver::Waveform, cmd); };
            fill_menu(*menu, find_context_menu(kAmplitudeMenu)->entries, callbacks);
            for (QAction* a : menu->actions()) a->setEnabled(callbacks.enabled(a->data().toInt()));
            return menu;
        }
        case 32704: {
            // The filter sheet, the conversions and the stored filters arrive
            // with filtering; until then the entries are shown disabled.
            menu->addAction("Filter wizard")->setEnabled(false);
            for (int cmd : {33137, 33138, 33142, 33141, 33140, 33139})
                menu->addAction(QString::fromStdString(command_prompt(cmd)))->setEnabled(false);
            for (const auto& name : ctx_.user_settings.subkeys("KRO\\Butter Filter"))
                menu->addAction(QString::fromStdString(name))->setEnabled(false);
            return menu;
        }
        case 33145: {
            menu->addAction("Formula wizard")->setEnabled(false);
            for (int i = 0;; ++i) {
                const auto formula = ctx_.ini.find("FORMULAS", "f" + std::to_string(i));
                if (!formula) break;
                menu->addAction(QString::fromStdString(*formula))->setEnabled(false);
            }
            return menu;
        }
        default: return nullptr;
    }
}

void WaveformWindow::pane_made_main(TracePane& pane) { set_main_pane(pane); }

void WaveformWindow::pane_active_changed(TracePane& pane) { toggle_active(pane); }

void WaveformWindow::pane_resized(TracePane&) {
    std::vector<TracePane*> visible;
    std::vector<PaneRect> r;
    for (TracePane* p : panes_)
        if (p->isVisible()) {
            visible.push_back(p);
            r.push_back({pane_y(*p), p->height()});
        }
    apply_rects(visible, restacked(r));
}

void WaveformWindow::pane_zoomed(TracePane& pane) {
    if (!flags_.time_alignment) return;
    for (TracePane* p : active_panes())
        if (p != &pane) p->set_span(pane.view().span_start, pane.view().span_length, false);
}

void WaveformWindow::pane_pointer_moved(TracePane&, int x) {
    if (!flags_.common_cursor) return;
    for (TracePane* p : panes_) p->set_common_cursor(x < 0 ? std::nullopt : std::optional<int>(x));
}

void WaveformWindow::pane_pick_mode_ended() { set_pick_mode(false); }

void WaveformWindow::pane_context_command(TracePane& pane, int id) {
    if (id == 33112) choose_pane_channel(pane);
    else dispatcher_.dispatch(Receiver::Waveform, id);
}

void WaveformWindow::choose_pane_channel(TracePane& pane) {
    TracePane::busy = true;
    auto chosen = choose_channel(&pane.channel(), {pane.view().span_start, pane.view().span_length});
    TracePane::busy = false;
    if (!chosen) return;
    pane.assign(chosen->first, chosen->second);
    pane.reload();
    pane.rebuild();
}

void WaveformWindow::show_channels(const std::vector<SelectedChannel>& channels, int height_divisor) {
    destroy_panes();
    const int h = stack_->height() / std::max(1, height_divisor);
    for (std::size_t k = 0; k < channels.size(); ++k) {
        TracePane* pane = add_pane(static_cast<int>(k), channels[k].channel, channels[k].span);
        place(*pane, static_cast<int>(k) * h, h);
        pane->rebuild();
        pane->show();
    }
    update_scroll_range();
    update();
}

bool WaveformWindow::pane_command_enabled(int id) const { return dispatcher_.enabled(Receiver::Waveform, id); }

void WaveformWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (TracePane* p : panes_) p->resize(stack_->width(), p->height());
    update_scroll_range();
}

void WaveformWindow::show_context_menu(const QPoint& global) {
    QMenu menu(this);
    MenuCallbacks callbacks;
    callbacks.enabled = [this](int id) { return dispatcher_.enabled(Receiver::Waveform, id); };
    callbacks.checked = [this](int id) { return dispatcher_.checked(id); };
    callbacks.trigger = [this](int id) { dispatcher_.dispatch(Receiver::Waveform, id); };
    fill_menu(menu, find_context_menu(kWindowContextMenu)->entries, callbacks);
    menu.exec(global);
}

bool WaveformWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == stack_) {
        if (event->type() == QEvent::ContextMenu) {
            show_context_menu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        if (event->type() == QEvent::Resize) {
            for (TracePane* p : panes_) p->resize(stack_->width(), p->height());
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kro
