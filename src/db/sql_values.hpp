#pragma once
// Numbers as the catalogue's statements give them to the server. The
// statements once formatted their values into the text ("%.3f", "%f",
// "%ld"); bound as parameters they keep exactly the value the server read
// from that text.

namespace kro {

// The value of the time written with "%.3f" (rounded to milliseconds).
double sql_millis(double t);
// The value of the time written with "%f" (rounded to microseconds).
double sql_micros(double t);
// The time truncated toward zero to whole seconds, as "%ld" wrote it.
double sql_whole_seconds(double t);

}  // namespace kro
