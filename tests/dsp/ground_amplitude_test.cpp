#include "dsp/ground_amplitude.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "../core/test_support.hpp"
#include "dsp/afr.hpp"
#include "dsp/conversion_codes.hpp"
#include "dsp/filter_record.hpp"
#include "dsp/instruments.hpp"
#include "dsp/simulate.hpp"

namespace kro {
namespace {

// A database answering SELECTs by a fragment of their text; every statement is kept.
struct FakeDatabase {
    std::vector<std::pair<std::string, std::string>> rows;  // fragment -> first column; the first match answers
    std::string failure;                      // when set, every statement fails with it
    std::vector<std::string> statements;

    QueryFirstText query() {
        return [this](const std::string& sql, std::optional<std::string>& value) -> Status {
            statements.push_back(sql);
            if (!failure.empty()) return Status::failure(failure);
            value.reset();
            for (const auto& [fragment, text] : rows)
                if (sql.find(fragment) != std::string::npos) {
                    value = text;
                    break;
                }
            return {};
        };
    }
};

AmplitudeMeasurement measurement(int type, double p, double t) {
    AmplitudeMeasurement m;
    m.sta = "FUR";
    m.chan = "BHZ";
    m.processed_type = type;
    m.peak_to_peak = p;
    m.period = t;
    m.t1 = 1072958400.5;
    return m;
}

TEST(GroundAmplitudeAfr, TakesTheFirstLocationWithATableAndDividesByTheFileCalib) {
    FakeDatabase db;
    db.rows = {{"(LOCATION='10')", "FAP\n0.1 10 0\n1 20 0\n10 40 0"},
               {"SELECT FAP", ""},  // "??" gives a row without table rows: not found
               {"FROM FILELIST", "4"}};
    RecordingMessenger messenger;
    const auto g = ground_amplitude_afr(measurement(kBandPass, 100.0, 2.0), db.query(), "", false, messenger);
    ASSERT_TRUE(g);
    EXPECT_NEAR(g->amplitude, 100.0 * (10 + (20 - 10) * (0.5 - 0.1) / 0.9) / 4 / 2, 1e-6);
    EXPECT_EQ(g->magnification, -1.0);
    EXPECT_EQ(g->period, 2.0);
    EXPECT_TRUE(messenger.boxes.empty());
    ASSERT_EQ(db.statements.size(), 3u);
    EXPECT_NE(db.statements[0].find("(LOCATION='?" "?')"), std::string::npos);
    EXPECT_NE(db.statements[1].find("(LOCATION='10')"), std::string::npos);
}

TEST(GroundAmplitudeAfr, FileCalibThatMeansNoCalibrationDividesByOne) {
    struct Case {
        std::optional<std::string> calib;
        bool wfd;
        double divisor;
    } cases[] = {{"32484", false, 1}, {"0", false, 1}, {std::nullopt, false, 1}, {"2.5", false, 2.5}, {"2.5", true, 1}};
    for (const auto& c : cases) {
        FakeDatabase db;
        db.rows = {{"SELECT FAP", "0.1 10 0\n10 10 0"}};
        if (c.calib) db.rows.push_back({"FROM FILELIST", *c.calib});
        RecordingMessenger messenger;
        const auto g = ground_amplitude_afr(measurement(kBandPass, 8.0, 1.0), db.query(), "", c.wfd, messenger);
        ASSERT_TRUE(g);
        EXPECT_DOUBLE_EQ(g->amplitude, 8.0 * 10 / c.divisor / 2) << c.calib.value_or("no row") << " wfd " << c.wfd;
    }
}

TEST(GroundAmplitudeAfr, FallsBackToTheAfrFileWhichHoldsItsEndValues) {
    test::TempFolder dir;
    const std::string file = afr_file_path(dir.path().string(), "FUR.BHZ");
    test::write_file(file, "3\n0.1 1\n1 2\n10 5\n");
    FakeDatabase db;
    RecordingMessenger messenger;
    struct Case {
        double period, afr;
    } cases[] = {{0.05, 5}, {1.0, 2}, {100.0, 1}, {2.0, 1 + (2 - 1) * (0.5 - 0.1) / 0.9}};
    for (const auto& c : cases) {
        const auto g = ground_amplitude_afr(measurement(kBandPass, 10.0, c.period), db.query(), file, true, messenger);
        ASSERT_TRUE(g);
        EXPECT_NEAR(g->amplitude, 10.0 * c.afr / 2, 1e-6) << c.period;
    }
    EXPECT_TRUE(messenger.boxes.empty());
}

TEST(GroundAmplitudeAfr, ReportsWhatIsMissingOrBroken) {
    test::TempFolder dir;
    const std::string missing = dir.file("RESPONSE/none.afr");
    {
        FakeDatabase db;
        RecordingMessenger messenger;
        EXPECT_FALSE(ground_amplitude_afr(measurement(kBandPass, 1, 1), db.query(), missing, false, messenger));
        ASSERT_EQ(messenger.boxes.size(), 1u);
        EXPECT_EQ(messenger.boxes[0].text,
                  "File not found " + missing + " with AFR for channel 'BHZ' station 'FUR'");
        EXPECT_EQ(messenger.boxes[0].caption, "Error");
        EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Error);
    }
    {
        FakeDatabase db;
        db.failure = "[unixODBC] connection lost";
        RecordingMessenger messenger;
        EXPECT_FALSE(ground_amplitude_afr(measurement(kBandPass, 1, 1), db.query(), missing, false, messenger));
        ASSERT_EQ(messenger.boxes.size(), 1u);
        EXPECT_EQ(messenger.boxes[0].text, "[unixODBC] connection lost");
        EXPECT_EQ(messenger.boxes[0].caption, "Database error");
    }
    {
        FakeDatabase db;
        db.rows = {{"SELECT FAP", "0.1 1\nbroken row"}};
        RecordingMessenger messenger;
        EXPECT_FALSE(ground_amplitude_afr(measurement(kBandPass, 1, 1), db.query(), missing, false, messenger));
        ASSERT_EQ(messenger.boxes.size(), 1u);
        EXPECT_NE(messenger.boxes[0].text.find("row 2"), std::string::npos) << messenger.boxes[0].text;
    }
}

TEST(GroundAmplitude, ConvertedTracesAreInNanometresEitherWay) {
    const double wa_at_2s = instrument_response(kPzWoodAnderson, 0.5);
    struct Case {
        int type;
        bool normalize;
        double amplitude, magnification;
    } cases[] = {
        {kPzVelocity, true, 300.0 / 2000, -1},  // no response defined for velocity
        {kPzDisplacement, true, 300.0 / 2000, 1},
        {kPzWoodAnderson, false, 300.0 / 2000, -1},
        {kPzWoodAnderson, true, 300.0 / 1000 / wa_at_2s / 2, wa_at_2s},
        {kAfrWoodAnderson, true, 300.0 / 2000, -1},
    };
    for (const auto& c : cases) {
        auto m = measurement(c.type, 300.0, 2.0);
        m.normalize = c.normalize;
        FakeDatabase db;
        RecordingMessenger messenger;
        for (const auto& g : {ground_amplitude_afr(m, db.query(), "", false, messenger),
                              ground_amplitude_calib(m, std::nullopt, messenger)}) {
            ASSERT_TRUE(g) << c.type;
            EXPECT_DOUBLE_EQ(g->amplitude, c.amplitude) << c.type;
            EXPECT_DOUBLE_EQ(g->magnification, c.magnification) << c.type;
        }
        EXPECT_TRUE(db.statements.empty());
    }
}

TEST(GroundAmplitudeCalib, UsesTheBlockCalibOrSaysItIsMissing) {
    RecordingMessenger messenger;
    const auto g = ground_amplitude_calib(measurement(kBandPass, 50.0, 0.5), 2.0, messenger);
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->amplitude, 0.5 * 50.0 * 2.0 / 1000 / 2);
    EXPECT_EQ(g->magnification, -1.0);

