#pragma once
// "Beging new earthquake's processing": the identifier and comment of a new
// event. "Ok" adds its ORIGIN row and makes it the current event; an
// identifier that exists is refused and the dialog stays open.

#include <QDialog>
#include <QLineEdit>

namespace kro {

class Database;
class Messenger;
class EventNotifier;
struct CurrentEvent;

class NewEventDialog final : public QDialog {
public:
    NewEventDialog(Database& db, CurrentEvent& event, EventNotifier& notifier, Messenger& messenger, QWidget* parent);
    QLineEdit* identifier() const { return identifier_; }
    QLineEdit* comment() const { return comment_; }
    void accept() override;

private:
    Database& db_;
    CurrentEvent& event_;
    EventNotifier& notifier_;
    Messenger& messenger_;
    QLineEdit* identifier_;
    QLineEdit* comment_;
};

}  // namespace kro
