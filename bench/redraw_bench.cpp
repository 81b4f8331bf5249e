#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <cmath>
#include <vector>

#include "display/image_surface.h"
#include "display/redraw.h"
#include "fake_redraw_host.h"
#include "recording_surface.h"

namespace kalvira::bench {
namespace {

using display::Koord_rendszer_rajzolasa;
using testing::RecordingSurface;
using testing::SurfaceCall;
using Window = testing::FakeRedrawHost;

// The window at its initial size.
constexpr int kWidth = 704;
constexpr int kHeight = 543;

constexpr int kTime5sec = 0;  // "5sec/Div.": the whole record within 9 pixels, every segment drawn
constexpr int kTime1msec = 13;  // "1msec/Div.": five divisions, 201 segments

// The window with a full 16000-sample record of a mains-frequency sine as the unit sends it: 50 Hz
// at 40000 samples per second (800 samples a period), 400 steps high around the middle of the
// converter's range, with a few steps of noise. No change handlers run and nothing is logged, so
// one benchmark iteration is exactly one redraw.
Window windowAt(int timeOption, int lineStyle) {
    Window window;
    window.keepLog = false;
    window.shown = true;
    window.scope.triggerMarker = true;
    window.scope.recordLength = 16000;
    window.scope.timeBase = timeOption;
    window.scope.dots = lineStyle == 1;
    std::uint32_t noise = 12345;
    for (int k = 1; k <= kMaxRecordLength; ++k) {
        noise = noise * 1103515245u + 12345u;
        const int jitter = static_cast<int>((noise >> 16) % 9) - 4;
        const double phase = 2.0 * 3.14159265358979 * k / 800.0;
        window.record[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(512 + std::lround(400.0 * std::sin(phase)) + jitter);
    }
    return window;
}

std::unique_ptr<display::ImageSurface> imageSurface(bool batching) {
    auto surface = std::make_unique<display::ImageSurface>(
        QColor(0, 0, 0), QColor(0xab, 0xab, 0xab), QGuiApplication::font());
    surface->resize(kWidth, kHeight);
    surface->setReferencePainting(!batching);
    return surface;
}

// Trace segments and dots of one redraw, to report what an iteration draws.
void countTrace(benchmark::State &state, Window &window) {
    RecordingSurface recording(kWidth, kHeight);
    Koord_rendszer_rajzolasa(window, recording);
    int segments = 0;
    int points = 0;
    for (const SurfaceCall &call : recording.calls) {
        if (call.colour != display::kTraceColour) continue;
        segments += call.kind == SurfaceCall::Kind::Line;
        points += call.kind == SurfaceCall::Kind::Point;
    }
    state.counters["segments"] = segments;
    state.counters["points"] = points;
}

// A full redraw on the window's retained image, inside one painting session as the window does.
void BM_RedrawImage(benchmark::State &state) {
    Window window = windowAt(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto surface = imageSurface(state.range(2) != 0);
    for (auto _ : state) {
        surface->begin();
        Koord_rendszer_rajzolasa(window, *surface);
        surface->end();
        benchmark::DoNotOptimize(surface->image().constBits());
    }
    countTrace(state, window);
}
BENCHMARK(BM_RedrawImage)
    ->ArgNames({"time", "dot", "fast"})
    ->Args({kTime5sec, 0, 1})
    ->Args({kTime1msec, 0, 1})
    ->Args({kTime5sec, 1, 1})
    ->Args({kTime5sec, 0, 0})
    ->Args({kTime1msec, 0, 0})
    ->Unit(benchmark::kMicrosecond);

// The same redraw recorded call by call: the cost of the redraw's own arithmetic.
void BM_RedrawRecording(benchmark::State &state) {
    Window window = windowAt(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    RecordingSurface surface(kWidth, kHeight);
    for (auto _ : state) {
        surface.calls.clear();
        Koord_rendszer_rajzolasa(window, surface);
        benchmark::DoNotOptimize(surface.calls.data());
    }
    countTrace(state, window);
}
BENCHMARK(BM_RedrawRecording)
    ->ArgNames({"time", "dot"})
    ->Args({kTime5sec, 0})
    ->Args({kTime1msec, 0})
    ->Args({kTime5sec, 1})
    ->Unit(benchmark::kMicrosecond);

// The yardstick: Qt drawing the trace's own points as one polyline on the same image.
void BM_QtPolyline(benchmark::State &state) {
    Window window = windowAt(static_cast<int>(state.range(0)), 0);
    RecordingSurface recording(kWidth, kHeight);
    Koord_rendszer_rajzolasa(window, recording);
    std::vector<QPoint> trace;
    for (const SurfaceCall &call : recording.calls) {
        if (call.kind != SurfaceCall::Kind::Line || call.colour != display::kTraceColour) {
            continue;
        }
        if (trace.empty()) trace.emplace_back(static_cast<int>(call.x1), static_cast<int>(call.y1));
        trace.emplace_back(static_cast<int>(call.x2), static_cast<int>(call.y2));
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setPen(QPen(QColor(255, 0, 0), 0));
        painter.drawPolyline(trace.data(), static_cast<int>(trace.size()));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["segments"] = static_cast<double>(trace.size()) - 1;
}
BENCHMARK(BM_QtPolyline)
    ->ArgNames({"time"})
    ->Arg(kTime5sec)
    ->Arg(kTime1msec)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvira::bench
