// The dialogs of stations, files, channel lists, networks, the new event,
// the disk loop and the CSS 3.0 import, driven with keys and clicks on a
// private SQLite database.

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "core/messenger.hpp"
#include "data/wfdisc_line.hpp"
#include "db/filelist.hpp"
#include "db/schema.hpp"
#include "db/stations.hpp"
#include "display/ui/data_commands.hpp"
#include "display/ui/disk_loop_dialog.hpp"
#include "display/ui/file_list_dialog.hpp"
#include "display/ui/main_frame.hpp"
#include "display/ui/networks_dialog.hpp"
#include "display/ui/new_event_dialog.hpp"
#include "display/ui/select_station_channel_dialog.hpp"
#include "display/ui/select_traces_dialog.hpp"
#include "display/ui/station_tree.hpp"
#include "display/workstation.hpp"

namespace kro {

namespace {

namespace fs = std::filesystem;

// Adds a station with its channels to SITE and SITECHAN: slots 0, 1, 2, ...
// (slot = 3 NGROUP + CHANINDEX - 3).
void add_station(Connection& c, const std::string& sta, int nindex, const std::vector<std::string>& chans,
                 double sps = 100.0) {
    SiteRow site;
    site.sta = sta;
    site.ngroups = 8;
    site.lat = 55.0;
    site.lon = 37.0;
    site.elev = 0.1;
    site.nindex = nindex;
    insert_site(c, site);
    for (std::size_t i = 0; i < chans.size(); ++i) {
        SiteChanRow row;
        row.sta = sta;
        row.chan = chans[i];
        row.sps = sps;
        row.ngroup = 1 + static_cast<int>(i) / 3;
        row.chanindex = static_cast<int>(i) % 3;
        insert_sitechan(c, row);
    }
}

void add_file(Connection& c, const std::string& sta, const std::string& ch, double tbegin, double tqty, double sps,
              const std::string& cpath) {
    FileListRow row;
    row.sta = sta;
    row.ch = ch;
    row.tbegin = tbegin;
    row.tqty = tqty;
    row.sps = sps;
    row.cpath = cpath;
    row.creater = "TEST";
    row.datatype = 3;
    row.foff = 512;
    insert_filelist(c, row);
}

std::vector<QStringList> rows_of(const QTreeWidget& list) {
    std::vector<QStringList> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list.columnCount(); ++c) cells << list.topLevelItem(i)->text(c);
        rows.push_back(cells);
    }
    return rows;
}

QTreeWidgetItem* station_item(QTreeWidget& tree, const QString& root, const QString& station) {
    QTreeWidgetItem* r = find_root(tree, root, Qt::CaseSensitive);
    return r ? find_child(*r, station, Qt::CaseSensitive) : nullptr;
}

// Runs `action` on the modal dialog that the next exec() opens.
void on_next_modal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, qApp, [action] {
        if (QWidget* w = QApplication::activeModalWidget()) action(w);
    });
}

// The label editor a tree opened with editItem().
QLineEdit* label_editor(QTreeWidget* tree) {
    QLineEdit* editor = tree->viewport()->findChild<QLineEdit*>();
    if (!editor) qFatal("no label editor is open");
    return editor;
}

void close_label_editor(QTreeWidget* tree) {
    QTest::keyClick(label_editor(tree), Qt::Key_Escape);
    QCoreApplication::processEvents();
}

