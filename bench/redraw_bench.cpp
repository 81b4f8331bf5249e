#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <vector>

#include "bench_window.h"
#include "display/image_surface.h"
#include "display/recording_surface.h"
#include "display/redraw.h"

namespace kalvira::bench {
namespace {

using display::Koord_rendszer_rajzolasa;

// The window at its initial size.
constexpr int kWidth = 704;
constexpr int kHeight = 543;

constexpr int kTime5sec = 0;  // "5sec/Div.": the whole record within 9 pixels, every segment drawn
constexpr int kTime1msec = 13;  // "1msec/Div.": five divisions, 201 segments

BenchWindow windowAt(int timeOption, int lineStyle) {
    BenchWindow window;
    window.timeOption = timeOption;
    window.lineStyle = lineStyle;
    window.loadSineRecord();
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
void countTrace(benchmark::State &state, BenchWindow &window) {
    display::RecordingSurface recording(kWidth, kHeight);
    Koord_rendszer_rajzolasa(window, recording);
    int segments = 0;
    int points = 0;
    for (const display::SurfaceCall &call : recording.calls()) {
        if (call.colour != display::kTraceColour) continue;
        segments += call.kind == display::SurfaceCall::Kind::Line;
        points += call.kind == display::SurfaceCall::Kind::Point;
    }
    state.counters["segments"] = segments;
    state.counters["points"] = points;
}

// A full redraw on the window's retained image, inside one painting session as the window does.
void BM_RedrawImage(benchmark::State &state) {
    BenchWindow window =
        windowAt(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
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
    BenchWindow window =
        windowAt(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    display::RecordingSurface surface(kWidth, kHeight);
    for (auto _ : state) {
        surface.forget();
        Koord_rendszer_rajzolasa(window, surface);
        benchmark::DoNotOptimize(surface.calls().data());
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
    BenchWindow window = windowAt(static_cast<int>(state.range(0)), 0);
    display::RecordingSurface recording(kWidth, kHeight);
    Koord_rendszer_rajzolasa(window, recording);
    std::vector<QPoint> trace;
    for (const display::SurfaceCall &call : recording.calls()) {
        if (call.kind != display::SurfaceCall::Kind::Line || call.colour != display::kTraceColour) {
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
