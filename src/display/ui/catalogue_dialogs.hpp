#pragma once
// The wfdisc folder mapping: "List of catalogues" and its entry dialog
// "Editing representation of catalogues". The list dialog changes the
// mapping in memory at once and, when it is left with "Exit" after a
// change, writes section DIRSMAP of KRO.INI whole.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/profile_file.hpp"

namespace kro {

class Messenger;
using FolderMap = std::vector<std::pair<std::string, std::string>>;

class CatalogueEntryDialog final : public QDialog {
public:
    // `names`: the dir values of the CSS 3.0 wfdisc table. With `existing`
    // the dialog edits that entry and its name cannot change.
    CatalogueEntryDialog(const std::vector<std::string>& names, const std::pair<std::string, std::string>* existing,
                         Messenger& messenger, QWidget* parent);
    QComboBox* name_field() const { return name_; }
    QLineEdit* folder_field() const { return folder_; }
    std::pair<std::string, std::string> entry() const;
    void accept() override;

private:
    Messenger& messenger_;
    QComboBox* name_;
    QLineEdit* folder_;
};

class CataloguesDialog final : public QDialog {
public:
    // `mapping` is the mapping in use; `wfdisc_dirs` gives the dir values offered.
    CataloguesDialog(FolderMap& mapping, ProfileFile& ini, Messenger& messenger,
                     std::function<std::vector<std::string>()> wfdisc_dirs, QWidget* parent);
    QTreeWidget* list() const { return list_; }

    // Puts an entry in (replacing the folder of a mapped name).
    void put(const std::pair<std::string, std::string>& entry);
    void remove_selected();
    // "Exit": writes DIRSMAP when the mapping changed.
    void exit();
    // When set, the entry dialog is not shown: the entry comes from here
    // (given the entry being changed, or null for "Add").
    std::function<std::optional<std::pair<std::string, std::string>>(const std::pair<std::string, std::string>*)>
        ask_entry;

protected:
    void reject() override { exit(); }

private:
    void fill();
    void edit(bool change);

    FolderMap& mapping_;
    ProfileFile& ini_;
    Messenger& messenger_;
    std::function<std::vector<std::string>()> wfdisc_dirs_;
    QTreeWidget* list_;
    bool changed_ = false;
};

}  // namespace kro
