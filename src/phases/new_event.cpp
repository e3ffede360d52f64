#include "phases/new_event.hpp"

#include "core/messenger.hpp"
#include "core/time_format.hpp"
#include "db/database.hpp"
#include "db/events.hpp"
#include "db/next_id.hpp"
#include "db/odbc.hpp"

namespace kro {

namespace {

std::string cut(std::string s, std::size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

}  // namespace

std::string proposed_event_identifier() { return new_event_identifier(); }

NewEventOutcome begin_new_event(Database& db, CurrentEvent& event, EventNotifier& notifier,
                                const std::string& identifier, const std::string& comment, Messenger& messenger) {
    const std::string id = cut(identifier, 32);
    const std::string text = cut(comment, 128);
    int orid = -1;
    try {
        if (origin_exists(db.main(), id)) {
            messenger.message_box("This identifier already exists", kStandardCaption, MessageIcon::Error,
                                  MessageButtons::Ok);
            return NewEventOutcome::Exists;
        }
        orid = next_orid(db);
        OriginRow row;
        row.eventid = id;
        row.comment = text;
        row.lddate = local_now();
        row.orid = orid;
        insert_origin(db.main(), db.comment_column(), row);
    } catch (const DbError& e) {
        messenger.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
        return NewEventOutcome::Failed;
    }
    event.orid = orid;
    event.comment = text;
    event.event_id = id.size() < 20 ? id + std::string(20 - id.size(), ' ') : id;
    start_new_event(event, notifier);
    return NewEventOutcome::Created;
}

}  // namespace kro
