#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "decode/decoder_info.h"

class QLabel;
class QTableWidget;

namespace kalvira::ui {

// The second window of the decode: its annotations in time order as a table (time, decoder
// row, text). Ctrl+S
// saves them as CSV; a click on a row asks the window to scroll the trace to it. Its size and
// place are remembered between starts.
class AnnotationTableWindow : public QWidget {
    Q_OBJECT
public:
    explicit AnnotationTableWindow(QWidget *parent = nullptr);
    ~AnnotationTableWindow() override;

    // The annotations of the record on screen, taken at the rate; none empties the table and
    // says why in its place.
    void showAnnotations(const std::vector<decode::Annotation> &annotations, int samplesPerSecond);
    void showNothing(const QString &why);

    const QTableWidget &table() const { return *table_; }

signals:
    // A row was clicked: the annotation's first sample, 0 the record's first.
    void annotationChosen(std::uint64_t startSample);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void saveCsv();

    std::vector<decode::Annotation> annotations_;
    int samplesPerSecond_ = 0;
    QTableWidget *table_ = nullptr;
    QLabel *status_ = nullptr;
};

}  // namespace kalvira::ui
