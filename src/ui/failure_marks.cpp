#include "failure_marks.h"

#include <QFontMetrics>
#include <QPainter>

#include "look.h"

namespace kalvira::ui {

namespace {

constexpr int kMarkHalf = 3;  // a 7 x 7 box round the sample

}  // namespace

FailureMarks::FailureMarks(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("failureMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(interfaceFont());
}

QColor FailureMarks::colour() {
    return {0xFF, 0x8C, 0x00};
}

void FailureMarks::showFailures(std::vector<QPoint> samples, const QString &tag) {
    samples_ = std::move(samples);
    tag_ = tag;
    update();
}

void FailureMarks::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(colour());
    for (const QPoint &at : samples_)
        painter.drawRect(at.x() - kMarkHalf, at.y() - kMarkHalf, 2 * kMarkHalf, 2 * kMarkHalf);
    if (tag_.isEmpty()) return;
    // Bottom left, above the reference's tag and the history's label.
    const QFontMetrics metrics(font());
    const QRect box(4, height() - 3 * (metrics.height() + 8), metrics.horizontalAdvance(tag_) + 8,
                    metrics.height() + 4);
    painter.fillRect(box, kBackgroundColour);
    painter.drawText(box, Qt::AlignCenter, tag_);
}

}  // namespace kalvira::ui
