#pragma once
// The "Scale" dialog of a trace pane: the raw and processed vertical limits.

#include <QWidget>

#include "display/trace_view.hpp"

namespace kro {

// Shows the dialog preset with the limits; on OK stores the four values
// and gives true. A field that is not a number beeps and keeps the dialog open.
bool edit_waveform_scale(QWidget* parent, Limits& raw, Limits& processed);

}  // namespace kro
