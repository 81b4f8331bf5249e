#pragma once

#include <QDateTime>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "acquisition/run_progress.h"
#include "display/sample_record.h"
#include "option_group.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMessageBox;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTimer;

namespace kalvira::acquisition {
class MeasurementRun;
class QtSerialPort;
}  // namespace kalvira::acquisition
namespace kalvira::display {
class ImageSurface;
}
namespace kalvira::records {
struct RecordFile;
}
class QImage;

namespace kalvira::ui {

class Form1RedrawHost;
class Form1RunHost;
class MeasurementReadout;

// The KALVIRA window: control panel and oscilloscope screen at once. Its controls carry the names
// they have on the form; its handlers are named after control and event.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Controls, in creation order.
    QGroupBox *VoltsPerDiv = nullptr;
    QCheckBox *VoltsPerDiv2 = nullptr;
    QGroupBox *LineStyle = nullptr;
    OptionGroup LineStyleOption;  // 0 "Line", 1 "Dot"
    QScrollBar *Hscroll = nullptr;
    QTimer *Timer1 = nullptr;
    QGroupBox *TrigLevelFrame = nullptr;
    OptionGroup TrigEdge;  // 0 "Fall", 1 "Rise"
    QCheckBox *TrigVisible = nullptr;
    QScrollBar *TrigLevelScroll = nullptr;
    QGroupBox *ComFrame = nullptr;
    QGroupBox *Frame1 = nullptr;
    OptionGroup Com1;  // 0 "COM1", 1 "COM2"
    QGroupBox *TimeFrame = nullptr;
    OptionGroup TimeOption;  // 0 "5sec/Div." .. 13 "1msec/Div."
    QGroupBox *Samples = nullptr;
    QLineEdit *SamplesText = nullptr;
    QScrollBar *SampleScroll = nullptr;
    QGroupBox *SampleTime = nullptr;
    OptionGroup SampleRate;  // 0 "25usec/ 40kSPS" .. 7 "5msec/ 200SPS"
    QGroupBox *trig_frame = nullptr;
    OptionGroup trigger;  // 0 "Ext./Single" .. 3 "Trig./Cont."
    QPushButton *stp = nullptr;
    QPushButton *start = nullptr;
    QPushButton *Kilepes = nullptr;
    acquisition::QtSerialPort *MSComm1 = nullptr;

    // Form-level values; flags are -1 for true, 0 for false.
    std::int16_t KoordinataKorrekcio = 0;  // a sample s is drawn at y = s + KoordinataKorrekcio
    std::int16_t StopGombLenyomva = 0;     // -1 when STOP was pressed
    std::int16_t triglevel = 0;            // trigger level in sample units
    std::int16_t MeresVege = 0;            // -1 while SampleData holds a record to plot
    std::int16_t TizedSec = 0;             // countdown in tenths of a second
    display::SampleRecord SampleData{};    // the committed record, positions 1..N

    // Handlers.
    void Form_Load();
    void Form_Resize();
    void Hscroll_Change();
    void Kilepes_Click();
    void LineStyleOption_Click(int index);
    void SampleRate_Click(int index);
    void SampleScroll_Change();
    void start_Click();
    void stp_Click();
    void TimeOption_Click(int index);
    void Timer1_Timer();
    void TrigLevelScroll_Change();
    void TrigVisible_Click();
    void VoltsPerDiv2_Click();

    // Draws the whole picture again from the current settings and the last complete record.
    void Koord_rendszer_rajzolasa();

    // The retained picture, as the window shows it: the client area's size, pixel for pixel.
    const QImage &picture() const;

    // True from START until the run has ended.
    bool runInProgress() const;

    // Shows the record a file holds with the settings it was taken with, as if just received;
    // false, with a message naming the file and the line, when it cannot be shown (not a record,
    // or a run in progress): then nothing changes.
    bool openRecordFile(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class Form1RedrawHost;
    friend class Form1RunHost;

    void createControls();
    void setTabOrder();
    void connectHandlers();
    void writeRecordLengthText();
    void layoutControls();

    void startRun();
    void wakeRun();

    // Additions beside the controls: the run's progress in the title and the indicator, the
    // measurement readout and the picture's keys and context menu.
    void createAdditions();
    void showRunProgress(bool phaseChangesOnly = false);
    void refreshReadout();
    void contextMenuEvent(QContextMenuEvent *event) override;

    // Records and pictures kept and shared (form1_records.cpp).
    void saveRecord();
    void openRecord();
    void exportPicture();
    void copyPicture();
    records::RecordFile recordOnScreen() const;
    void showRecordFile(const records::RecordFile &file);
    // A message box titled "KALVIRA" with an OK button, open without waiting; gone once closed.
    QMessageBox *showNotice(const QString &text);
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

    std::unique_ptr<display::ImageSurface> surface_;
    std::unique_ptr<Form1RedrawHost> redrawHost_;
    std::unique_ptr<acquisition::MeasurementRun> run_;
    // Declared after run_, so it goes first and takes its message boxes' connections with it.
    std::unique_ptr<Form1RunHost> runHost_;

    QProgressBar *progressBar_ = nullptr;
    acquisition::RunPhase shownPhase_ = acquisition::RunPhase::Idle;
    MeasurementReadout *readout_ = nullptr;
    bool readoutWanted_ = false;
    QDateTime recordTaken_;  // when the record on screen was committed, UTC
    QMenu *pictureMenu_ = nullptr;
};

}  // namespace kalvira::ui
