#include "display/ui/toolbar_customize_dialog.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "display/ui/menu_builder.hpp"

namespace kro {

ToolbarCustomizeDialog::ToolbarCustomizeDialog(const ToolbarDef& def, ToolbarLayout current, SettingsTree& settings,
                                               Messenger& messenger, std::function<void(const ToolbarLayout&)> apply,
                                               QWidget* parent)
    : QDialog(parent), def_(def), layout_(std::move(current)), settings_(settings), messenger_(messenger),
      apply_(std::move(apply)) {
    setWindowTitle("Customize Toolbar");
    setObjectName(QString::fromLatin1(def.name.data(), static_cast<qsizetype>(def.name.size())));
    if (Status s = save_toolbar_layout(settings_, kToolbarTempValue, layout_); !s) messenger_.error(s.message());

    available_ = new QListWidget(this);
    current_ = new QListWidget(this);
    auto* add = new QPushButton("Add ->", this);
    auto* remove = new QPushButton("<- Remove", this);
    auto* up = new QPushButton("Move Up", this);
    auto* down = new QPushButton("Move Down", this);
    auto* reset = new QPushButton("Reset", this);
    auto* close = new QPushButton("Close", this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Available toolbar buttons:", this), 0, 0);
    grid->addWidget(new QLabel("Current toolbar buttons:", this), 0, 2);
    grid->addWidget(available_, 1, 0, 6, 1);
    grid->addWidget(add, 1, 1);
    grid->addWidget(remove, 2, 1);
    grid->addWidget(current_, 1, 2, 6, 1);
    grid->addWidget(close, 1, 3);
    grid->addWidget(reset, 2, 3);
    grid->addWidget(up, 4, 3);
    grid->addWidget(down, 5, 3);

    connect(add, &QPushButton::clicked, this, [this] {
        const QListWidgetItem* item = available_->currentItem();
        if (!item) return;
        const int at = current_->currentRow() < 0 ? static_cast<int>(layout_.size()) : current_->currentRow();
        insert(item->data(Qt::UserRole).toInt(), at);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (current_->currentRow() >= 0) this->remove(current_->currentRow());
    });
    connect(up, &QPushButton::clicked, this, [this] {
        const int row = current_->currentRow();
        if (row > 0) move(row, row - 1);
    });
    connect(down, &QPushButton::clicked, this, [this] {
        const int row = current_->currentRow();
        if (row >= 0 && row + 1 < static_cast<int>(layout_.size())) move(row, row + 1);
    });
    connect(reset, &QPushButton::clicked, this, [this] { this->reset(); });
    connect(close, &QPushButton::clicked, this, [this] { finish(); });
    refill();
}

void ToolbarCustomizeDialog::refill() {
    auto label = [](int id) {
        if (id == kToolbarSeparator) return QString("Separator");
        const std::string prompt = command_prompt(id);
        return QString::fromStdString(prompt.substr(0, 60));
    };
    const int row = current_->currentRow();
    available_->clear();
    current_->clear();
    auto add_item = [&](QListWidget* list, int id) {
        auto* item = new QListWidgetItem(id == kToolbarSeparator ? QIcon() : command_icon(id), label(id), list);
        item->setData(Qt::UserRole, id);
    };
    add_item(available_, kToolbarSeparator);
    for (int id : def_.buttons)
        if (id != kToolbarSeparator && std::find(layout_.begin(), layout_.end(), id) == layout_.end())
            add_item(available_, id);
    for (int id : layout_) add_item(current_, id);
    current_->setCurrentRow(std::min(row, current_->count() - 1));
}

void ToolbarCustomizeDialog::changed() {
    if (apply_) apply_(layout_);
    refill();
}

void ToolbarCustomizeDialog::insert(int id, int index) {
    if (layout_.size() >= kMaxToolbarButtons) return messenger_.beep();
    if (id != kToolbarSeparator && std::find(def_.buttons.begin(), def_.buttons.end(), id) == def_.buttons.end())
        return messenger_.beep();
    index = std::clamp(index, 0, static_cast<int>(layout_.size()));
    layout_.insert(layout_.begin() + index, id);
    changed();
}

void ToolbarCustomizeDialog::remove(int index) {
    if (index < 0 || index >= static_cast<int>(layout_.size())) return;
    layout_.erase(layout_.begin() + index);
    changed();
}

void ToolbarCustomizeDialog::move(int from, int to) {
    const int n = static_cast<int>(layout_.size());
    if (from < 0 || from >= n || to < 0 || to >= n) return;
    const int id = layout_[static_cast<std::size_t>(from)];
    layout_.erase(layout_.begin() + from);
    layout_.insert(layout_.begin() + to, id);
    changed();
}

void ToolbarCustomizeDialog::reset() {
    layout_ = load_toolbar_layout(settings_, kToolbarTempValue, def_);
    changed();
}

void ToolbarCustomizeDialog::finish() {
    const std::string name(def_.name);
    if (Status s = save_toolbar_layout(settings_, name, layout_); !s) messenger_.error(s.message());
    QDialog::accept();
}

}  // namespace kro
