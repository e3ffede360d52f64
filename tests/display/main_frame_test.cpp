// The main frame: children, menus, tool bars and the routing of commands.

#include <QApplication>
#include <QMenuBar>
#include <QtTest>
#include <filesystem>

#include "display/ui/main_frame.hpp"
#include "display/ui/masked_edit.hpp"
#include "display/ui/settings_sheet.hpp"
#include "display/ui/toolbar_customize_dialog.hpp"
#include "display/ui/trace_font.hpp"

namespace kro {

namespace {

QAction* find_action(QMenu* menu, int id) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            if (QAction* inner = find_action(a->menu(), id)) return inner;
        if (!a->isSeparator() && !a->menu() && a->data().toInt() == id) return a;
    }
    return nullptr;
}

std::vector<int> toolbar_ids(QToolBar* bar) {
    std::vector<int> ids;
    for (QAction* a : bar->actions()) ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    return ids;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

    QtMessenger messenger;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<MainFrame> frame;
    std::string ini_path;

private Q_SLOTS:
    void init() {
        messenger.set_unattended(true);
        ctx = std::make_unique<AppContext>(messenger);
        ini_path = (std::filesystem::temp_directory_path() / ("kro-frame-" + std::to_string(::getpid()) + ".ini")).string();
        std::filesystem::remove(ini_path);
        ctx->ini.set_path(ini_path);
        frame = std::make_unique<MainFrame>(*ctx, messenger);
        frame->resize(1200, 800);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void cleanup() {
        frame.reset();
        std::filesystem::remove(ini_path);
    }

    void starts_with_four_children_and_the_waveform_window_maximized() {
        QVERIFY(frame->windowTitle().startsWith("Seismic data processing system"));
        QCOMPARE(frame->mdi_area()->subWindowList().size(), 4);
        QCOMPARE(frame->active_child(), Receiver::Waveform);
        QVERIFY(frame->sub_window(Receiver::Waveform)->isMaximized());
        QVERIFY(frame->toolbar("WAVEFORMS")->isVisible());
        for (const char* hidden : {"MAP", "PHASELIST", "DSP"}) QVERIFY2(!frame->toolbar(hidden)->isVisible(), hidden);
        QCOMPARE(toolbar_ids(frame->toolbar("WAVEFORMS")), find_toolbar("WAVEFORMS")->buttons);
        QVERIFY(frame->kro_status_bar().status_text().isEmpty());
        QVERIFY(!frame->kro_status_bar().clock_text().isEmpty());
    }

    void menu_items_are_enabled_exactly_where_a_handler_exists_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Print: nobody") << "Waveforms" << 32773 << false;
        QTest::newRow("Return: nobody") << "Waveforms" << 20 << false;
        QTest::newRow("Center: nobody") << "Waveforms" << 32780 << false;
        QTest::newRow("Redraw") << "Waveforms" << 32771 << true;
        QTest::newRow("sort by alphabet") << "Waveforms" << 33203 << true;
        QTest::newRow("new earthquake: not built yet") << "Functions" << 33110 << false;
        QTest::newRow("Work parameters: the frame") << "Functions" << 19 << true;
        QTest::newRow("Font: the frame") << "Functions" << 32769 << true;
        QTest::newRow("Exit: the frame") << "Functions" << 57665 << true;
        QTest::newRow("Adjust toolbar of the phase list") << "List of phases" << 33186 << true;
        QTest::newRow("save phases: not built yet") << "List of phases" << 32715 << false;
        QTest::newRow("map Increase: not built yet") << "Map" << 116 << false;
        QTest::newRow("Cascade") << "Windows" << 57650 << true;
        QTest::newRow("Save windows coordinates: nobody") << "Windows" << 32727 << false;
    }
    void menu_items_are_enabled_exactly_where_a_handler_exists() {
        QFETCH(QString, menu);
        QFETCH(int, id);
        QFETCH(bool, enabled);
        QMenu* m = frame->top_menu(menu.toStdString());
        QVERIFY(m);
        Q_EMIT m->aboutToShow();
        QAction* a = find_action(m, id);
        QVERIFY2(a, qPrintable(QString::number(id)));
        QCOMPARE(a->isEnabled(), enabled);
        QCOMPARE(a->statusTip().toStdString(), command_prompt(id));
        Q_EMIT m->aboutToHide();
    }

    void opening_a_menu_activates_its_window_and_its_tool_bar() {
        QMenu* dsp = frame->top_menu("DSP");
        Q_EMIT dsp->aboutToShow();
        QCOMPARE(frame->active_child(), Receiver::Workbench);
        QVERIFY(frame->toolbar("DSP")->isVisible());
        QVERIFY(!frame->toolbar("WAVEFORMS")->isVisible());
        QVERIFY(frame->kro_status_bar().prompt_widened());
        QVERIFY(!frame->kro_status_bar().clock_pane()->isVisible());
        Q_EMIT dsp->aboutToHide();
        QVERIFY(frame->kro_status_bar().clock_pane()->isVisible());
    }

    void commands_reach_the_window_that_handles_them() {
        struct Case {
            int id;
            Receiver active_after;
        };
        for (const Case c : {Case{32707, Receiver::Map}, Case{32708, Receiver::PhaseList},
                             Case{33105, Receiver::Workbench}, Case{32705, Receiver::Waveform}}) {
            QVERIFY(frame->run_command(Receiver::Frame, c.id));
            QCOMPARE(frame->active_child(), c.active_after);
            QVERIFY(frame->sub_window(c.active_after)->isMaximized());
        }
        // A waveform command asked of the map goes nowhere; the frame's own commands work from any window.
        QVERIFY(!frame->run_command(Receiver::Map, 32771));
        QCOMPARE(frame->dispatcher().route(Receiver::Map, 19), Receiver::Frame);
        QCOMPARE(frame->dispatcher().route(Receiver::Waveform, 32771), Receiver::Waveform);
        QCOMPARE(frame->dispatcher().route(Receiver::Waveform, 33186), Receiver::None);
        // The tool-bar buttons follow the handlers too.
        for (QAction* a : frame->toolbar("WAVEFORMS")->actions()) {
            if (a->isSeparator() || a->data().toInt() == 0) continue;
            QCOMPARE(a->isEnabled(), frame->dispatcher().enabled(Receiver::Waveform, a->data().toInt()));
        }
    }

    void child_windows_cannot_be_closed() {
        for (Receiver r : {Receiver::Map, Receiver::Waveform, Receiver::PhaseList, Receiver::Workbench}) {
            frame->sub_window(r)->close();
            QVERIFY(frame->sub_window(r)->isVisible());
        }
    }

    void toolbar_customisation_resets_to_the_layout_it_started_from() {
        const ToolbarLayout start = frame->toolbar_layout("PHASELIST");
        const ToolbarLayout waveforms = frame->toolbar_layout("WAVEFORMS");
        {
            ToolbarCustomizeDialog dialog(*find_toolbar("PHASELIST"), start, ctx->user_settings, messenger,
                                          [&](const ToolbarLayout& l) { frame->set_toolbar_layout("PHASELIST", l); });
            QVERIFY(ctx->user_settings.get_binary("KRO\\TOOLBAR", "TMP").has_value());
            dialog.remove(0);
            dialog.move(0, 3);
            QVERIFY(frame->toolbar_layout("PHASELIST") != start);  // applied at once
            dialog.reset();
            QCOMPARE(frame->toolbar_layout("PHASELIST"), start);
            dialog.remove(1);
            dialog.insert(0, 0);  // a separator first
            dialog.finish();
        }
        ToolbarLayout expected = start;
        expected.erase(expected.begin() + 1);
        expected.insert(expected.begin(), 0);
        QCOMPARE(frame->toolbar_layout("PHASELIST"), expected);
        QCOMPARE(toolbar_ids(frame->toolbar("PHASELIST")), expected);
        QCOMPARE(load_toolbar_layout(ctx->user_settings, "PHASELIST", *find_toolbar("PHASELIST")), expected);
        QCOMPARE(frame->toolbar_layout("WAVEFORMS"), waveforms);
        QVERIFY(!ctx->user_settings.get_binary("KRO\\TOOLBAR", "WAVEFORMS").has_value());

        // The next frame starts with the stored layout.
        frame.reset();
        frame = std::make_unique<MainFrame>(*ctx, messenger);
        QCOMPARE(frame->toolbar_layout("PHASELIST"), expected);
    }

    void window_buttons_need_room_left_of_the_status_pane() {
        QCOMPARE(window_buttons_x(232), std::nullopt);
        QCOMPARE(window_buttons_x(233), std::optional<int>(70));
        frame->kro_status_bar().place_buttons();
        const int pane1 = frame->kro_status_bar().status_pane()->geometry().left();
        QCOMPARE(frame->kro_status_bar().window_button(0)->x(), pane1 - 163);
        QCOMPARE(frame->kro_status_bar().window_button(6)->x(), pane1 - 163 + 6 * 23);
        messenger.status_text("Calculating...");
        QCOMPARE(frame->kro_status_bar().status_text(), QString("Calculating..."));
        messenger.status_text(" ");
        QVERIFY(frame->kro_status_bar().status_text().isEmpty());
    }

    void options_page_writes_its_keys() {
        ctx->ini.set("GODOGRAPH", "Total#", "2");
        ctx->ini.set("GODOGRAPH", "NAME0", "IASP91");
        ctx->ini.set("GODOGRAPH", "NAME1", "Local");
        ctx->ini.set("GODOGRAPH", "DIR1", "/tables/local/");
        OptionsPage page(*ctx, OptionsPageState{false, false});
        QVERIFY(!page.from_wfdisc()->isEnabled());  // no CSS 3.0 database
        QVERIFY(page.from_main()->isChecked());
        QCOMPARE(page.travel_time_sets()->count(), 2);
        page.data_folder()->setText("/data/kro/");
        page.out_folder()->setText("/out 'x'/");
        page.css_folder()->setText("/css/");
        page.travel_time_sets()->setCurrentIndex(1);
        page.save_to_css()->setChecked(false);
        page.apply();
        ProfileFile written;
        QVERIFY(written.load(ini_path));
        QCOMPARE(written.find("OUT", "DIR"), std::optional<std::string>("/out 'x'/"));
        QCOMPARE(written.find("DATABASE", "SAVETOCSSDB"), std::optional<std::string>("0"));
        QCOMPARE(written.find("DIR", "CSSDATAPATH"), std::optional<std::string>("/css/"));
        QCOMPARE(written.find("GODOGRAPH", "N#"), std::optional<std::string>("1"));
        QCOMPARE(written.find("DATA", "DIR"), std::nullopt);  // the data folder lasts until the program ends
        QCOMPARE(ctx->settings.data_folder, std::string("/data/kro/"));
        QCOMPARE(ctx->settings.travel_time_folder, std::string("/tables/local/"));
        QVERIFY(!ctx->settings.save_to_css);
    }

    void trace_font_converts_both_ways() {
        QFont font("DejaVu Sans");
        font.setPixelSize(15);
        font.setBold(true);
        font.setItalic(true);
        TraceFont base;
        base.lfCharSet = 204;
        const TraceFont f = trace_font_of(font, base);
        QCOMPARE(f.lfHeight, -15);
        QCOMPARE(f.lfWeight, 700);
        QCOMPARE(f.lfItalic, 1);
        QCOMPARE(f.lfCharSet, 204);  // what the chooser does not set stays
        QCOMPARE(f.lfFaceName, std::string("DejaVu Sans"));
        const QFont back = qfont_of(f);
        QCOMPARE(back.pixelSize(), 15);
        QVERIFY(back.bold());
        QVERIFY(back.italic());
    }

    void masked_fields_take_digits_at_entry_positions_only() {
        MaskedEdit edit(kDateEditMask);
        edit.show();
        edit.setFocus();
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, "3");
        QTest::keyClicks(&edit, "5");  // refused: second day digit after 3 must be below 2
        QTest::keyClicks(&edit, "1a12");
        QCOMPARE(edit.text(), QString("31/12/____"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QString("31/1_/____"));
    }
};

}  // namespace kro

QTEST_MAIN(kro::MainFrameTest)
#include "main_frame_test.moc"
