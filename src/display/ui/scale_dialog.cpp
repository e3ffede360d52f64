#include "display/ui/scale_dialog.hpp"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>

namespace kro {

namespace {

class ScaleDialog final : public QDialog {
public:
    ScaleDialog(QWidget* parent, const Limits& raw, const Limits& processed) : QDialog(parent) {
        setWindowTitle("Scale");
        setObjectName("CEditWaveformScale");
        auto* form = new QFormLayout(this);
        raw_max_ = field("1162", raw.max);
        raw_min_ = field("1145", raw.min);
        processed_max_ = field("1146", processed.max);
        processed_min_ = field("1147", processed.min);
        form->addRow("Maximum", raw_max_);
        form->addRow("Minimum", raw_min_);
        form->addRow("Maximum of converted signal", processed_max_);
        form->addRow("Minimum of converted signal", processed_min_);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        form->addRow(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &ScaleDialog::accept_if_valid);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }

    Limits raw() const { return {value(raw_min_), value(raw_max_)}; }
    Limits processed() const { return {value(processed_min_), value(processed_max_)}; }

private:
    QLineEdit* field(const char* name, double v) {
        auto* edit = new QLineEdit(QString::number(v, 'g', 12), this);
        edit->setObjectName(name);
        return edit;
    }
    static double value(const QLineEdit* edit) { return QLocale::c().toDouble(edit->text().trimmed()); }
    void accept_if_valid() {
        for (QLineEdit* e : {raw_max_, raw_min_, processed_max_, processed_min_}) {
            bool ok = false;
            QLocale::c().toDouble(e->text().trimmed(), &ok);
            if (!ok) {
                QApplication::beep();
                e->setFocus();
                e->selectAll();
                return;
            }
        }
        accept();
    }

    QLineEdit* raw_max_;
    QLineEdit* raw_min_;
    QLineEdit* processed_max_;
    QLineEdit* processed_min_;
};

}  // namespace

bool edit_waveform_scale(QWidget* parent, Limits& raw, Limits& processed) {
    ScaleDialog dialog(parent, raw, processed);
    if (dialog.exec() != QDialog::Accepted) return false;
    raw = dialog.raw();
    processed = dialog.processed();
    return true;
}

}  // namespace kro
