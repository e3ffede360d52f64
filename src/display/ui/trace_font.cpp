#include "display/ui/trace_font.hpp"

#include <QApplication>
#include <QFontInfo>
#include <cstdlib>

namespace kro {

QFont qfont_of(const TraceFont& f) {
    QFont font(QString::fromStdString(f.lfFaceName));
    if (f.lfHeight != 0) font.setPixelSize(std::abs(f.lfHeight));
    else font.setPointSizeF(QApplication::font().pointSizeF());
    if (f.lfWeight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(f.lfWeight, 1, 1000)));
    font.setItalic(f.lfItalic != 0);
    font.setUnderline(f.lfUnderline != 0);
    font.setStrikeOut(f.lfStrikeOut != 0);
    return font;
}

TraceFont trace_font_of(const QFont& font, const TraceFont& base) {
    TraceFont f = base;
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    f.lfHeight = -pixels;
    f.lfWidth = 0;
    f.lfWeight = static_cast<int>(font.weight());
    f.lfItalic = font.italic() ? 1 : 0;
    f.lfUnderline = font.underline() ? 1 : 0;
    f.lfStrikeOut = font.strikeOut() ? 1 : 0;
    f.lfFaceName = font.family().toStdString();
    return f;
}

}  // namespace kro