void type_field(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->setCursorPosition(0);
    QTest::keyClicks(field, text);
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

    fs::path folder;
    RecordingMessenger messenger;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<Workstation> ws;

    Connection& db() { return ws->database.main(); }

private Q_SLOTS:
    void init() {
        folder = fs::temp_directory_path() / ("kro-dialogs-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "data");
        messenger = RecordingMessenger{};
        ctx = std::make_unique<AppContext>(messenger);
        ctx->ini.set_path((folder / "KRO.INI").string());
        ctx->settings.data_folder = (folder / "data").string();
        ws = std::make_unique<Workstation>(*ctx);
        db().open("Driver=SQLite3;Database=" + (folder / "main.sqlite").string() + ";");
        QVERIFY(create_schema(db(), SchemaKind::Main));
    }
    void cleanup() {
        ws.reset();
        ctx.reset();
        fs::remove_all(folder);
    }

    void mask_ticks_matching_channels() {
        struct Case {
            QString mask;
            std::vector<std::string> ticked;
        };
        const std::vector<Case> cases = {
            {"bh?", {"BHZ", "BHN", "BHE"}},  // not BH, not BHZ1
            {"*z", {"BHZ", "SHZ"}},
            {"BH*", {"BHZ", "BHN", "BHE", "BH", "BHZ1"}},
        };
        add_station(db(), "ABC", 1, {"BHZ", "BHN", "BHE", "BH", "BHZ1", "SHZ"});
        for (const Case& c : cases) {
            ws->reload_stations(1.0e9);
            SelectTracesDialog dialog(ws->stations, ctx->user_settings, ctx->ini, messenger, 0, {}, nullptr);
            QCOMPARE(dialog.last_mask(), QString("bh?"));
            // The mask dialog opens on the last mask; the test types its own.
            on_next_modal([&c](QWidget* w) {
                auto* mask_dialog = dynamic_cast<ChannelMaskDialog*>(w);
                QVERIFY(mask_dialog);
                mask_dialog->field()->selectAll();
                QTest::keyClicks(mask_dialog->field(), c.mask);
                QTest::keyClick(mask_dialog->field(), Qt::Key_Return);
            });
            QTest::mouseClick(dialog.button("Select chennels by the sample"), Qt::LeftButton);
            std::vector<std::string> ticked;
            for (int slot = 0; slot < kChannelSlots; ++slot)
                if (ws->stations.selected(0, slot)) ticked.push_back(ws->stations.at(0).slots[slot].name);
            QCOMPARE(ticked, c.ticked);
            QCOMPARE(dialog.last_mask(), c.mask);
        }
    }

    void check_box_click_toggles_the_matrix() {
        add_station(db(), "ABC", 1, {"BHZ", "BHN", "BHE"});
        ws->reload_stations(1.0e9);
        SelectTracesDialog dialog(ws->stations, ctx->user_settings, ctx->ini, messenger, 0, {}, nullptr);
        dialog.show();
        QTreeWidget* list = dialog.channels();
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(0)->text(1), QString("100.000"));
        const QRect row = list->visualItemRect(list->topLevelItem(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 8, row.center().y()));
        QVERIFY(ws->stations.selected(0, 1));
        QVERIFY(!ws->stations.selected(0, 0));
        QTest::mouseClick(dialog.button("Remove all marks"), Qt::LeftButton);
        QVERIFY(!ws->stations.selected(0, 1));
    }

    void set_this_time_for_all_stations() {
        add_station(db(), "ABC", 1, {"BHZ"});
        add_station(db(), "DEF", 2, {"BHZ"});
        add_station(db(), "GHI", 3, {"BHZ"});
        ws->reload_stations(1.0e9);
        SelectTracesDialog dialog(ws->stations, ctx->user_settings, ctx->ini, messenger, 1, {}, nullptr);
        dialog.show();
        QCOMPARE(dialog.station_box()->title(), QString("DEF"));
        type_field(dialog.date_field(), "01032004");
        type_field(dialog.time_field(), "120000500");
        type_field(dialog.length_field(), "001000");
        QCOMPARE(dialog.time_field()->text(), QString("12:00:00.500"));
        QTest::mouseClick(dialog.button("Set this time for all stations"), Qt::LeftButton);
        const EpochTime expected = calendar_to_time(2004, 3, 1, 12, 0, 0) + 0.5;
        for (const CScreenFields& s : ws->stations.stations()) {
            QCOMPARE(window_start(s), expected);
            QCOMPARE(window_length(s), 600.0);
        }
        QVERIFY(messenger.boxes.empty());
    }

    void erroneous_start_time_keeps_the_dialog_open() {
        add_station(db(), "ABC", 1, {"BHZ"});
        ws->reload_stations(1.0e9);
        SelectTracesDialog dialog(ws->stations, ctx->user_settings, ctx->ini, messenger, 0, {}, nullptr);
        dialog.show();
        const EpochTime before = window_start(ws->stations.at(0));
        dialog.time_field()->set_field_text("35:00:00.000");
        QTest::mouseClick(dialog.findChild<QPushButton*>("Ok"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(window_start(ws->stations.at(0)), before);
        QVERIFY(!messenger.boxes.empty());
        QCOMPARE(QString::fromStdString(messenger.boxes.front().text), QString("Erroneous time entered"));
    }

    void station_and_channel_needs_a_channel_item() {
        add_station(db(), "ABC", 1, {"BHZ", "BHN", "BHE"});
        ws->reload_stations(1.0e9);
        SelectStationChannelDialog dialog(ws->stations, ctx->ini, messenger, 0, -1, 1.0e9, 60.0, {}, nullptr);
        dialog.show();
        QTreeWidgetItem* station = station_item(*dialog.tree(), kAllStationsRoot, "ABC");
        QVERIFY(station);
        QCOMPARE(station->childCount(), 3);
        dialog.tree()->setCurrentItem(station);
        QTest::mouseClick(dialog.ok_button(), Qt::LeftButton);
        QCOMPARE(messenger.beeps, 1);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.choice());

        dialog.tree()->setCurrentItem(station->child(2));
        QTest::mouseClick(dialog.ok_button(), Qt::LeftButton);
        QVERIFY(dialog.choice());
        QCOMPARE(dialog.choice()->station, 0);
        QCOMPARE(dialog.choice()->slot, 2);
        QCOMPARE(ctx->ini.find("SELECT STATION", "GROUP NAME").value_or(""), std::string(kAllStationsRoot));
        QCOMPARE(ctx->ini.find("SELECT STATION", "STATION NAME").value_or(""), std::string("ABC"));
    }

    void file_list_rows_and_filters() {
        add_station(db(), "ABC", 1, {"BHZ", "BHN"});
        const double t0 = calendar_to_time(2004, 5, 15, 11, 24, 56) + 0.25;
        add_file(db(), "ABC", "BHZ", t0, 59.999995, 100.0, "ABC/a.BHZ");
        add_file(db(), "ABC", "BHN", t0 + 100.0, 59.9, 0.5, "ABC/b.BHN");
        add_file(db(), "XYZ", "BHZ", t0, 10.0, 100.0, "XYZ/c.BHZ");
        ws->reload_stations(1.0e9);
        FileListDialog::selected_channels_only = false;
        FileListDialog dialog(ws->database, ctx->settings, ctx->ini, ws->stations, 0, messenger, nullptr);
        dialog.show();
        const auto rows = rows_of(*dialog.list());
        QCOMPARE(rows.size(), std::size_t{2});
        QCOMPARE(rows[0], (QStringList{"15/05/2004 11:26:36.250", "00:00:59.9000", "0.500", "ABC/b.BHN", "TEST"}));
        QCOMPARE(rows[1], (QStringList{"15/05/2004 11:24:56.250", "00:01:0.0000", "100", "ABC/a.BHZ", "TEST"}));

        // Ticked with no channel of the station selected: nothing; with BHZ
        // selected: its file.
        QTest::mouseClick(dialog.selected_only(), Qt::LeftButton);
        QCOMPARE(dialog.list()->topLevelItemCount(), 0);
        QVERIFY(FileListDialog::selected_channels_only);
        ws->stations.set_selected(0, 0, true);
        dialog.requery();
        QCOMPARE(dialog.list()->topLevelItemCount(), 1);
        QCOMPARE(dialog.list()->topLevelItem(0)->text(3), QString("ABC/a.BHZ"));
        QTest::mouseClick(dialog.selected_only(), Qt::LeftButton);

        // Files that start between the two fields.
        dialog.from_field()->setDateTime(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t0) + 50, Qt::UTC));
        dialog.to_field()->setDateTime(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t0) + 500, Qt::UTC));
        QTest::mouseClick(dialog.show_between(), Qt::LeftButton);
        QCOMPARE(dialog.list()->topLevelItemCount(), 1);
        QCOMPARE(dialog.list()->topLevelItem(0)->text(3), QString("ABC/b.BHN"));

        // "Ok" without a selected row does nothing; with one it gives the window.
        QTest::mouseClick(dialog.ok_button(), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
        QTest::mouseClick(dialog.ok_button(), Qt::LeftButton);
        QVERIFY(dialog.result());
        QCOMPARE(dialog.result()->start, t0 + 100.0);
        QCOMPARE(dialog.result()->duration, 59.0);
        QVERIFY(ctx->ini.find("FILESLIST", "HDRSIZE"));
        FileListDialog::selected_channels_only = false;
    }

    void create_new_group_numbering_and_no_duplicate_members() {
        add_station(db(), "ABC", 1, {"BHZ"});
        add_station(db(), "DEF", 2, {"BHZ"});
        ws->reload_stations(1.0e9);
        ws->stations.groups() = {{"Group of stations 1", {}}, {"North", {"DEF"}}};
        NetworksDialog dialog(ws->stations, db(), messenger, nullptr);
        dialog.show();
        QTest::mouseClick(dialog.button("Create new group"), Qt::LeftButton);
        close_label_editor(dialog.groups());  // leave the label as it is
        QTest::mouseClick(dialog.button("Create new group"), Qt::LeftButton);
        close_label_editor(dialog.groups());
        QStringList names;
        for (int i = 0; i < dialog.groups()->topLevelItemCount(); ++i)
            names << dialog.groups()->topLevelItem(i)->text(0);
        QCOMPARE(names, (QStringList{"Group of stations 1", "North", "Group of stations 2", "Group of stations 3"}));

        // ">>" twice with ABC onto North (selected through its member): one new
        // member.
        dialog.stations()->setCurrentRow(0);
        dialog.groups()->setCurrentItem(dialog.groups()->topLevelItem(1)->child(0));
        QTest::mouseClick(dialog.button(">>"), Qt::LeftButton);
        QTest::mouseClick(dialog.button(">>"), Qt::LeftButton);
        QCOMPARE(dialog.editor().groups()[1].members, (std::vector<std::string>{"DEF", "ABC"}));
        QCOMPARE(dialog.groups()->topLevelItem(1)->childCount(), 2);

        // "<<" on a group root beeps.
        dialog.groups()->setCurrentItem(dialog.groups()->topLevelItem(0));
        const int beeps = messenger.beeps;
        QTest::mouseClick(dialog.button("<<"), Qt::LeftButton);
        QCOMPARE(messenger.beeps, beeps + 1);
    }

    void networks_save_rewrites_the_table_in_one_transaction() {
        add_station(db(), "ABC", 1, {"BHZ"});
        NetworkRow old;
        old.netname = "Old";
        old.netlist = "ABC;";
        insert_network(db(), old);
        ws->reload_stations(1.0e9);
        QCOMPARE(ws->stations.groups().size(), std::size_t{1});
        auto names_in_table = [this] {
            std::vector<std::string> names;
            for (const NetworkRow& r : read_network_lists(db()))
                names.push_back(r.netname.value_or("") + "=" + r.netlist.value_or(""));
            return names;
        };
        {
            NetworksDialog dialog(ws->stations, db(), messenger, nullptr);
            QTest::mouseClick(dialog.button("Create new group"), Qt::LeftButton);
            close_label_editor(dialog.groups());
            dialog.stations()->setCurrentRow(0);
            QTest::mouseClick(dialog.button(">>"), Qt::LeftButton);
            QTest::mouseClick(dialog.button("Save"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(names_in_table(), (std::vector<std::string>{"Old=ABC;", "Group of stations 1=ABC;"}));

        // A refused insert rolls the whole rewrite back: the table keeps its rows.
        db().execute(
            "CREATE TRIGGER refuse BEFORE INSERT ON NETWORKS WHEN "
            "NEW.NETNAME='Bad' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        {
            NetworksDialog dialog(ws->stations, db(), messenger, nullptr);
            QTest::mouseClick(dialog.button("Create new group"), Qt::LeftButton);
            QLineEdit* editor = label_editor(dialog.groups());
            editor->selectAll();
            QTest::keyClicks(editor, "Bad");
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();  // the delegate commits the label
                                                // queued
            QCOMPARE(dialog.editor().groups().back().name, std::string("Bad"));
            messenger.boxes.clear();
            QTest::mouseClick(dialog.button("Save"), Qt::LeftButton);
            QCOMPARE(messenger.boxes.size(), std::size_t{1});
            QCOMPARE(messenger.boxes[0].icon, MessageIcon::Error);
        }
        QCOMPARE(names_in_table(), (std::vector<std::string>{"Old=ABC;", "Group of stations 1=ABC;"}));
    }

    void new_event_with_an_existing_identifier_is_refused() {
        db().execute("insert into ORIGIN (EVENTID) values ('20040515112456')");
        NewEventDialog dialog(ws->database, ws->event, ctx->notifier, messenger, nullptr);
        dialog.show();
        QCOMPARE(dialog.identifier()->text().size(), 14);
        dialog.identifier()->clear();
        QTest::keyClicks(dialog.identifier(), "20040515112456");
        QTest::keyClick(dialog.identifier(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QString::fromStdString(messenger.boxes.back().text), QString("This identifier already exists"));
        QVERIFY(ws->event.event_id.empty());

        dialog.identifier()->clear();
        QTest::keyClicks(dialog.identifier(), "20040515112457");
        QTest::keyClicks(dialog.comment(), "aftershock");
        QTest::keyClick(dialog.identifier(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ws->event.event_id, std::string("20040515112457      "));
        QCOMPARE(ws->event.comment, std::string("aftershock"));
    }

    void disk_loop_removes_files_and_rows() {
        add_station(db(), "ABC", 1, {"BHZ"});
        ws->reload_stations(1.0e9);
        const fs::path data = folder / "data";
        fs::create_directories(data / "ABC" / "locked.BHZ");  // a non-empty folder: cannot be deleted
        std::ofstream(data / "ABC" / "locked.BHZ" / "inside") << "x";
        std::ofstream(data / "ABC" / "plain.BHZ") << "x";
        add_file(db(), "ABC", "BHZ", 3000.0, 60.0, 100.0, "ABC/plain.BHZ");
        add_file(db(), "ABC", "BHZ", 2000.0, 60.0, 100.0, "ABC/locked.BHZ");
        add_file(db(), "ABC", "BHZ", 1000.0, 60.0, 100.0, "ABC/gone.BHZ");

        DiskLoopDialog dialog(db(), data.string(), ws->stations, ctx->ini, messenger, nullptr);
        dialog.show();
        QVERIFY(!dialog.interval_box()->isChecked());
        dialog.tree()->setCurrentItem(station_item(*dialog.tree(), kAllStationsRoot, "ABC"));
        QCOMPARE(dialog.files()->topLevelItemCount(), 3);
        QCOMPARE(dialog.files()->topLevelItem(0)->text(0), QString("01/01/1970 00:50:00"));
        QCOMPARE(dialog.files()->topLevelItem(0)->text(1), QString("00:01:0.000"));
        QCOMPARE(dialog.files()->topLevelItem(0)->text(2), QString("100.000"));
        QTest::mouseClick(dialog.button("Select all files"), Qt::LeftButton);
        QTest::mouseClick(dialog.button("Remove"), Qt::LeftButton);

        QVERIFY(!fs::exists(data / "ABC" / "plain.BHZ"));
        QCOMPARE(rows_of(*dialog.files()).size(), std::size_t{1});
        QCOMPARE(dialog.files()->topLevelItem(0)->text(3), QString("ABC/locked.BHZ"));
        QCOMPARE(read_filelist(db(), filelist_of_station("ABC")).size(), std::size_t{1});
        QCOMPARE(messenger.boxes.size(), std::size_t{1});
        QCOMPARE(messenger.boxes[0].icon, MessageIcon::Warning);
        QVERIFY(messenger.boxes[0].text.starts_with("Error deleting file  "));
        QCOMPARE(dialog.status_line()->text(), QString());

        // The interval check box disables the list and its buttons.
        QTest::mouseClick(dialog.interval_box(), Qt::LeftButton);
        QVERIFY(!dialog.files()->isEnabled());
        QVERIFY(!dialog.button("Select all files")->isEnabled());
        QVERIFY(dialog.from_field()->isEnabled());
    }

    void css_import_builds_one_pane_per_channel() {
        const fs::path css = fs::path(KRO_SHARED_DATA_DIR) / "css";
        if (!fs::exists(css / "test_css.wfdisc")) QSKIP("no shared CSS 3.0 data");
        add_station(db(), "TESTbe", 1, {"HHZ", "HHE", "HHN"}, 80.0);
        add_station(db(), "TESTle", 2, {"HHZ", "HHE", "HHN"}, 80.0);
        ws->reload_stations(1.0e9);
        // The inventory as the wfdisc lines give it.
        std::vector<std::tuple<std::string, std::string, double, double>> expected;
        std::ifstream in(css / "test_css.wfdisc");
        for (std::string line; std::getline(in, line);)
            if (const auto w = parse_wfdisc_line(line)) expected.emplace_back(w->sta, w->chan, w->time, w->endtime);

        QtMessenger quiet;
        quiet.set_unattended(true);
        MainFrame frame(*ctx, quiet, ws.get());
        frame.resize(1200, 900);
        frame.show();
        frame.waveforms().show();
        QVERIFY(frame.data_commands());
        frame.data_commands()->import_css_folder(css.string());
        QVERIFY(messenger.boxes.empty());
        const auto& panes = frame.waveforms().panes();
        QCOMPARE(panes.size(), expected.size());
        const int h = frame.waveforms().stack_area()->height() / static_cast<int>(expected.size());
        for (std::size_t i = 0; i < panes.size(); ++i) {
            const auto& [sta, chan, t1, t2] = expected[i];
            QCOMPARE(panes[i]->name(), QString("D%1").arg(i));
            QCOMPARE(panes[i]->channel().sta, sta);
            QCOMPARE(panes[i]->channel().chan, chan);
            QCOMPARE(panes[i]->view().span_start, t1);
            QCOMPARE(panes[i]->view().span_length, t2 - t1);
            QCOMPARE(panes[i]->height(), h);
            QVERIFY(!panes[i]->data().blocks().empty());  // read back from the file store
        }
        QCOMPARE(read_filelist(db(), {}).size(), expected.size());
        // A second import replaces the rows of the mixed-case stations (stored upper-cased).
        frame.data_commands()->import_css_folder(css.string());
        QCOMPARE(read_filelist(db(), {}).size(), expected.size());
        QCOMPARE(frame.waveforms().panes().size(), expected.size());
    }

    void redraw_shows_the_selection_matrix_with_each_stations_window() {
        add_station(db(), "ABC", 1, {"BHZ", "BHN", "BHE"});
        add_station(db(), "DEF", 2, {"BHZ"});
        ws->reload_stations(1.0e9);
        ws->stations.set_selected(0, 1, true);
        ws->stations.set_selected(1, 0, true);
        set_window(ws->stations.at(0), 1000.0, 120.0);
        set_window(ws->stations.at(1), 5000.0, 30.0);
        QtMessenger quiet;
        quiet.set_unattended(true);
        MainFrame frame(*ctx, quiet, ws.get());
        frame.resize(1000, 800);
        frame.show();
        QVERIFY(frame.run_command(Receiver::Waveform, 32771));
        const auto& panes = frame.waveforms().panes();
        QCOMPARE(panes.size(), std::size_t{2});
        // Sort order 0: the larger NINDEX first.
        QCOMPARE(panes[0]->channel().sta, std::string("DEF"));
        QCOMPARE(panes[0]->view().span_start, 5000.0);
        QCOMPARE(panes[1]->channel().chan, std::string("BHN"));
        QCOMPARE(panes[1]->view().span_length, 120.0);
    }
};

}  // namespace kro

QTEST_MAIN(kro::DialogsTest)
#include "dialogs_test.moc"
