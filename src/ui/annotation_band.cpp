#include "annotation_band.h"

#include <QFontMetrics>
#include <QPainter>

#include "annotation_band_layout.h"
#include "look.h"

namespace kalvira::ui {

namespace {

constexpr int kLaneHeight = 15;
constexpr int kNarrowest = 3;  // pixels: a box narrower than this is a tick without text

}  // namespace

AnnotationBand::AnnotationBand(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("annotationBand"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = interfaceFont();
    font.setPixelSize(10);
    setFont(font);
}

QColor AnnotationBand::colour() {
    return {0xFF, 0xD0, 0x40};
}

QColor AnnotationBand::problemColour() {
    return {0xFF, 0x40, 0x40};
}

void AnnotationBand::showAnnotations(std::vector<decode::Annotation> annotations) {
    annotations_ = std::move(annotations);
    lanes_ = bandLanes(annotations_);
    problem_.clear();
    update();
}

void AnnotationBand::showProblem(const QString &problem) {
    annotations_.clear();
    lanes_.clear();
    problem_ = problem;
    update();
}

void AnnotationBand::setMapping(const display::PlotMapping &mapping) {
    mapping_ = mapping;
    update();
}

int AnnotationBand::bandHeight() const {
    return kLaneHeight * std::max<int>(1, static_cast<int>(lanes_.size())) + 2;
}

void AnnotationBand::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!problem_.isEmpty()) {
        painter.setPen(problemColour());
        painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, problem_);
        return;
    }
    const QFontMetrics metrics(font());
    for (const BandBox &box : bandBoxes(mapping_, annotations_, lanes_)) {
        const decode::Annotation &annotation = annotations_[box.annotation];
        const QColor ink = annotation.problem ? problemColour() : colour();
        const int top = 1 + static_cast<int>(box.lane) * kLaneHeight;
        const QRect area(box.left, top, std::max(box.right - box.left, 1), kLaneHeight - 2);
        painter.fillRect(area, kBackgroundColour);
        painter.setPen(ink);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        if (area.width() < kNarrowest) continue;
        const QString text = metrics.elidedText(QString::fromStdString(bandText(annotation)),
                                                Qt::ElideRight, area.width() - 4);
        painter.drawText(area.adjusted(2, 0, -2, 0), Qt::AlignCenter, text);
    }
}

}  // namespace kalvira::ui
