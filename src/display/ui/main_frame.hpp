#pragma once
// The main frame: the program's only top-level window, titled "Seismic
// data processing system". It holds the four child windows (map, waveform
// window, phase list, workbench), the four tool bars of which only the
// focused child's is shown, the status bar, and the main menu; it routes
// every command to the child window that owns it.

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <map>
#include <memory>

#include "core/app_context.hpp"
#include "display/command_dispatcher.hpp"
#include "display/toolbar_layout.hpp"
#include "display/ui/qt_messenger.hpp"
#include "display/ui/status_bar.hpp"
#include "display/ui/waveform_window.hpp"

namespace kro {

class DataCommands;
class Workstation;

class MainFrame final : public QMainWindow {
public:
    // With a workstation the windows show its stations and data and its
    // commands (selection, file list, networks, import, ...) are handled.
    MainFrame(AppContext& ctx, QtMessenger& messenger, Workstation* workstation = nullptr);
    ~MainFrame() override;

    CommandDispatcher& dispatcher() { return dispatcher_; }
    WaveformWindow& waveforms() { return *waveforms_; }
    KroStatusBar& kro_status_bar() { return *status_bar_; }
    // Null without a workstation.
    DataCommands* data_commands() { return data_.get(); }

    // The child window of a receiver, and its sub-window in the MDI area.
    QWidget* child(Receiver window) const;
    QMdiSubWindow* sub_window(Receiver window) const;
    QMdiArea* mdi_area() const { return mdi_; }
    // Makes a child window the active one; the owner's tool bar follows.
    void activate(Receiver window, bool maximize);
    Receiver active_child() const { return active_; }

    QToolBar* toolbar(std::string_view name) const;
    const ToolbarLayout& toolbar_layout(std::string_view name) const;
    void set_toolbar_layout(std::string_view name, const ToolbarLayout& layout);
    // Opens the customisation dialog of a tool bar ("WAVEFORMS", "PHASELIST").
    void customize_toolbar(std::string_view name);
    QMenu* top_menu(std::string_view title) const;

    // A command asked of the active child window (menus and tool bars of
    // that window), else the frame.
    bool run_command(Receiver window, int id);
    // Enables and checks the tool-bar buttons as the handlers say.
    void update_command_states();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_menus();
    void build_toolbars();
    void fill_toolbar(const ToolbarDef& def);
    void create_children();
    void register_frame_commands();
    void tile(bool horizontally);
    void choose_font();
    void open_settings();

    AppContext& ctx_;
    QtMessenger& messenger_;
    CommandDispatcher dispatcher_;
    QMdiArea* mdi_ = nullptr;
    KroStatusBar* status_bar_ = nullptr;
    WaveformWindow* waveforms_ = nullptr;
    std::map<Receiver, QMdiSubWindow*> subs_;
    std::map<std::string, QToolBar*, std::less<>> toolbars_;
    std::map<std::string, ToolbarLayout, std::less<>> layouts_;
    std::map<std::string, QMenu*, std::less<>> menus_;
    std::map<int, std::unique_ptr<QMenu>> drop_downs_;
    std::unique_ptr<DataCommands> data_;
    QAction* station_group_list_ = nullptr;
    Receiver active_ = Receiver::None;
    bool closing_ = false;
};

}  // namespace kro
