// The full redraw of a long cast on the profile graph (curve rebuild from the buffer with
// same-pixel points left out, and the whole painting into a 1920 x 1080 image) beside the
// floor of drawing the same four curves as raw 300,000-point polylines into such an image.
// Target: the redraw costs at most half the floor.

#include "core/graphs/ProfileGraph.h"
#include "gui/plot/ProfileGraphPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace {

using namespace halcyx;

constexpr int kScans = ProfileBuffer::kCapacity - 1; // as many as the graph keeps
constexpr int kWidth = 1920, kHeight = 1080;         // [pixels]
constexpr double kPressureStep = 0.005;              // [dbar per scan]: 1,500 dbar in all
constexpr double kNoise = 0.002;                     // sensor noise, of each value's unit

// A down cast: pressure grows steadily, temperature and conductivity fall through a
// thermocline, salinity rises a little; each value carries a little noise.
std::array<float, kHorizontalAxes> castValues(int scan, double pressure, std::mt19937& random) {
    std::uniform_real_distribution<double> noise(-kNoise, kNoise);
    const double cline = std::exp(-pressure / 200.0);
    return {static_cast<float>(30.0 + 20.0 * cline + noise(random)),
            static_cast<float>(4.0 + 16.0 * cline + noise(random)),
            static_cast<float>(34.0 + 1.0 * (1 - cline) + noise(random)),
            static_cast<float>(1480.0 + 0.017 * scan / 1000.0 + 20 * cline + noise(random))};
}

ProfileGraph& castGraph() {
    static ProfileGraph graph = [] {
        ProfileGraph g;
        g.setAxisChannel(ProfileGraph::kVerticalAxis, 3);
        constexpr std::array<int, kHorizontalAxes> kChannels = {1, 2, 14, 19};
        constexpr std::array<AxisRange, kHorizontalAxes> kRanges = {
            {{25, 55}, {0, 25}, {33, 36}, {1470, 1510}}};
        for (int k = 0; k < kHorizontalAxes; ++k) {
            g.setAxisChannel(k, kChannels[static_cast<std::size_t>(k)]);
            g.setHorizontalRange(k, kRanges[static_cast<std::size_t>(k)]);
        }
        g.setVerticalRange({0, 1600});
        g.setClient({0, 0, kWidth, kHeight});
        std::mt19937 random(7);
        for (int scan = 0; scan < kScans; ++scan) {
            const double pressure = scan * kPressureStep;
            (void)g.addPoint(static_cast<float>(pressure), castValues(scan, pressure, random));
        }
        return g;
    }();
    return graph;
}

void BM_ProfileGraphFullRedraw(benchmark::State& state) {
    ProfileGraph& graph = castGraph();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        graph.rebuildCurves();
        QPainter painter(&image);
        ProfileGraphPainter(graph).draw(painter, image.rect());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["curvePoints"] = static_cast<double>(graph.curve(0).size());
}
BENCHMARK(BM_ProfileGraphFullRedraw)->Unit(benchmark::kMillisecond);

// Every scan of the same cast as a device point of its curve, nothing left out.
std::array<QPolygon, kHorizontalAxes> rawPolylines() {
    const ProfileGraph& graph = castGraph();
    const PixelRect plot = graph.layout().plot;
    const AxisScale down(graph.vertical().range, plot.top, plot.bottom);
    const auto depths = graph.buffer().stored(graph.vertical().channel);
    std::array<QPolygon, kHorizontalAxes> lines;
    for (int k = 0; k < kHorizontalAxes; ++k) {
        const AxisScale across(graph.horizontal(k).range, plot.left, plot.right);
        const auto values = graph.buffer().stored(graph.horizontal(k).channel);
        QPolygon& line = lines[static_cast<std::size_t>(k)];
        line.reserve(static_cast<qsizetype>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i)
            line.append(QPoint(across.toPixel(values[i]), down.toPixel(depths[i])));
    }
    return lines;
}

void BM_RawPolylineFloor(benchmark::State& state) {
    const std::array<QPolygon, kHorizontalAxes> lines = rawPolylines();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        for (const QPolygon& line : lines)
            painter.drawPolyline(line);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = static_cast<double>(lines[0].size());
}
BENCHMARK(BM_RawPolylineFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Text needs the font database of a GUI application; no screen is used.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
