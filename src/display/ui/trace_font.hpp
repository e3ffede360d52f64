#pragma once
// The trace font of KRO.INI (section FONT, the fields of a Windows LOGFONT)
// as a QFont and back.

#include <QFont>

#include "core/config.hpp"

namespace kro {

// lfHeight < 0: character height in pixels; > 0: cell height in pixels;
// 0: the default size. lfWeight 0 is normal.
QFont qfont_of(const TraceFont& font);
// The fields a font chooser sets; the others keep their values from `base`.
TraceFont trace_font_of(const QFont& font, const TraceFont& base);

}  // namespace kro
