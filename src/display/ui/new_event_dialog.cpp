#include "display/ui/new_event_dialog.hpp"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include "phases/new_event.hpp"

namespace kro {

NewEventDialog::NewEventDialog(Database& db, CurrentEvent& event, EventNotifier& notifier, Messenger& messenger,
                               QWidget* parent)
    : QDialog(parent), db_(db), event_(event), notifier_(notifier), messenger_(messenger) {
    setWindowTitle("Beging new earthquake's processing");
    setObjectName("NewEventDialog");
    identifier_ = new QLineEdit(QString::fromStdString(proposed_event_identifier()), this);
    identifier_->setObjectName("Identifier");
    identifier_->setMaxLength(32);
    comment_ = new QLineEdit(this);
    comment_->setObjectName("Comment");
    comment_->setMaxLength(128);
    comment_->setMinimumWidth(320);
    auto* ok = new QPushButton("Ok", this);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setAutoDefault(false);
    auto* form = new QFormLayout(this);
    form->addRow("Identifier", identifier_);
    form->addRow("Comment", comment_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    form->addRow(row);
    connect(ok, &QPushButton::clicked, this, &NewEventDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void NewEventDialog::accept() {
    const auto outcome = begin_new_event(db_, event_, notifier_, identifier_->text().toStdString(),
                                         comment_->text().toStdString(), messenger_);
    if (outcome == NewEventOutcome::Created) QDialog::accept();
}

}  // namespace kro
