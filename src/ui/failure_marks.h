#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <vector>

namespace kalvira::ui {

// What shows a failing record on the picture: a small box round each sample outside the mask and
// a tag in the plot's bottom left corner naming what failed. A child widget over the plot that
// paints only itself: hidden, it leaves the picture exactly as it was. Mouse events pass through.
class FailureMarks : public QWidget {
    Q_OBJECT
public:
    explicit FailureMarks(QWidget *parent = nullptr);

    // Where the failing samples stand on screen, and the tag ("FAIL f · mask 3 samples").
    void showFailures(std::vector<QPoint> samples, const QString &tag);

    const QString &tag() const { return tag_; }
    const std::vector<QPoint> &marks() const { return samples_; }

    // The marks' colour: an orange none of the picture's colours, the cursors' or the reference's.
    static QColor colour();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<QPoint> samples_;
    QString tag_;
};

}  // namespace kalvira::ui
