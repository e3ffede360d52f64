#include "display/ui/masked_edit.hpp"

#include <QApplication>
#include <QKeyEvent>

namespace kro {

MaskedEdit::MaskedEdit(const MaskSpec& mask, QWidget* parent) : QLineEdit(parent), mask_(mask) {
    setObjectName(QString::fromLatin1(mask.class_name.data(), static_cast<qsizetype>(mask.class_name.size())));
    setText(QString::fromLatin1(mask.templ.data(), static_cast<qsizetype>(mask.templ.size())));
    setMaxLength(static_cast<int>(mask.templ.size()));
    // Wide enough for the whole template with digits in it.
    const QString widest(static_cast<qsizetype>(mask.templ.size()), QLatin1Char('0'));
    setMinimumWidth(fontMetrics().horizontalAdvance(widest) + 16);
    setCursorPosition(0);
}

void MaskedEdit::set_field_text(const QString& text) {
    QString t = QString::fromLatin1(mask_.templ.data(), static_cast<qsizetype>(mask_.templ.size()));
    for (int i = 0; i < t.size() && i < text.size(); ++i) t[i] = text[i];
    setText(t);
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End ||
        key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter ||
        key == Qt::Key_Escape || (event->modifiers() & Qt::ControlModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    std::string text = this->text().toStdString();
    std::size_t pos = static_cast<std::size_t>(cursorPosition());
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        // Clearing puts the template character back and keeps the layout.
        if (key == Qt::Key_Backspace) {
            while (pos > 0 && !mask_is_entry_position(mask_, pos - 1)) --pos;
            if (pos == 0) return QApplication::beep();
            --pos;
        }
        if (pos >= text.size() || !mask_is_entry_position(mask_, pos)) return QApplication::beep();
        text[pos] = '_';
        setText(QString::fromStdString(text));
        setCursorPosition(static_cast<int>(pos));
        return;
    }
    const QString typed = event->text();
    if (typed.size() != 1) return QLineEdit::keyPressEvent(event);
    while (pos < text.size() && !mask_is_entry_position(mask_, pos)) ++pos;
    const char c = typed[0].toLatin1();
    if (pos >= text.size() || !mask_accepts_key(mask_, text, pos, c)) return QApplication::beep();
    text[pos] = c;
    ++pos;
    while (pos < text.size() && !mask_is_entry_position(mask_, pos)) ++pos;
    setText(QString::fromStdString(text));
    setCursorPosition(static_cast<int>(pos));
}

}  // namespace kro
