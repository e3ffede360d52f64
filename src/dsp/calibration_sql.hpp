#pragma once
// Statements on the CALIBRATION table (poles and zeros in column SAC, AFR
// tables in column FAP) and on FILELIST for the calibration of a file.
// Every text value is quoted with its single quotes doubled.

#include <string>
#include <string_view>

#include "core/time.hpp"

namespace kro {

// The database kind of the main connection that writes dates as
// {d '%Y-%m-%d'}; every other kind writes {ts '%Y-%m-%d %H:%M:%S'}.
inline constexpr int kDatabaseKindPostgres = 4;

// Location codes tried, in this order, with an empty network.
inline constexpr std::string_view kCalibrationLocations[] = {"??", "10", "00"};

// `text` with every single quote doubled, for use between single quotes.
std::string sql_quote_escape(std::string_view text);

// The date literal of the SAC statement for the database kind, with its
// surrounding blanks: " {ts '2004-01-01 12:00:00' } " or " {d '2004-01-01' } ".
std::string calibration_date_literal(int database_kind, EpochTime t);

// SELECT SAC ... valid at `t` (truncated to whole seconds by the caller).
std::string select_calibration_sac(std::string_view sta, std::string_view chan, EpochTime t, int database_kind,
                                   std::string_view network, std::string_view location);

// SELECT FAP ... valid at `t`; without a time, the row whose ENDDATE is empty.
std::string select_calibration_fap(std::string_view sta, std::string_view chan, EpochTime t,
                                   std::string_view network, std::string_view location);
std::string select_calibration_fap_current(std::string_view sta, std::string_view chan, std::string_view network,
                                           std::string_view location);

// The row filter of the FILELIST file holding `t` and the statement that
// reads its CALIB.
std::string filelist_calib_filter(std::string_view sta, std::string_view chan, EpochTime t);
std::string select_filelist_calib(std::string_view sta, std::string_view chan, EpochTime t);

}  // namespace kro
