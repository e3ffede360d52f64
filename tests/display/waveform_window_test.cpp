// The waveform window and its trace panes, driven as the analyst would.

#include <QApplication>
#include <QtTest>
#include <filesystem>

#include "core/messenger.hpp"
#include "display/ui/waveform_window.hpp"
#include "css_test_source.hpp"

namespace kro {

namespace {

// `stations` stations with three channels each, NINDEX given per station.
std::vector<ChannelDescription> channels(int stations, std::vector<int> nindex = {}) {
    std::vector<ChannelDescription> out;
    for (int s = 0; s < stations; ++s)
        for (int c = 0; c < 3; ++c) {
            ChannelDescription d;
            d.sta = "S" + std::to_string(s);
            d.chan = std::string("HH") + "ZNE"[c];
            d.sps = 100.0;
            d.station_index = s;
            d.channel_index = c;
            d.nindex = s < static_cast<int>(nindex.size()) ? nindex[static_cast<std::size_t>(s)] : s + 1;
            out.push_back(d);
        }
    return out;
}

std::vector<std::string> stations_of(const WaveformWindow& w) {
    std::vector<std::string> names;
    for (const TracePane* p : w.panes()) names.push_back(p->channel().sta + ":" + p->channel().chan);
    return names;
}

}  // namespace

class WaveformWindowTest : public QObject {
    Q_OBJECT

    RecordingMessenger messenger;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<CommandDispatcher> dispatcher;
    std::unique_ptr<SyntheticChannelSource> source;
    std::unique_ptr<WaveformWindow> window;
    std::string ini_path;
    static constexpr EpochTime kEvent = 1296474910.0;

    void make_window(int client_height = 600) {
        window.reset();
        ctx = std::make_unique<AppContext>(messenger);
        ini_path = (std::filesystem::temp_directory_path() / ("kro-ui-" + std::to_string(::getpid()) + ".ini")).string();
        std::filesystem::remove(ini_path);
        ctx->ini.set_path(ini_path);
        dispatcher = std::make_unique<CommandDispatcher>();
        source = std::make_unique<SyntheticChannelSource>(kEvent - 60.0, 600.0, kEvent);
        window = std::make_unique<WaveformWindow>(*ctx, *dispatcher);
        window->set_channel_source(source.get());
        window->resize(800, client_height);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->stack_area()->resize(window->stack_area()->width(), client_height);
    }

    void show(const std::vector<ChannelDescription>& selected, TimeWindow span = {kEvent - 10.0, 60.0}) {
        window->set_catalogue(selected);
        window->set_selection(selected, span);
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 32771));
    }

