// The window's redraw of a full 16000-sample record at its design size at "0,1sec/Div.", all of it
// in view, with the reference under the trace and without it, its layer made afresh each time.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <cmath>

#include "scope/scope.h"
#include "scope_record.h"
#include "ui/form1.h"

namespace kalvira::bench {
namespace {

void redrawWithReference(benchmark::State &state) {
    ui::Form1 form;
    form.resize(704, 543);
    form.show();
    form.findChild<QScrollBar *>(QStringLiteral("SampleScroll"))->setValue(160);
    form.findChild<QAbstractButton *>(QStringLiteral("TimeOption_5"))->click();  // "0,1sec/Div."
    std::vector<std::int16_t> samples;
    for (int k = 1; k <= 16000; ++k)
        samples.push_back(
            static_cast<std::int16_t>(512 + std::lround(400.0 * std::sin(k * 2 * M_PI / 800.0))));
    testing::showSamples(form.scope(), samples);
    form.Koord_rendszer_rajzolasa();
    for (QAction *action : form.actions()) {
        if (action->text() == QStringLiteral("Set as reference")) action->trigger();
        if (action->text() == QStringLiteral("Reference") && !state.range(0)) action->trigger();
    }
    QApplication::processEvents();
    for (auto _ : state) form.Koord_rendszer_rajzolasa();
    state.SetLabel(state.range(0) ? "reference shown" : "reference hidden");
}
BENCHMARK(redrawWithReference)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvira::bench