    for (std::optional<double> calib : {std::optional<double>{}, std::optional<double>{-1.0}}) {
        RecordingMessenger m;
        EXPECT_FALSE(ground_amplitude_calib(measurement(kBandPass, 50.0, 0.5), calib, m));
        ASSERT_EQ(m.boxes.size(), 1u);
        EXPECT_EQ(m.boxes[0].text, "No calib and calper for channel 'BHZ' station 'FUR'");
        EXPECT_EQ(m.boxes[0].caption, "Error KRO");
    }

    KRODataBlockArray blocks("FUR", "BHZ");
    KRODataBlock a;
    a.sps = 10;
    a.start = 100;
    a.samples.resize(1000);
    a.calib = 3;
    KRODataBlock b = a;
    b.start = 200;
    b.calib = 5;
    blocks.append(a);
    blocks.append(b);
    EXPECT_EQ(block_calib_at(blocks, 150), 3.0);
    EXPECT_EQ(block_calib_at(blocks, 200), 5.0);
    EXPECT_EQ(block_calib_at(blocks, 300), std::nullopt);
}

TEST(Simulate, ReportsMissingDescriptionsAndKeepsTheSeries) {
    const std::vector<float> series(100, 1.0f);
    ConversionSources sources;
    sources.sta = "FUR";
    sources.chan = "BHZ";
    sources.span_start = 1072958400.25;
    FakeDatabase db;
    sources.query = db.query();
    {
        RecordingMessenger messenger;
        EXPECT_FALSE(simulate(series, 20.0, kPzWoodAnderson, sources, messenger));
        ASSERT_EQ(messenger.boxes.size(), 1u);
        EXPECT_EQ(messenger.boxes[0].text, "Error opening calibration table for channel BHZstation FUR");
        EXPECT_EQ(messenger.boxes[0].caption, "");
        EXPECT_EQ(db.statements.size(), 3u) << "locations ??, 10 and 00 are tried";
    }
    {
        RecordingMessenger messenger;
        sources.afr_file = "/nonexistent/RESPONSE/FUR.BHZ";
        EXPECT_FALSE(simulate(series, 20.0, kAfrWoodAnderson, sources, messenger));
        EXPECT_EQ(messenger.beeps, 1);
        EXPECT_TRUE(messenger.boxes.empty());
    }
    {
        RecordingMessenger messenger;
        EXPECT_FALSE(simulate(series, 20.0, kAfrVelocity, sources, messenger));
        EXPECT_EQ(messenger.boxes.size(), 1u);
    }
}

TEST(Simulate, ConvertsWithThePolesAndZerosOfTheDatabase) {
    FakeDatabase db;
    db.rows = {{"(LOCATION='00')", "ZEROS 0\nPOLES 0\nCONSTANT 1e9\n"}};
    ConversionSources sources;
    sources.sta = "FUR";
    sources.chan = "BHZ";
    sources.query = db.query();
    std::vector<float> series(400);
    for (std::size_t j = 0; j < series.size(); ++j) series[j] = static_cast<float>(std::cos(0.2 * double(j)));
    RecordingMessenger messenger;
    const auto out = simulate(series, 20.0, kPzDisplacement, sources, messenger);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), series.size());
    EXPECT_NEAR((*out)[200], series[200], 0.02) << "a flat recording of 1e9 gives the input back";
    EXPECT_TRUE(messenger.boxes.empty());
}

}  // namespace
}  // namespace kro
