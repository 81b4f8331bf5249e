#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "decode/decoder_info.h"
#include "display/plot_mapping.h"

namespace kalvira::ui {

// The decode of the record on screen as a band of boxes along the bottom of the plot, a lane a
// decoder row, mapped as the trace is so that it scrolls and zooms with it; the decoder's
// warnings and errors in another colour. A child widget over the picture: it paints only
// itself, and hidden (decoding off) it leaves the picture exactly as it was. Mouse events pass
// through to the window.
class AnnotationBand : public QWidget {
    Q_OBJECT
public:
    explicit AnnotationBand(QWidget *parent = nullptr);

    // The annotations of the record on screen, or a message in their place when the decode
    // failed; repaints the band.
    void showAnnotations(std::vector<decode::Annotation> annotations);
    void showProblem(const QString &problem);
    // How the plot maps samples now; repaints the band.
    void setMapping(const display::PlotMapping &mapping);

    // The height the band needs for its lanes, in pixels.
    int bandHeight() const;
    const std::vector<std::string> &lanes() const { return lanes_; }
    const std::vector<decode::Annotation> &annotations() const { return annotations_; }
    const QString &problem() const { return problem_; }

    // The colours of the boxes: the decoder's text, and its warnings and errors.
    static QColor colour();
    static QColor problemColour();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<decode::Annotation> annotations_;
    std::vector<std::string> lanes_;
    QString problem_;
    display::PlotMapping mapping_;
};

}  // namespace kalvira::ui
