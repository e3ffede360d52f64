#pragma once
// The customisation dialog of a tool bar. When it opens the tool bar's
// layout is kept under KRO\TOOLBAR value "TMP"; "Reset" goes back to it;
// every change is applied to the tool bar at once; closing stores the
// layout under the tool bar's name.

#include <QDialog>
#include <QListWidget>
#include <functional>

#include "core/messenger.hpp"
#include "core/settings_tree.hpp"
#include "display/toolbar_layout.hpp"

namespace kro {

class ToolbarCustomizeDialog final : public QDialog {
public:
    ToolbarCustomizeDialog(const ToolbarDef& def, ToolbarLayout current, SettingsTree& settings, Messenger& messenger,
                           std::function<void(const ToolbarLayout&)> apply, QWidget* parent = nullptr);

    const ToolbarLayout& layout() const { return layout_; }
    // The operations of the dialog's buttons.
    void insert(int id, int index);  // id 0: a separator
    void remove(int index);
    void move(int from, int to);
    void reset();
    // Stores the layout under the tool bar's name and closes.
    void finish();

    QListWidget* available_list() const { return available_; }
    QListWidget* current_list() const { return current_; }

protected:
    void reject() override { finish(); }

private:
    void changed();
    void refill();

    const ToolbarDef& def_;
    ToolbarLayout layout_;
    SettingsTree& settings_;
    Messenger& messenger_;
    std::function<void(const ToolbarLayout&)> apply_;
    QListWidget* available_;
    QListWidget* current_;
};

}  // namespace kro
