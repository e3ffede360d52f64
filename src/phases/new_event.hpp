#pragma once
// "Start processing for new earthquake": a new ORIGIN row and a fresh
// current event.

#include <string>

#include "phases/current_event.hpp"

namespace kro {

class Database;
class Messenger;

// The identifier the dialog proposes: the local clock as "%Y%m%d%H%M%S".
std::string proposed_event_identifier();

enum class NewEventOutcome {
    Created,  // the row exists and the current event is the new one
    Exists,   // "This identifier already exists" was shown; nothing changed
    Failed,   // a database error was shown; nothing changed
};

// Adds the ORIGIN row (EVENTID, the comment, LDDATE now, ORID from the
// "orid" counter) unless the identifier exists, then makes it the current
// event: identifier padded with blanks to 20 characters, the comment, the
// orid, and start_new_event (picks emptied, hypocentre undefined, Mb and Ms
// -999, station estimates -1). `identifier` is cut to 32 and `comment` to
// 128 characters.
NewEventOutcome begin_new_event(Database& db, CurrentEvent& event, EventNotifier& notifier,
                                const std::string& identifier, const std::string& comment, Messenger& messenger);

}  // namespace kro
