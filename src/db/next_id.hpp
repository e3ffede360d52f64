#pragma once
// New CSS 3.0 identifiers (arid, orid, commid, magid, ampid) drawn from a
// LASTID counter table.

#include <string>

#include "db/odbc.hpp"

namespace kro {

class Database;

// On `connection`: "update lastid set keyvalue=keyvalue+1 where
// keyname='%s'", then "select keyvalue from LASTID where keyname='%s'"; the
// new value, or -1 when either statement or the fetch does not end in
// plain success (a missing counter row included) or the value is no number.
int next_id(Connection& connection, const std::string& key);

// Chooses the connection: the main one when LOCALLASTID is 1, else the CSS
// 3.0 one, and -1 at once when that is not connected.
int next_id(Database& database, const std::string& key);

inline int next_arid(Database& db) { return next_id(db, "arid"); }
inline int next_orid(Database& db) { return next_id(db, "orid"); }
inline int next_commid(Database& db) { return next_id(db, "commid"); }
inline int next_magid(Database& db) { return next_id(db, "magid"); }
inline int next_ampid(Database& db) { return next_id(db, "ampid"); }

}  // namespace kro
