#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "acquisition/run_progress.h"
#include "analysis/calibration.h"
#include "analysis/cursor_readings.h"
#include "option_group.h"
#include "scope/scope_front_end.h"

class QAction;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QImage;
class QKeyEvent;
class QKeySequence;
class QLabel;
class QLineEdit;
class QMenu;
class QMessageBox;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTimer;

namespace kalvira::acquisition {
class QtSerialPort;
}  // namespace kalvira::acquisition
namespace kalvira::display {
class ImageSurface;
struct PlotMapping;
}  // namespace kalvira::display
namespace kalvira::records {
struct RecordFile;
}  // namespace kalvira::records
namespace kalvira::remote {
struct ListenAddress;
class RemoteServer;
}  // namespace kalvira::remote
namespace kalvira::scope {
class RecordJudge;
class Scope;
}  // namespace kalvira::scope
namespace kalvira::analysis {
struct FigureStatistics;
}  // namespace kalvira::analysis
namespace kalvira::settings {
struct ScopeSettings;
}  // namespace kalvira::settings

namespace kalvira::ui {

class CalibrationDialog;
class CursorOverlay;
class FailureMarks;
class Form1RedrawHost;
class LimitsDialog;
struct Form1Decoding;
class MeasurementReadout;
class ReferenceOverlay;
class SpectrumWindow;
class TrendWindow;
struct ReadoutExtras;

// The KALVIRA window: control panel and oscilloscope screen at once, the view and controller of
// the scope model (scope::Scope), which holds the settings, the record on screen, the history,
// the cursors' places, the calibration and the run. Its controls carry the names
// they have on the form, as object names too, which is how anything outside the window finds
// them; its handlers are named after control and event.
//
// Its roles, one file each: form1.cpp (the picture), form1_controls.cpp (creation and wiring),
// form1_handlers.cpp, form1_layout.cpp, form1_settings.cpp (the controls and the scope's
// settings), form1_run.cpp (what it does for the run), form1_progress.cpp, form1_records.cpp,
// form1_picture_actions.cpp (keys, context menu, readout), form1_cursors.cpp, form1_history.cpp,
// form1_calibration.cpp, form1_port_menu.cpp, form1_spectrum.cpp, form1_statistics.cpp,
// form1_reference.cpp and form1_limits.cpp; the redraw sees it through form1_redraw_host.*.
class Form1 : public QWidget, private scope::ScopeFrontEnd {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The scope the window shows. Setting it moves the controls, as a user would.
    scope::Scope &scope() { return *scope_; }
    const scope::Scope &scope() const { return *scope_; }
    // The judge of the scope's records: statistics, trend, reference, limits and mask.
    scope::RecordJudge &judge() { return *judge_; }

    // Draws the whole picture again from the current settings and the last complete record.
    void Koord_rendszer_rajzolasa();

    // The retained picture, as the window shows it: the client area's size, pixel for pixel.
    const QImage &picture() const;

    // True from START until the run has ended.
    bool runInProgress() const;

    // Listens for remote control at the address; the reason when it cannot (then also shown in a
    // notice). The picture's menu shows it on.
    std::optional<QString> startRemoteControl(const remote::ListenAddress &address);

