#pragma once
// The masked time-entry fields as widgets: a fixed template in which only
// the underscore positions take characters, digits only where the mask
// says so; a refused key beeps. The rules are core/masked_fields.hpp.

#include <QLineEdit>

#include "core/masked_fields.hpp"

namespace kro {

class MaskedEdit final : public QLineEdit {
public:
    MaskedEdit(const MaskSpec& mask, QWidget* parent = nullptr);

    const MaskSpec& mask() const { return mask_; }
    // Replaces the text; characters beyond the template are dropped and a
    // short text is completed from the template.
    void set_field_text(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const MaskSpec& mask_;
};

// The four field kinds of the dialogs.
inline MaskedEdit* make_date_edit(QWidget* parent) { return new MaskedEdit(kDateEditMask, parent); }
inline MaskedEdit* make_time_edit(QWidget* parent) { return new MaskedEdit(kTimeEditMask, parent); }
inline MaskedEdit* make_time_ms_edit(QWidget* parent) { return new MaskedEdit(kTimeEditMsMask, parent); }
inline MaskedEdit* make_date_time_edit(QWidget* parent) { return new MaskedEdit(kDateTimeEditMask, parent); }

}  // namespace kro
