#pragma once
// The dialogs of saved channel lists: "Load list of stations" chooses one,
// "Save list of selected channels and stations" names one; both remove.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <optional>
#include <string>

#include "core/settings_tree.hpp"

namespace kro {

class Messenger;

// The list of profiles both dialogs show: "List name" (70 % of the width)
// and "List" (each entry "STA:CHAN;").
class ProfileList final : public QTreeWidget {
public:
    ProfileList(const SettingsTree& settings, QWidget* parent);
    void fill();
    // Deletes the selected profile with its entries and its row; beeps without one.
    void remove_selected(SettingsTree& settings, Messenger& messenger);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const SettingsTree& settings_;
};

class LoadProfilesDialog final : public QDialog {
public:
    LoadProfilesDialog(SettingsTree& settings, Messenger& messenger, QWidget* parent);
    // "KRO\waveforms-\" + the chosen name after "Select".
    const std::optional<std::string>& key() const { return key_; }
    ProfileList* list() const { return list_; }
    void accept() override;

private:
    Messenger& messenger_;
    ProfileList* list_;
    std::optional<std::string> key_;
};

class SaveProfilesDialog final : public QDialog {
public:
    SaveProfilesDialog(SettingsTree& settings, Messenger& messenger, QWidget* parent);
    // The name after "OK".
    std::string name() const { return name_->text().toStdString(); }
    QLineEdit* name_field() const { return name_; }
    ProfileList* list() const { return list_; }
    void accept() override;

private:
    Messenger& messenger_;
    ProfileList* list_;
    QLineEdit* name_;
};

}  // namespace kro
