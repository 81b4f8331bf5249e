#include "cursor_overlay.h"

#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <cstdlib>

#include "look.h"

namespace kalvira::ui {

namespace {

using analysis::CursorId;

constexpr int kGrabDistance = 4;  // pixels either side of a line

struct CursorLine {
    CursorId id;
    const char *name;
    std::int32_t position;
};

std::array<CursorLine, 4> linesOf(const analysis::CursorPositions &positions) {
    return {
        CursorLine{CursorId::T1, "T1", positions.t1}, CursorLine{CursorId::T2, "T2", positions.t2},
        CursorLine{CursorId::V1, "V1", positions.v1}, CursorLine{CursorId::V2, "V2", positions.v2}};
}

bool isTime(CursorId id) {
    return id == CursorId::T1 || id == CursorId::T2;
}

}  // namespace

CursorOverlay::CursorOverlay(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("cursorOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(interfaceFont());
}

QColor CursorOverlay::colour() {
    return {0xFF, 0x00, 0xFF};
}

void CursorOverlay::showCursors(const display::PlotMapping &mapping,
                                const analysis::CursorPositions &positions,
                                std::optional<analysis::CursorId> selected,
                                const QStringList &readout) {
    mapping_ = mapping;
    positions_ = positions;
    selected_ = selected;
    readout_ = readout;
    update();
}

std::optional<analysis::CursorId> CursorOverlay::cursorNear(QPoint point) const {
    if (isHidden() || !rect().contains(point)) return std::nullopt;
    for (const CursorLine &line : linesOf(positions_)) {
        const int distance =
            isTime(line.id)
                ? std::abs(display::sampleX(mapping_, line.position) - point.x())
                : std::abs(static_cast<int>(display::levelY(mapping_, line.position)) - point.y());
        if (distance <= kGrabDistance) return line.id;
    }
    return std::nullopt;
}

void CursorOverlay::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int width = static_cast<int>(mapping_.plotWidth);
    const int height = this->height();
    QPen dashed(colour(), 1, Qt::DashLine);

    // A tag: the cursor's name in a small box, filled when the cursor is selected.
    const auto drawTag = [&](int x, int y, const QString &text, bool selectedTag) {
        const QRect box(x, y, metrics.horizontalAdvance(text) + 4, metrics.height());
        painter.fillRect(box, selectedTag ? colour() : kBackgroundColour);
        painter.setPen(selectedTag ? kBackgroundColour : colour());
        painter.drawText(box, Qt::AlignCenter, text);
    };

    for (const CursorLine &line : linesOf(positions_)) {
        const bool selectedLine = selected_ == line.id;
        const QString name = QString::fromLatin1(line.name);
        painter.setPen(dashed);
        if (isTime(line.id)) {
            const int x = display::sampleX(mapping_, line.position);
            const int tagY = height - 3 * metrics.height();  // above the history label
            if (x < 0) {
                drawTag(0, tagY, QStringLiteral("◀") + name, selectedLine);
            } else if (x >= width) {
                drawTag(width - metrics.horizontalAdvance(name + QStringLiteral("▶")) - 4, tagY,
                        name + QStringLiteral("▶"), selectedLine);
            } else {
                painter.drawLine(x, 0, x, height - 1);
                drawTag(x + 2, tagY, name, selectedLine);
            }
        } else {
            const int y = static_cast<int>(display::levelY(mapping_, line.position));
            const int tagX = width - metrics.horizontalAdvance(QStringLiteral("▲V1")) - 8;
            if (y < 0) {
                drawTag(tagX, 0, QStringLiteral("▲") + name, selectedLine);
            } else if (y >= height) {
                drawTag(tagX, height - metrics.height(), QStringLiteral("▼") + name, selectedLine);
            } else {
                painter.drawLine(0, y, width - 1, y);
                drawTag(tagX, y - metrics.height(), name, selectedLine);
            }
        }
    }

    if (readout_.isEmpty()) return;
    int boxWidth = 0;
    for (const QString &text : readout_)
        boxWidth = std::max(boxWidth, metrics.horizontalAdvance(text));
    const QRect box(width - boxWidth - 12, 16, boxWidth + 8,
                    static_cast<int>(readout_.size()) * metrics.lineSpacing() + 8);
    painter.fillRect(box, kBackgroundColour);
    painter.setPen(colour());
    int baseline = box.top() + 4 + metrics.ascent();
    for (const QString &text : readout_) {
        painter.drawText(box.left() + 4, baseline, text);
        baseline += metrics.lineSpacing();
    }
}

}  // namespace kalvira::ui
