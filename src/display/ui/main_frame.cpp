#include "display/ui/main_frame.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDialog>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolButton>

#include "db/database.hpp"
#include "display/ui/data_commands.hpp"
#include "display/ui/menu_builder.hpp"
#include "display/ui/settings_sheet.hpp"
#include "display/ui/toolbar_customize_dialog.hpp"
#include "display/ui/trace_font.hpp"

namespace kro {

namespace {

// An empty child window that carries its own menu and tool bar until its
// content is built.
QWidget* make_shell(const QString& title) {
    auto* w = new QWidget;
    w->setObjectName(title);
    w->setWindowTitle(title);
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
    return w;
}

QString qt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

MainFrame::MainFrame(AppContext& ctx, QtMessenger& messenger, Workstation* workstation)
    : ctx_(ctx), messenger_(messenger) {
    setWindowTitle(qt(kStandardCaption));
    setObjectName("CMainFrame");
    messenger_.set_parent(this);

    build_toolbars();
    status_bar_ = new KroStatusBar(this, [this](int id) { run_command(Receiver::Frame, id); });
    setStatusBar(status_bar_);
    messenger_.set_status_sink([this](const std::string& text) { status_bar_->set_status_text(QString::fromStdString(text)); });

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MDIClient");
    setCentralWidget(mdi_);
    create_children();
    build_menus();
    register_frame_commands();
    if (workstation) {
        data_ = std::make_unique<DataCommands>(*this, *workstation);
        data_->install();
    }
    dispatcher_.set_check_listener([this](int, bool) { update_command_states(); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        for (const auto& [receiver, s] : subs_)
            if (s == sub && receiver != active_) {
                active_ = receiver;
                for (const auto& def : toolbar_defs()) toolbars_.at(std::string(def.name))->setVisible(def.owner == receiver);
                update_command_states();
            }
    });
    tile(true);
    activate(Receiver::Waveform, true);
    update_command_states();
}

MainFrame::~MainFrame() {
    // The children go with the frame; nothing may reach back into it meanwhile.
    closing_ = true;
    disconnect(mdi_, nullptr, this, nullptr);
    for (const auto& [receiver, sub] : subs_) sub->removeEventFilter(this);
    dispatcher_.set_check_listener({});
    messenger_.set_status_sink({});
    messenger_.set_parent(nullptr);
    // Windows and tool bars use the dispatcher and the drop-down menus,
    // which are members: they go first.
    delete takeCentralWidget();
    for (const auto& [name, bar] : toolbars_) delete bar;
}

void MainFrame::create_children() {
    struct Child {
        Receiver receiver;
        QString title;
    };
    // Created in the order map, waveform window, phase list, workbench.
    const Child children[] = {{Receiver::Map, "Map"},
                              {Receiver::Waveform, "Waveforms"},
                              {Receiver::PhaseList, "List of phases"},
                              {Receiver::Workbench, "Digital signals processor"}};
    for (const auto& c : children) {
        QWidget* widget = nullptr;
        if (c.receiver == Receiver::Waveform) {
            waveforms_ = new WaveformWindow(ctx_, dispatcher_);
            waveforms_->set_status_sink(
                [this](const std::string& text) { status_bar_->set_status_text(QString::fromStdString(text)); });
            waveforms_->set_label_font(qfont_of(ctx_.settings.trace_font));
            widget = waveforms_;
        } else {
            widget = make_shell(c.title);
        }
        QMdiSubWindow* sub = mdi_->addSubWindow(widget);
        sub->setWindowTitle(c.title);
        sub->setObjectName(c.title + " frame");
        sub->setGeometry(0, 0, 100, 100);
        sub->installEventFilter(this);
        sub->show();
        subs_[c.receiver] = sub;
    }
}

QWidget* MainFrame::child(Receiver window) const {
    const auto it = subs_.find(window);
    return it == subs_.end() ? nullptr : it->second->widget();
}

QMdiSubWindow* MainFrame::sub_window(Receiver window) const {
    const auto it = subs_.find(window);
    return it == subs_.end() ? nullptr : it->second;
}

void MainFrame::activate(Receiver window, bool maximize) {
    QMdiSubWindow* sub = sub_window(window);
    if (!sub) return;
    mdi_->setActiveSubWindow(sub);
    if (maximize) sub->showMaximized();
    sub->widget()->setFocus();
}

QToolBar* MainFrame::toolbar(std::string_view name) const {
    const auto it = toolbars_.find(name);
    return it == toolbars_.end() ? nullptr : it->second;
}

const ToolbarLayout& MainFrame::toolbar_layout(std::string_view name) const { return layouts_.find(name)->second; }

QMenu* MainFrame::top_menu(std::string_view title) const {
    const auto it = menus_.find(title);
    return it == menus_.end() ? nullptr : it->second;
}

bool MainFrame::run_command(Receiver window, int id) {
    const bool handled = dispatcher_.dispatch(window, id);
    if (!closing_) update_command_states();
    return handled;
}

void MainFrame::build_menus() {
    for (const auto& def : main_menu()) {
        QMenu* menu = menuBar()->addMenu(qt(def.title));
        menus_[std::string(def.title)] = menu;
        const Receiver owner = def.owner;
        MenuCallbacks callbacks;
        callbacks.enabled = [this, owner](int id) { return dispatcher_.enabled(owner, id); };
        callbacks.checked = [this](int id) { return dispatcher_.checked(id); };
        callbacks.trigger = [this, owner](int id) { run_command(owner, id); };
        fill_menu(*menu, def.entries, callbacks);
        // Opening a menu activates the window that owns it and widens the prompt pane.
        connect(menu, &QMenu::aboutToShow, this, [this, owner, menu] {
            if (owner != Receiver::Frame) activate(owner, false);
            status_bar_->widen_prompt(true);
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && !a->menu()) a->setEnabled(dispatcher_.enabled(owner, a->data().toInt()));
        });
        connect(menu, &QMenu::aboutToHide, this, [this] { status_bar_->widen_prompt(false); });
        if (def.title == "Windows") {
            // The platform's window menu: the list of the child windows follows.
            connect(menu, &QMenu::aboutToShow, this, [this, menu] {
                for (QAction* a : menu->actions())
                    if (a->property("child").isValid()) delete a;
                menu->addSeparator()->setProperty("child", true);
                int n = 1;
                for (QMdiSubWindow* sub : mdi_->subWindowList()) {
                    QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(sub->windowTitle()));
                    a->setProperty("child", true);
                    a->setCheckable(true);
                    a->setChecked(sub == mdi_->activeSubWindow());
                    connect(a, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
                }
            });
        }
    }
}

void MainFrame::build_toolbars() {
    for (const auto& def : toolbar_defs()) {
        auto* bar = new QToolBar(qt(def.name), this);
        bar->setObjectName(qt(def.name));
        bar->setIconSize(QSize(16, 15));
        bar->setMovable(false);
        addToolBar(Qt::TopToolBarArea, bar);
        toolbars_[std::string(def.name)] = bar;
        bool damaged = false;
        layouts_[std::string(def.name)] = load_toolbar_layout(ctx_.user_settings, def.name, def, &damaged);
        if (damaged)
            messenger_.warning("The stored layout of tool bar " + std::string(def.name) +
                               " is damaged; the standard layout is used");
        fill_toolbar(def);
    }
    // Only "WAVEFORMS" and "MAP" are shown after creation; focus changes follow.
    toolbars_.at("DSP")->hide();
    toolbars_.at("PHASELIST")->hide();
}

void MainFrame::fill_toolbar(const ToolbarDef& def) {
    QToolBar* bar = toolbars_.at(std::string(def.name));
    bar->clear();
    if (def.name == "MAP") station_group_list_ = nullptr;
    for (const int id : layouts_.at(std::string(def.name))) {
        if (id == kToolbarSeparator) {
            bar->addSeparator();
            continue;
        }
        if (id == kStationGroupListId) {
            // The station-group list, filled and shown by the map window.
            auto* list = new QComboBox(bar);
            list->setObjectName(QString::number(kStationGroupListId));
            list->setFixedWidth(200);
            station_group_list_ = bar->addWidget(list);
            station_group_list_->setVisible(false);
            continue;
        }
        QAction* action = bar->addAction(command_icon(id), qt(find_command(id) ? find_command(id)->text : ""));
        action->setData(id);
        action->setObjectName(QString::number(id));
        action->setStatusTip(QString::fromStdString(command_prompt(id)));
        action->setToolTip(QString::fromStdString(command_tool_tip(id)));
        action->setCheckable(is_toggle_command(id));
        const Receiver owner = def.owner;
        connect(action, &QAction::triggered, this, [this, owner, id] { run_command(owner, id); });
        if (std::find(def.drop_downs.begin(), def.drop_downs.end(), id) != def.drop_downs.end()) {
            auto& menu = drop_downs_[id];
            menu = std::make_unique<QMenu>();
            auto* holder = menu.get();
            connect(holder, &QMenu::aboutToShow, this, [this, holder, id] {
                holder->clear();
                if (auto list = waveforms_->drop_down_menu(id)) {
                    for (QAction* a : list->actions()) {
                        a->setParent(holder);
                        holder->addAction(a);
                    }
                }
            });
            action->setMenu(holder);
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
                button->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }
    update_command_states();
}

void MainFrame::set_toolbar_layout(std::string_view name, const ToolbarLayout& layout) {
    const ToolbarDef* def = find_toolbar(name);
    if (!def) return;
    layouts_[std::string(name)] = layout;
    fill_toolbar(*def);
}

void MainFrame::customize_toolbar(std::string_view name) {
    const ToolbarDef* def = find_toolbar(name);
    if (!def) return;
    ToolbarCustomizeDialog dialog(*def, toolbar_layout(name), ctx_.user_settings, messenger_,
                                  [this, name](const ToolbarLayout& l) { set_toolbar_layout(name, l); }, this);
    dialog.exec();
}

void MainFrame::update_command_states() {
    for (const auto& [name, bar] : toolbars_) {
        const ToolbarDef* def = find_toolbar(name);
        for (QAction* a : bar->actions()) {
            const int id = a->data().toInt();
            if (id == 0) continue;
            a->setEnabled(dispatcher_.enabled(def->owner, id));
            if (a->isCheckable()) a->setChecked(dispatcher_.checked(id));
        }
    }
}

void MainFrame::register_frame_commands() {
    auto on = [this](int id, std::function<void()> f) { dispatcher_.register_handler(Receiver::Frame, id, std::move(f)); };
    on(cmd::ActivateWaveforms, [this] { activate(Receiver::Waveform, true); });
    on(cmd::ActivateMap, [this] { activate(Receiver::Map, true); });
    on(cmd::ActivatePhaseList, [this] { activate(Receiver::PhaseList, true); });
    on(cmd::ActivateWorkbench, [this] { activate(Receiver::Workbench, true); });
    on(cmd::Cascade, [this] {
        for (QMdiSubWindow* s : mdi_->subWindowList()) s->showNormal();
        mdi_->cascadeSubWindows();
    });
    on(cmd::TileHorizontally, [this] { tile(true); });
    on(cmd::TileVertically, [this] { tile(false); });
    on(cmd::Exit, [this] { close(); });
    on(cmd::WorkParameters, [this] { open_settings(); });
    on(cmd::Font, [this] { choose_font(); });
    // "Adjust toolbar" of the waveform window and the phase list.
    dispatcher_.register_handler(Receiver::Waveform, cmd::AdjustWaveformToolbar,
                                 [this] { customize_toolbar("WAVEFORMS"); });
    dispatcher_.register_handler(Receiver::PhaseList, cmd::AdjustPhaseListToolbar,
                                 [this] { customize_toolbar("PHASELIST"); });
}

void MainFrame::tile(bool horizontally) {
    const auto subs = mdi_->subWindowList();
    if (subs.isEmpty()) return;
    const QSize area = mdi_->viewport()->size();
    const int n = static_cast<int>(subs.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* s = subs[i];
        s->showNormal();
        if (horizontally) s->setGeometry(0, i * area.height() / n, area.width(), area.height() / n);
        else s->setGeometry(i * area.width() / n, 0, area.width() / n, area.height());
    }
}

void MainFrame::open_settings() {
    SettingsSheet sheet(this);
    OptionsPageState state;
    state.css_connected = ctx_.database && ctx_.database->css_connected();
    auto* options = new OptionsPage(ctx_, state);
    sheet.add_page(options, [options] { options->apply(); });
    auto* waveform_page = new WaveformsSetupPage(waveforms_->flags());
    sheet.add_page(waveform_page, [this, waveform_page] { waveforms_->apply_flags(waveform_page->flags()); });
    sheet.exec();
}

void MainFrame::choose_font() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, qfont_of(ctx_.settings.trace_font), this, "Font");
    if (!ok) return;
    const TraceFont font = trace_font_of(chosen, ctx_.settings.trace_font);
    if (Status s = write_trace_font(ctx_.ini, font); !s) {
        messenger_.error(s.message());
        return;
    }
    ctx_.settings.trace_font = font;
    waveforms_->set_label_font(qfont_of(font));
}

bool MainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        if (status_bar_) status_bar_->set_prompt(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    // The child windows live as long as the frame: their close requests are
    // ignored (the waveform window's panes store their time windows first).
    if (event->type() == QEvent::Close && !closing_)
        for (const auto& [receiver, sub] : subs_)
            if (sub == watched) {
                if (receiver == Receiver::Waveform) waveforms_->store_time_windows();
                event->ignore();
                return true;
            }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    waveforms_->store_time_windows();
    closing_ = true;
    QMainWindow::closeEvent(event);
}

}  // namespace kro
