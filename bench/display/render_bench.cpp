// Drawing 24 trace panes of one hour at 100 samples per second into an
// offscreen image: the full rebuild of every pane's picture, and the
// repaint that only copies the pictures.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <vector>

#include "display/channel_source.hpp"
#include "display/ui/trace_painter.hpp"

namespace {

constexpr int kPanes = 24;
constexpr int kWidth = 1580;
constexpr int kPaneHeight = 60;
constexpr double kHour = 3600.0;
constexpr kro::EpochTime kStart = 1296474000.0;

struct Stack {
    std::vector<kro::KRODataBlockArray> data;
    std::vector<QImage> pictures;
    kro::TraceLook look;
    std::vector<kro::ColumnPoint> scratch;

    Stack() {
        kro::SyntheticChannelSource source(kStart, kHour, kStart + 1800.0);
        for (int i = 0; i < kPanes; ++i) {
            kro::ChannelDescription c;
            c.sta = "ST" + std::to_string(i / 3);
            c.chan = std::string("HH") + "ZNE"[i % 3];
            c.sps = 100.0;
            data.emplace_back();
            source.load(c, kStart, kHour, data.back());
            pictures.emplace_back(kWidth, kPaneHeight, QImage::Format_RGB32);
        }
        look.label_font = QGuiApplication::font();
    }

    void rebuild() {
        for (int i = 0; i < kPanes; ++i) {
            kro::TraceScale scale;
            scale.g = kro::pane_geometry(kWidth, kPaneHeight, 13);
            scale.span_start = kStart;
            scale.span_length = kHour;
            scale.limits = kro::displayed_limits(kro::raw_limits_for_rebuild({}, data[static_cast<std::size_t>(i)]));
            QImage& image = pictures[static_cast<std::size_t>(i)];
            image.fill(Qt::white);
            QPainter p(&image);
            kro::paint_raw_picture(p, scale, data[static_cast<std::size_t>(i)], look, scratch);
        }
    }
};

void BM_FullRebuild24PanesOneHour(benchmark::State& state) {
    Stack stack;
    for (auto _ : state) {
        stack.rebuild();
        benchmark::DoNotOptimize(stack.pictures.front().constBits());
    }
    state.counters["samples"] = static_cast<double>(kPanes) * kHour * 100.0;
}
BENCHMARK(BM_FullRebuild24PanesOneHour)->Unit(benchmark::kMillisecond);

void BM_Repaint24Panes(benchmark::State& state) {
    Stack stack;
    stack.rebuild();
    QImage window(kWidth, kPanes * kPaneHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&window);
        for (int i = 0; i < kPanes; ++i) p.drawImage(0, i * kPaneHeight, stack.pictures[static_cast<std::size_t>(i)]);
        p.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_Repaint24Panes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
