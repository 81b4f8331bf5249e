// The cursors over the picture: shown with C, moved with the mouse or the keys, read in the box
// in the plot's top right corner. They never redraw the picture beneath them.
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include "analysis/calibration.h"
#include "common/link_facts.h"
#include "cursor_overlay.h"
#include "display/plot_mapping.h"
#include "form1.h"
#include "form1_redraw_host.h"
#include "scope/scope.h"
#include "window_key_filter.h"

namespace kalvira::ui {

namespace {

using analysis::CursorId;

bool isTimeCursor(CursorId id) {
    return id == CursorId::T1 || id == CursorId::T2;
}

}  // namespace

void Form1::createCursors() {
    cursorOverlay_ = new CursorOverlay(this);
    cursorOverlay_->hide();
    setMouseTracking(true);

    connect(addPictureCommand(tr("Cursors"), Qt::Key_C, true), &QAction::toggled, this,
            [this](bool on) {
                cursorsWanted_ = on;
                refreshCursors();
            });

    new WindowKeyFilter(this, [this](const QKeyEvent &event) { return cursorKey(event); });
}

display::PlotMapping Form1::plotMapping() const {
    return display::plotMapping(*redrawHost_, static_cast<float>(width()),
                                static_cast<float>(height()));
}

void Form1::refreshCursors() {
    if (!cursorOverlay_) return;
    const int rate = scope_->settings().rateCode;
    if (!cursorsWanted_ || !scope_->recordShown() || rate < 0) {
        cursorOverlay_->hide();
        return;
    }
    const std::span<const std::int16_t> record = scope_->record();
    const display::PlotMapping mapping = plotMapping();
    // Cursors belong to the record: a new record of the same rate and length keeps them.
    if (!scope_->cursors()) {
        const auto [first, last] =
            display::visibleSamples(mapping, static_cast<std::int32_t>(record.size()));
        scope_->setCursors(analysis::initialCursors(record, first, last));
    }
    const analysis::CursorPositions cursors = *scope_->cursors();
    const auto readings =
        analysis::readCursors(cursors, record, kSampleRates[static_cast<std::size_t>(rate)].period);
    // With a calibration, levels read in volts with the counts beside them; a difference has no
    // zero to take away.
    const auto calibration = calibrationOnScreen();
    const analysis::LevelText level = [&calibration](double counts, bool difference) {
        if (!calibration) return analysis::countsText(counts, difference);
        const double volts = difference ? counts * calibration->voltsPerCount * calibration->probe
                                        : calibration->volts(counts);
        return analysis::formatVolts(volts) + " (" + analysis::countsText(counts, difference) + ")";
    };
    QStringList lines;
    for (const std::string &line : analysis::cursorReadoutLines(readings, level))
        lines << QString::fromStdString(line);
    cursorOverlay_->setGeometry(0, 0, static_cast<int>(mapping.plotWidth), height());
    cursorOverlay_->showCursors(mapping, cursors, selectedCursor_, lines);
    cursorOverlay_->show();
}

void Form1::moveCursorTo(CursorId id, std::int32_t at) {
    const auto cursors = scope_->cursors();
    if (!cursors) return;
    const auto length = static_cast<std::int32_t>(scope_->record().size());
    scope_->setCursors(analysis::placedCursor(*cursors, id, at, length));
    refreshCursors();
}

// 1..4 select a cursor; the arrows move the selected one by a sample or a count, with Shift by
// a division. While the cursors show, the arrows are theirs alone.
bool Form1::cursorKey(const QKeyEvent &event) {
    if (!cursorOverlay_ || cursorOverlay_->isHidden()) return false;
    const int key = event.key();
    if (key >= Qt::Key_1 && key <= Qt::Key_4 &&
        (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        selectedCursor_ = static_cast<CursorId>(key - Qt::Key_1);
        refreshCursors();
        return true;
    }
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    if (!horizontal && !vertical) return false;
    const auto cursors = scope_->cursors();
    if (cursors && horizontal == isTimeCursor(selectedCursor_)) {
        const display::PlotMapping mapping = plotMapping();
        const bool byDivision = event.modifiers() & Qt::ShiftModifier;
        const std::int32_t step = !byDivision ? 1
                                              : (horizontal ? display::samplesPerDivision(mapping)
                                                            : display::countsPerDivision(mapping));
        // Higher counts stand lower on the screen, so Up takes a count away.
        const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
        const auto length = static_cast<std::int32_t>(scope_->record().size());
        scope_->setCursors(
            analysis::movedCursor(*cursors, selectedCursor_, forward ? step : -step, length));
        refreshCursors();
    }
    return true;
}

void Form1::mousePressEvent(QMouseEvent *event) {
    const auto grabbed = cursorOverlay_ && event->button() == Qt::LeftButton
                             ? cursorOverlay_->cursorNear(event->position().toPoint())
                             : std::nullopt;
    if (!grabbed) return QWidget::mousePressEvent(event);
    draggedCursor_ = grabbed;
    selectedCursor_ = *grabbed;
    refreshCursors();
}

void Form1::mouseMoveEvent(QMouseEvent *event) {
    const QPointF at = event->position();
    if (draggedCursor_ && !cursorOverlay_->isHidden()) {
        const display::PlotMapping mapping = plotMapping();
        moveCursorTo(*draggedCursor_, isTimeCursor(*draggedCursor_)
                                          ? display::sampleAtX(mapping, static_cast<float>(at.x()))
                                          : display::levelAtY(mapping, static_cast<float>(at.y())));
        return;
    }
    const auto near = cursorOverlay_ ? cursorOverlay_->cursorNear(at.toPoint()) : std::nullopt;
    if (!near)
        unsetCursor();
    else
        setCursor(isTimeCursor(*near) ? Qt::SizeHorCursor : Qt::SizeVerCursor);
}

void Form1::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) draggedCursor_.reset();
    QWidget::mouseReleaseEvent(event);
}

}  // namespace kalvira::ui
