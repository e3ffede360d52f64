#include "display/ui/settings_sheet.hpp"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "display/ui/waveform_window.hpp"

namespace kro {

SettingsSheet::SettingsSheet(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Settings");
    setObjectName("Settings");
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        for (auto& apply : apply_) apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SettingsSheet::add_page(QWidget* page, std::function<void()> apply) {
    tabs_->addTab(page, page->windowTitle());
    apply_.push_back(std::move(apply));
}

OptionsPage::OptionsPage(AppContext& ctx, const OptionsPageState& state, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setWindowTitle("Options");
    setObjectName("CSetWorkingDirDlg");
    const AppSettings& s = ctx_.settings;
    data_folder_ = new QLineEdit(QString::fromStdString(s.data_folder), this);
    out_folder_ = new QLineEdit(QString::fromStdString(s.out_folder), this);
    css_folder_ = new QLineEdit(QString::fromStdString(s.css_data_path), this);
    css_folder_->setMaxLength(255);
    ims_folder_ = new QLineEdit(QString::fromStdString(s.ims_reb_path), this);
    ims_folder_->setMaxLength(255);

    travel_time_sets_ = new QComboBox(this);
    const int total = parse_decimal(ctx_.ini.get_text("GODOGRAPH", "Total#", "0", 32), 0);
    for (int i = 0; i < total; ++i)
        travel_time_sets_->addItem(
            QString::fromStdString(ctx_.ini.get_text("GODOGRAPH", "NAME" + std::to_string(i), "", 128)));
    initial_set_ = s.travel_time_set;
    if (initial_set_ >= 0 && initial_set_ < total) travel_time_sets_->setCurrentIndex(initial_set_);
    travel_time_sets_->setEnabled(!state.phases_present);

    auto* source = new QGroupBox("Load waveform data ", this);
    from_main_ = new QRadioButton("from main database", source);
    from_wfdisc_ = new QRadioButton("from secondary database in CSS format ( table wfdisc)", source);
    from_wfdisc_->setEnabled(state.css_connected);
    (state.css_connected && s.waveforms_from_wfdisc ? from_wfdisc_ : from_main_)->setChecked(true);
    auto* source_layout = new QVBoxLayout(source);
    source_layout->addWidget(from_main_);
    source_layout->addWidget(from_wfdisc_);

    save_to_css_ = new QCheckBox("Save processing results in secondary database", this);
    save_to_css_->setChecked(s.save_to_css);

    auto* form = new QFormLayout(this);
    form->addRow("Catalogue with data", data_folder_);
    form->addRow("Catalogue for keeping processing results", folder_row(out_folder_, "Select catalogue"));
    form->addRow("Catalogue with hodographs", travel_time_sets_);
    form->addRow("Main catalogue for loading data in format CSS 3.0",
                 folder_row(css_folder_, "Select base catalogue for load data files in format CSS 3.0"));
    form->addRow("Main catalogue for loading data in format IMS REB", folder_row(ims_folder_, "Select catalogue"));
    form->addRow(source);
    form->addRow(save_to_css_);
}

QWidget* OptionsPage::folder_row(QLineEdit* edit, const QString& picker_title) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    auto* button = new QPushButton("...", row);
    button->setFixedWidth(28);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, edit, picker_title] {
        const QString folder = QFileDialog::getExistingDirectory(this, picker_title, edit->text());
        if (!folder.isEmpty()) edit->setText(folder);
    });
    return row;
}

void OptionsPage::apply() {
    AppSettings& s = ctx_.settings;
    s.data_folder = data_folder_->text().toStdString();
    s.out_folder = out_folder_->text().toStdString();
    s.css_data_path = css_folder_->text().toStdString();
    s.ims_reb_path = ims_folder_->text().toStdString();
    s.waveforms_from_wfdisc = from_wfdisc_->isChecked();
    s.save_to_css = save_to_css_->isChecked();

    std::vector<std::string> failures;
    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        if (Status st = ctx_.ini.write(section, key, value); !st) failures.push_back(st.message());
    };
    write("OUT", "DIR", s.out_folder);
    const int chosen = travel_time_sets_->currentIndex();
    if (chosen >= 0 && chosen != initial_set_) {
        s.travel_time_set = chosen;
        s.travel_time_folder = ctx_.ini.get_text("GODOGRAPH", "DIR" + std::to_string(chosen), "\\", 120);
        write("GODOGRAPH", "N#", std::to_string(chosen));
        ctx_.notifier.notify_travel_times_changed();
    }
    write("DIR", "CSSDATAPATH", s.css_data_path);
    write("DIR", "IMSREBPATH", s.ims_reb_path);
    write("DATABASE", "SAVETOCSSDB", s.save_to_css ? "1" : "0");
    if (!failures.empty()) ctx_.messenger->error(failures.front());
}

WaveformsSetupPage::WaveformsSetupPage(const WaveformFlags& flags, QWidget* parent)
    : QWidget(parent), initial_(flags) {
    setWindowTitle("Windows options \"Waveforms\"");
    setObjectName("CWaveformsSetupPage");
    time_grid_ = new QCheckBox("Show grid for time scale", this);
    draw_waveforms_ = new QCheckBox("Draw diagrams of waveforms", this);
    automatic_scaling_ = new QCheckBox("Automatic scling of diagrams", this);
    time_grid_->setChecked(flags.time_grid);
    draw_waveforms_->setChecked(flags.draw_waveforms);
    automatic_scaling_->setChecked(flags.automatic_scaling);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(time_grid_);
    layout->addWidget(draw_waveforms_);
    layout->addWidget(automatic_scaling_);
    layout->addStretch(1);
}

WaveformFlags WaveformsSetupPage::flags() const {
    WaveformFlags f = initial_;
    f.time_grid = time_grid_->isChecked();
    f.draw_waveforms = draw_waveforms_->isChecked();
    f.automatic_scaling = automatic_scaling_->isChecked();
    return f;
}

}  // namespace kro
