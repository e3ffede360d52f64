#pragma once
// The "Settings" sheet and its pages: the "Options" page (folders,
// travel-time set, waveform source, save-to-CSS flag) and the waveform
// page. Each page applies its own changes when the sheet is confirmed.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <functional>
#include <vector>

#include "core/app_context.hpp"
#include "display/ui/waveform_flags.hpp"

namespace kro {

class SettingsSheet final : public QDialog {
public:
    explicit SettingsSheet(QWidget* parent);
    // Adds a page; `apply` runs when the sheet is confirmed.
    void add_page(QWidget* page, std::function<void()> apply);
    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
    std::vector<std::function<void()>> apply_;
};

// What the options page needs to know beyond the settings.
struct OptionsPageState {
    bool css_connected = false;   // the CSS 3.0 database is connected
    bool phases_present = false;  // the phase list holds phases
};

class OptionsPage final : public QWidget {
public:
    OptionsPage(AppContext& ctx, const OptionsPageState& state, QWidget* parent = nullptr);
    // Takes the data and output folders and the waveform source into memory,
    // writes OUT DIR, N# (when another set was chosen), CSSDATAPATH,
    // IMSREBPATH and SAVETOCSSDB. A write that fails is reported and the
    // remaining keys are still written.
    void apply();

    QLineEdit* data_folder() const { return data_folder_; }
    QLineEdit* out_folder() const { return out_folder_; }
    QLineEdit* css_folder() const { return css_folder_; }
    QLineEdit* ims_folder() const { return ims_folder_; }
    QComboBox* travel_time_sets() const { return travel_time_sets_; }
    QRadioButton* from_main() const { return from_main_; }
    QRadioButton* from_wfdisc() const { return from_wfdisc_; }
    QCheckBox* save_to_css() const { return save_to_css_; }

private:
    QWidget* folder_row(QLineEdit* edit, const QString& picker_title);

    AppContext& ctx_;
    int initial_set_ = 0;
    QLineEdit* data_folder_;
    QLineEdit* out_folder_;
    QLineEdit* css_folder_;
    QLineEdit* ims_folder_;
    QComboBox* travel_time_sets_;
    QRadioButton* from_main_;
    QRadioButton* from_wfdisc_;
    QCheckBox* save_to_css_;
};

class WaveformsSetupPage final : public QWidget {
public:
    explicit WaveformsSetupPage(const WaveformFlags& flags, QWidget* parent = nullptr);
    WaveformFlags flags() const;

    QCheckBox* time_grid() const { return time_grid_; }
    QCheckBox* draw_waveforms() const { return draw_waveforms_; }
    QCheckBox* automatic_scaling() const { return automatic_scaling_; }

private:
    WaveformFlags initial_;
    QCheckBox* time_grid_;
    QCheckBox* draw_waveforms_;
    QCheckBox* automatic_scaling_;
};

}  // namespace kro
