#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "acquisition/run_host.h"
#include "display/redraw_host.h"
#include "display/sample_record.h"
#include "option_group.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMessageBox;
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

namespace kalvira::ui {

// The KALVIRA window: control panel and oscilloscope screen at once. Its controls carry the names
// they have on the form; its handlers are named after control and event.
class Form1 : public QWidget, public display::RedrawHost, public acquisition::RunHost {
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

    // The retained picture, as the window shows it.
    const display::ImageSurface &surface() const { return *surface_; }

    // RedrawHost.
    void setKoordinataKorrekcio(std::int16_t value) override { KoordinataKorrekcio = value; }
    void setTriglevel(std::int16_t value) override { triglevel = value; }
    std::int16_t meresVege() const override { return MeresVege; }
    const display::SampleRecord &sampleData() const override { return SampleData; }
    int selectedTimeOption() const override { return TimeOption.selectedIndex(); }
    int selectedSampleRate() const override { return SampleRate.selectedIndex(); }
    int selectedLineStyle() const override { return LineStyleOption.selectedIndex(); }
    bool trigVisible() const override;
    bool voltsPerDiv2() const override;
    std::int16_t trigLevelValue() const override;
    std::int16_t sampleScrollValue() const override;
    void setSampleScrollValue(std::int16_t value) override;
    std::int16_t hscrollValue() const override;
    void setHscrollEnabled(bool enabled) override;
    void setHscrollValue(std::int16_t value) override;
    void setHscrollMaximum(std::int16_t value) override;
    void setHscrollSmallChange(std::int16_t value) override;
    void setHscrollLargeChange(std::int16_t value) override;
    void layoutControls() override;

    // RunHost: what the measurement run behind START reads and changes (form1_run_host.cpp).
    int selectedCom1() const override { return Com1.selectedIndex(); }
    int selectedTrigger() const override { return trigger.selectedIndex(); }
    int selectedTrigEdge() const override { return TrigEdge.selectedIndex(); }
    std::int16_t stopGombLenyomva() const override { return StopGombLenyomva; }
    void setStopGombLenyomva(std::int16_t value) override { StopGombLenyomva = value; }
    std::int16_t tizedSec() const override { return TizedSec; }
    void setTizedSec(std::int16_t value) override { TizedSec = value; }
    void setMeresVege(std::int16_t value) override { MeresVege = value; }
    void enableTimer1() override;
    void setControlEnabled(acquisition::RunControl control, bool enabled) override;
    void commitSampleData(std::span<const std::int16_t> record) override;
    void redraw() override { Koord_rendszer_rajzolasa(); }
    void showMessage(const std::string &text, std::function<void()> closed) override;

    // True from START until the run has ended.
    bool runInProgress() const;
    // Called with each message box of a run right after it opens; tests read and close it there.
    std::function<void(QMessageBox &box)> runMessageShown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void setTabOrder();
    void connectHandlers();
    void writeRecordLengthText();

    void startRun();
    void wakeRun();

    std::unique_ptr<display::ImageSurface> surface_;
    std::unique_ptr<acquisition::MeasurementRun> run_;
    // Context of the run's message box connections. Declared after run_, so it is destroyed
    // first: a box closing while the window is torn down reaches no run.
    QObject runMessageContext_;
};

}  // namespace kalvira::ui