    // Shows the record a file holds with the settings it was taken with, as if just received;
    // false, with a message naming the file and the line, when it cannot be shown (not a record,
    // or a run in progress): then nothing changes.
    bool openRecordFile(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
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

    // Handlers (form1_handlers.cpp).
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
    void writeRecordLengthText();

    // Controls (form1_controls.cpp) and their places (form1_layout.cpp).
    void createControls();
    void setTabOrder();
    void connectHandlers();
    void layoutControls();

    // The settings the controls show, reported to the scope as each control changes; and the
    // controls moved to settings asked of the scope, in the order a user would move them
    // (form1_settings.cpp).
    settings::ScopeSettings settingsOnControls() const;
    void noteControls();
    void moveControls(const settings::ScopeSettings &wanted);

    // What the window does for the run (form1_run.cpp): its clock, the lock on the settings it
    // may not change while it lasts, the picture, the message box and the progress.
    void startClock() override;
    void setSettingsLocked(bool locked) override;
    void redraw() override;
    void showMessage(const std::string &text, std::function<void()> closed) override;
    void runStateChanged() override;

    // The run's progress in the title and the indicator (form1_progress.cpp).
    void createProgressIndicator();
    void showRunProgress(bool phaseChangesOnly = false);
    // "KALVIRA", then " – remote" while a remote client is connected, then the progress in words.
    void showTitle(const acquisition::RunProgress &progress);

    // Remote control (form1_remote.cpp).
    void createRemoteControl();
    QAction *remoteAction_ = nullptr;

    // Keys and the context menu on the picture, and the measurement readout
    // (form1_picture_actions.cpp); the "Comm port" frame's device menu (form1_port_menu.cpp).
    void createPictureActions();
    // A command on the picture's menu that works from the keyboard anywhere in the window too.
    QAction *addPictureCommand(const QString &text, const QKeySequence &keys = {},
                               bool checkable = false);
    void refreshReadout();
    void createPortMenu();

    // The cursors over the plot (form1_cursors.cpp): shown with C, dragged or moved with keys.
    void createCursors();
    void refreshCursors();
    void moveCursorTo(analysis::CursorId id, std::int32_t at);
    bool cursorKey(const QKeyEvent &event);
    display::PlotMapping plotMapping() const;

    // The history of records (form1_history.cpp): kept on commit and on open, stepped through
    // with PgUp/PgDn/Home/End while no run is in progress.
    void createHistory();
    void saveHistory();
    void showHistoryEntry(std::size_t index);
    bool historyKey(const QKeyEvent &event);
    void refreshHistoryLabel();

    // The spectrum window (form1_spectrum.cpp): opened with F, it follows the record on screen.
    void showSpectrum();
    void refreshSpectrum();

    // Decoding the record on screen and exporting it (form1_decode.cpp): "Decode…", the band
    // of annotations over the plot, their table window, "Export…".
    void createDecoding();
    void showDecodeDialog();
    void showAnnotationTable();
    void showDecodedTable();
    void refreshDecoding();
    void decodeRecordOnScreen();
    void exportRecord();
    void exportHistory();
    std::unique_ptr<Form1Decoding> decoding_;

    // Records and pictures kept and shared (form1_records.cpp). The file dialogs are window
    // modal and never nest an event loop: the run goes on while one is up.
    void saveRecord();
    void openRecord();
    void exportPicture();
    void copyPicture();
    void showRecordFile(const records::RecordFile &file);
    void askForFile(int acceptMode, const QString &caption, const QString &filter,
                    const QString &suffix, std::function<void(const QString &)> chosen);

    // A message box titled "KALVIRA" with an OK button, open without waiting; gone once closed.
    QMessageBox *showNotice(const QString &text);

    std::unique_ptr<display::ImageSurface> surface_;
    std::unique_ptr<scope::Scope> scope_;
    std::unique_ptr<remote::RemoteServer> remote_;  // goes before the scope it acts on
    std::unique_ptr<Form1RedrawHost> redrawHost_;
    // Context of the message boxes' connections. Declared after scope_, so it goes first and takes
    // them with it: a box closing while the window is torn down reaches no run.
    std::unique_ptr<QObject> messageContext_;

    QProgressBar *progressBar_ = nullptr;
    acquisition::RunPhase shownPhase_ = acquisition::RunPhase::Idle;
    MeasurementReadout *readout_ = nullptr;
    bool readoutWanted_ = false;
    SpectrumWindow *spectrumWindow_ = nullptr;
    std::optional<std::array<std::int64_t, 5>> spectrumShows_;  // what the spectrum was taken of
    bool spectrumDue_ = false;
    QMenu *pictureMenu_ = nullptr;
    CursorOverlay *cursorOverlay_ = nullptr;
    bool cursorsWanted_ = false;
    analysis::CursorId selectedCursor_ = analysis::CursorId::T1;
    std::optional<analysis::CursorId> draggedCursor_;
    QLabel *historyLabel_ = nullptr;
    std::optional<std::uint64_t> historyNoticeNumber_;  // "waits for STOP" shown for this record
    QPointer<QFileDialog> fileDialog_;                  // the one file dialog up, if any

    // How the record on screen reads in volts (form1_calibration.cpp): by the user's calibration,
    // remembered, or by the calibration of the file it was opened from.
    void createCalibrationAction();
    void askForCalibration();
    const std::optional<analysis::Calibration> &calibrationOnScreen() const;
    QPointer<CalibrationDialog> calibrationDialog_;

    // Judging many records, beside the scope (scope::RecordJudge): the readout's statistics
    // columns, the history's statistics and the trend window (form1_statistics.cpp, with the
    // readouts copied as text); the reference under the trace (form1_reference.cpp); limits and
    // the mask, with a failing record's samples marked (form1_limits.cpp).
    void createStatistics();
    void createReference();
    void createLimits();
    ReadoutExtras readoutExtras();
    void refreshJudging();
    void refreshReference();
    void refreshFailures();
    void showHistoryStatistics();
    void markHistoryRecord();
    bool historyEntryMarked(std::size_t index) const;
    void showTrend();
    void copyReadouts();
    void takeReference();
    void openReference();
    void askForLimits();
    std::unique_ptr<scope::RecordJudge> judge_;
    QAction *statisticsAction_ = nullptr;
    bool statisticsWanted_ = false;
    std::shared_ptr<const analysis::FigureStatistics> historyStatistics_;  // shown instead
    QString historyStatisticsTitle_;
    bool referenceWanted_ = true;
    ReferenceOverlay *referenceOverlay_ = nullptr;
    QLabel *referenceTag_ = nullptr;
    FailureMarks *failureMarks_ = nullptr;
    TrendWindow *trendWindow_ = nullptr;
    QPointer<LimitsDialog> limitsDialog_;
};

}  // namespace kalvira::ui
