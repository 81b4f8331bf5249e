// One cursor move in the real window at its design size over a full 16000-sample record: the key
// goes through the window's key handling, and the overlay is painted at once, as the screen
// would paint it on the next frame.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <cmath>

#include "scope/scope.h"
#include "scope_record.h"
#include "ui/cursor_overlay.h"
#include "ui/form1.h"

namespace kalvira::bench {
namespace {

void cursorMove(benchmark::State &state) {
    ui::Form1 form;
    form.resize(704, 543);
    form.show();
    form.findChild<QScrollBar *>(QStringLiteral("SampleScroll"))->setValue(160);
    std::vector<std::int16_t> samples;
    for (int k = 1; k <= 16000; ++k)
        samples.push_back(
            static_cast<std::int16_t>(512 + std::lround(400.0 * std::sin(k * 2 * M_PI / 800.0))));
    testing::showSamples(form.scope(), samples);
    form.Koord_rendszer_rajzolasa();
    for (QAction *action : form.actions())
        if (action->text() == QStringLiteral("Cursors")) action->trigger();
    auto *overlay = form.findChild<ui::CursorOverlay *>(QStringLiteral("cursorOverlay"));
    QApplication::processEvents();

    int step = 0;
    for (auto _ : state) {
        // Back and forth, so the cursor stays on the record however long the loop runs.
        QKeyEvent key(QEvent::KeyPress, (step++ / 100) % 2 ? Qt::Key_Left : Qt::Key_Right,
                      Qt::NoModifier);
        QApplication::sendEvent(&form, &key);
        overlay->repaint();
    }
}

BENCHMARK(cursorMove)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvira::bench