private Q_SLOTS:
    void cleanup() {
        window.reset();
        std::filesystem::remove(ini_path);
    }

    void redraw_builds_one_pane_per_selected_channel_data() {
        QTest::addColumn<int>("stations");
        QTest::addColumn<int>("panes");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("3 channels") << 1 << 3;
        QTest::newRow("30 channels give 24 panes") << 10 << 24;
    }
    void redraw_builds_one_pane_per_selected_channel() {
        QFETCH(int, stations);
        QFETCH(int, panes);
        make_window(600);
        show(channels(stations));
        QCOMPARE(static_cast<int>(window->panes().size()), panes);
        for (std::size_t i = 0; i < window->panes().size(); ++i) {
            const TracePane* p = window->panes()[i];
            QCOMPARE(p->number(), static_cast<int>(i));
            QCOMPARE(p->height(), 600 / panes);
            QCOMPARE(p->y(), static_cast<int>(i) * (600 / panes));
            QVERIFY(p->data().count() > 0);
        }
    }

    void redraw_and_pane_sorts_follow_the_sort_order() {
        make_window();
        show(channels(3, {5, 9, 7}));
        QCOMPARE(window->panes().front()->channel().sta, std::string("S1"));  // NINDEX 9, 7, 5
        QCOMPARE(window->panes()[3]->channel().sta, std::string("S2"));

        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33203));  // alphabet: writes 2
        QCOMPARE(ctx->ini.find("WAVEFORMS", "SORTODER"), std::optional<std::string>("2"));
        QCOMPARE(window->panes().front()->channel().sta, std::string("S0"));
        QVERIFY(dispatcher->checked(33203));
        QVERIFY(!dispatcher->checked(33165));
        int y = 0;
        for (const TracePane* p : window->panes()) {  // re-laid from the top, heights kept
            QCOMPARE(p->y(), y);
            y += p->height();
        }
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 32771));  // unsorted now: table order
        QCOMPARE(window->panes().front()->channel().sta, std::string("S0"));

        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33165));
        QCOMPARE(ctx->ini.find("WAVEFORMS", "SORTODER"), std::optional<std::string>("0"));
        QCOMPARE(window->panes().front()->channel().sta, std::string("S1"));

        // Without an epicentre the distance sort changes nothing and writes nothing.
        const auto before = stations_of(*window);
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33211));
        QCOMPARE(stations_of(*window), before);
        QCOMPARE(ctx->ini.find("WAVEFORMS", "SORTODER"), std::optional<std::string>("0"));
    }

    void in_full_window_and_scrolling() {
        make_window(300);
        show(channels(1));
        window->panes()[1]->resize(800, 40);
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 32735));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(window->panes()[static_cast<std::size_t>(i)]->y(), i * 100);
            QCOMPARE(window->panes()[static_cast<std::size_t>(i)]->height(), 100);
        }
        QVERIFY(window->scroll_bar()->isVisible());
        QCOMPARE(window->panes()[0]->width() + window->scroll_bar()->width(), window->width());
        window->scroll_to(5000);
        QCOMPARE(window->stack_offset(), -150);
        QCOMPARE(window->panes()[1]->y(), 100 - 150);
        window->scroll_to(0);
        QCOMPARE(window->panes()[1]->y(), 100);
    }

    void navigation_keeps_twenty_views() {
        make_window();
        show(channels(1));
        TracePane* pane = window->panes().front();
        window->toggle_active(*pane);
        const EpochTime start = pane->view().span_start;
        const double shift = scroll_shift(pane->view().span_length);
        for (int i = 0; i < 21; ++i) QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33018));
        QCOMPARE(pane->view().span_start, start + 21 * shift);
        QCOMPARE(pane->history().size(), std::size_t{20});
        for (int i = 0; i < 21; ++i) QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33023));
        QCOMPARE(pane->view().span_start, start + shift);  // the oldest view was dropped

        // Inactive panes ignore broadcast commands.
        TracePane* other = window->panes()[1];
        const EpochTime other_start = other->view().span_start;
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33017));
        QCOMPARE(other->view().span_start, other_start);

        // Compressing far beyond the longest span pushes a view and changes nothing.
        pane->set_span(start, 200000.0, false);
        const auto pushed = pane->history().size();
        QVERIFY(pane->navigate(33022));
        QCOMPARE(pane->view().span_length, 200000.0);
        QCOMPARE(pane->history().size(), pushed + 1);
        QVERIFY(pane->navigate(33023));
        QCOMPARE(pane->view().span_length, 200000.0);
    }

    void zoom_rectangle_sets_span_and_limits() {
        make_window();
        show(channels(1));
        TracePane* pane = window->panes().front();
        const TraceScale before = pane->raw_scale();
        const QPoint a(100, 30), b(300, 60);
        QTest::mouseDClick(pane, Qt::LeftButton, {}, a);
        QVERIFY(pane->is_active());
        QVERIFY(pane->is_main());
        QTest::mouseMove(pane, b);
        QTest::mouseDClick(pane, Qt::LeftButton, {}, b);
        QCOMPARE(pane->view().span_start, before.time_at(100));
        QCOMPARE(pane->view().span_length, std::floor(before.time_at(300) - before.time_at(100)));
        QCOMPARE(pane->view().raw.max, before.value_at_row(30));
        QCOMPARE(pane->view().raw.min, before.value_at_row(60));
        QCOMPARE(pane->history().size(), std::size_t{1});
        QVERIFY(pane->navigate(33023));
        QCOMPARE(pane->view().span_start, before.span_start);
    }

    void interval_selection_needs_more_than_five_pixels_data() {
        QTest::addColumn<int>("release_x");
        QTest::addColumn<bool>("interval");
        QTest::newRow("5 right") << 205 << false;
        QTest::newRow("6 right") << 206 << true;
        QTest::newRow("5 left") << 195 << false;
        QTest::newRow("6 left") << 194 << true;
    }
    void interval_selection_needs_more_than_five_pixels() {
        QFETCH(int, release_x);
        QFETCH(bool, interval);
        make_window();
        show(channels(1));
        TracePane* pane = window->panes().front();
        QTest::mousePress(pane, Qt::LeftButton, {}, QPoint(200, 60));
        QTest::mouseMove(pane, QPoint(release_x, 60));
        QTest::mouseRelease(pane, Qt::LeftButton, {}, QPoint(release_x, 60));
        QCOMPARE(pane->interval().present, interval);
        if (interval) {
            const TraceScale s = pane->raw_scale();
            QCOMPARE(pane->interval().t1, s.time_at(std::min(200, release_x)));
            QCOMPARE(pane->interval().t2, s.time_at(std::max(200, release_x)));
            QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33135));  // only active panes drop them
            QVERIFY(pane->interval().present);
            window->toggle_active(*pane);
            QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33135));
            QVERIFY(!pane->interval().present);
        }
    }

    void pick_dragging_moves_the_pick() {
        make_window();
        show(channels(1));
        TracePane* pane = window->panes().front();
        PickMark pick{7, "P", pane->view().span_start + 20.0, true};
        std::vector<std::pair<int, EpochTime>> moved;
        window->pane_hooks().picks = [&](const ChannelDescription& c) {
            return c.chan == "HHZ" ? std::vector<PickMark>{pick} : std::vector<PickMark>{};
        };
        window->pane_hooks().pick_moved = [&](const ChannelDescription&, const PickMark& p, EpochTime t) {
            moved.emplace_back(p.key, t);
        };
        const int x = static_cast<int>(pane->raw_scale().x_of(pick.time));
        // Three pixels away: no drag, an ordinary (too short) press.
        QTest::mousePress(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(x + 3, 60));
        QTest::mouseRelease(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(x + 3, 60));
        QVERIFY(moved.empty());
        // Two pixels away: dragged to x + 80.
        QTest::mousePress(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(x + 2, 60));
        QTest::mouseMove(pane, QPoint(x + 40, 60));
        QTest::mouseRelease(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(x + 80, 60));
        QCOMPARE(moved.size(), std::size_t{1});
        QCOMPARE(moved[0].first, 7);
        QCOMPARE(moved[0].second, pane->raw_scale().time_at(x + 80));
    }

    void pick_mode_opens_the_pick_hook_once() {
        make_window();
        show(channels(1));
        TracePane* pane = window->panes().front();
        std::vector<std::pair<EpochTime, double>> requests;
        window->pane_hooks().pick_requested = [&](TracePane&, EpochTime t, int, double u) { requests.emplace_back(t, u); };
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 32712));
        QVERIFY(dispatcher->checked(32712));
        QVERIFY(window->panes()[2]->pick_mode());
        QTest::mousePress(pane, Qt::LeftButton, {}, QPoint(300, 60));
        QTest::mouseRelease(pane, Qt::LeftButton, {}, QPoint(310, 60));
        QCOMPARE(requests.size(), std::size_t{1});
        const TraceScale s = pane->raw_scale();
        QCOMPARE(requests[0].first, (s.time_at(300) + s.time_at(310)) / 2.0);
        QCOMPARE(requests[0].second, std::fabs(s.time_at(310) - s.time_at(300)));
        QVERIFY(!window->panes()[2]->pick_mode());  // pick mode ended for all panes
        QVERIFY(!dispatcher->checked(32712));
    }

    void amplitude_alignment_keeps_each_middle() {
        make_window();
        show(channels(1));
        TracePane* main = window->panes()[0];
        TracePane* other = window->panes()[1];
        TracePane* inactive = window->panes()[2];
        window->toggle_active(*other);
        window->toggle_active(*main);  // activated last: the main pane
        QVERIFY(main->is_main());
        QVERIFY(!other->is_main());
        main->view().raw = {-4.0, 4.0};
        other->view().raw = {0.0, 2.0};
        inactive->view().raw = {0.0, 2.0};
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 32774));
        QCOMPARE(other->view().raw, (Limits{-3.0, 5.0}));
        QCOMPARE(main->view().raw, (Limits{-4.0, 4.0}));
        QCOMPARE(inactive->view().raw, (Limits{0.0, 2.0}));

        // Deactivating the main pane makes the first active pane main; screen numbers close up.
        QCOMPARE(other->screen_number(), 1);
        QCOMPARE(main->screen_number(), 2);
        window->toggle_active(*other);
        QCOMPARE(main->screen_number(), 1);
        QVERIFY(main->is_main());
    }

    void time_alignment_copies_the_main_span() {
        make_window();
        show(channels(1));
        TracePane* a = window->panes()[0];
        TracePane* b = window->panes()[1];
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33057));  // no main pane: nothing changes
        QVERIFY(dispatcher->checked(33057));
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33057));
        window->toggle_active(*b);
        window->toggle_active(*a);
        a->set_span(a->view().span_start + 5.0, 20.0, true);
        QVERIFY(dispatcher->dispatch(Receiver::Waveform, 33057));
        QCOMPARE(b->view().span_start, a->view().span_start);
        QCOMPARE(b->view().span_length, 20.0);
    }

    void channel_list_round_trip() {
        make_window();
        auto all = channels(2);
        show({all[0], all[4], all[2]});
        QVERIFY(window->save_channel_list("quarry 'blast'"));
        // The list names a channel twice and one that is not known.
        QVERIFY(ctx->user_settings.set_text("KRO\\waveforms-\\quarry 'blast'\\3", "STA", "s0"));
        QVERIFY(ctx->user_settings.set_text("KRO\\waveforms-\\quarry 'blast'\\3", "CHAN", "hhz"));
        QVERIFY(ctx->user_settings.set_text("KRO\\waveforms-\\quarry 'blast'\\4", "STA", "NOPE"));
        QVERIFY(ctx->user_settings.set_text("KRO\\waveforms-\\quarry 'blast'\\4", "CHAN", "HHZ"));
        window->set_catalogue(all);
        QVERIFY(save_time_window(ctx->user_settings, "S1", "HHN", {kEvent, 30.0}));
        window->load_channel_list("KRO\\waveforms-\\quarry 'blast'");
        // Redraw showed S1 first (larger NINDEX); the list keeps that order.
        QCOMPARE(stations_of(*window), (std::vector<std::string>{"S1:HHN", "S0:HHZ", "S0:HHE", "S0:HHZ"}));
        QCOMPARE(window->panes()[0]->view().span_length, 30.0);          // its stored time window
        QCOMPARE(window->panes()[1]->view().span_start, kEvent - 10.0);  // stored when Redraw loaded it
        for (std::size_t i = 0; i < 4; ++i) {
            QCOMPARE(window->panes()[i]->number(), static_cast<int>(i));
            QCOMPARE(window->panes()[i]->height(), 600 / 4);
            QVERIFY(window->panes()[i]->isVisible());
        }
    }

    void create_new_window_takes_the_next_number() {
        make_window();
        auto all = channels(1);
        window->set_catalogue(all);
        TracePane* first = window->create_pane(all[1], {kEvent, 30.0});
        QCOMPARE(first->number(), 0);
        QCOMPARE(first->height(), 600);
        QCOMPARE(first->y(), 0);
        TracePane* second = window->create_pane(all[2], {kEvent, 30.0});
        QCOMPARE(second->number(), 1);
        QCOMPARE(second->y(), 600);
        QCOMPARE(load_time_window(ctx->user_settings, "S0", "HHE"), (std::optional<TimeWindow>{TimeWindow{kEvent, 30.0}}));
    }

    void real_seismograms_from_the_shared_sample_set() {
        const std::string folder = std::string(KRO_SHARED_DATA_DIR) + "/css";
        if (!std::filesystem::exists(folder + "/test_css.wfdisc")) QSKIP("the shared CSS 3.0 sample set is absent");
        make_window();
        test::CssTestSource css(folder);
        window->set_channel_source(&css);
        show(css.channels(), {1296474900.0, 60.0});
        QCOMPARE(window->panes().size(), std::size_t{6});
        const TracePane* be = nullptr;
        const TracePane* le = nullptr;
        for (const TracePane* p : window->panes()) {
            if (p->channel().chan != "HHZ") continue;
            (p->channel().sta == "TESTbe" ? be : le) = p;
        }
        QVERIFY(be && le);
        QCOMPARE(be->data().count(), std::size_t{1});
        QCOMPARE(be->data().block(0).count(), 4800);
        QVERIFY(be->data().block(0).samples == le->data().block(0).samples);  // the same samples in both byte orders
        // The drawn pane shows its trace: many pixels in the trace colour.
        QImage image = window->panes().front()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int trace_pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) trace_pixels += image.pixel(x, y) == kRawTraceColor.rgb();
        QVERIFY2(trace_pixels > image.width(), qPrintable(QString::number(trace_pixels)));
    }
};

}  // namespace kro

QTEST_MAIN(kro::WaveformWindowTest)
#include "waveform_window_test.moc"
