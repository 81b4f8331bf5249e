// Creation of the window's controls with their design captions, places, sizes and initial state,
// their tab order, and their wiring to the handlers.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <array>
#include <string_view>
#include <tuple>

#include "acquisition/qt_serial_port.h"
#include "common/link_facts.h"
#include "common/time_bases.h"
#include "form1.h"
#include "option_button.h"
#include "scroll_wheel.h"

namespace kalvira::ui {

namespace {

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption, QRect place) {
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(place);
    frame->setAutoFillBackground(true);
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

QScrollBar *makeScrollBar(QWidget *parent, const char *name, Qt::Orientation orientation,
                          QRect place, int minimum, int maximum, int largeChange, int value) {
    auto *bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(place);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(largeChange);
    bar->setValue(value);
    // The change comes when a dragged thumb is let go, not while it moves.
    bar->setTracking(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QCheckBox *makeCheckBox(QWidget *parent, const char *name, const QString &caption, QRect place) {
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    return box;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect place) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

// Creates a group's members from the highest index down; member i sits at first + i * step, and
// member 0 is selected.
template <std::size_t N>
void makeOptions(OptionGroup &group, QWidget *frame, const char *name,
                 const std::array<std::string_view, N> &captions, QRect first, QPoint step,
                 bool breakAfterSlash = false) {
    for (int i = static_cast<int>(N) - 1; i >= 0; --i) {
        auto *button = new OptionButton(
            QString::fromUtf8(captions[static_cast<size_t>(i)].data(),
                              static_cast<qsizetype>(captions[static_cast<size_t>(i)].size())),
            breakAfterSlash, frame);
        button->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(i));
        button->setGeometry(first.translated(step * i));
        group.add(i, button);
    }
    group[0]->setChecked(true);
}

// Captions of a table's entries, in the table's order.
template <typename Table>
auto captionsOf(const Table &table) {
    std::array<std::string_view, std::tuple_size_v<Table>> captions{};
    for (std::size_t i = 0; i < captions.size(); ++i) captions[i] = table[i].caption;
    return captions;
}
constexpr std::array<std::string_view, 4> kTriggerCaptions = {"Ext./Single", "Ext./Cont.",
                                                              "Trig./Single", "Trig./Cont."};

}  // namespace

void Form1::createControls() {
    VoltsPerDiv = makeFrame(this, "VoltsPerDiv", QStringLiteral("Volts/Div"), {616, 432, 89, 33});
    VoltsPerDiv2 =
        makeCheckBox(VoltsPerDiv, "VoltsPerDiv2", QStringLiteral("V/Div 1:2"), {8, 16, 97, 17});

    LineStyle = makeFrame(this, "LineStyle", QStringLiteral("LineStyle"), {512, 432, 105, 33});
    // The two members stand side by side: "Line" left, "Dot" right.
    makeOptions(LineStyleOption, LineStyle, "LineStyleOption",
                std::array<std::string_view, 2>{"Line", "Dot"}, {8, 16, 65, 17}, {48, 0});
    // "Line" reaches under "Dot": keep "Dot" in front so that a click on it chooses it.
    LineStyleOption[1]->raise();

    Hscroll = makeScrollBar(this, "Hscroll", Qt::Horizontal, {512, 416, 193, 17}, 0, 16000, 1, 0);
    Hscroll->setEnabled(false);
    setWheelResponse(Hscroll, WheelResponse::SingleStep);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    TrigLevelFrame =
        makeFrame(this, "TrigLevelFrame", QStringLiteral("Trigger level"), {512, 296, 97, 121});
    makeOptions(TrigEdge, TrigLevelFrame, "TrigEdge",
                std::array<std::string_view, 2>{"Fall", "Rise"}, {48, 16, 49, 17}, {0, 16});
    TrigVisible =
        makeCheckBox(TrigLevelFrame, "TrigVisible", QStringLiteral("Visible"), {48, 48, 65, 25});
    TrigLevelScroll = makeScrollBar(TrigLevelFrame, "TrigLevelScroll", Qt::Vertical,
                                    {8, 16, 25, 97}, 1, 254, 10, 100);
    setWheelResponse(TrigLevelScroll, WheelResponse::Ignore);

    ComFrame = makeFrame(this, "ComFrame", QStringLiteral("Comm port"), {512, 240, 97, 57});
    // A one-pixel strip along the bottom of the frame, its caption unseen; nothing refers to it.
    makeFrame(ComFrame, "Frame1", QStringLiteral("Frame1"), {0, 56, 89, 1});
    makeOptions(Com1, ComFrame, "Com1", std::array<std::string_view, 2>{"COM1", "COM2"},
                {8, 16, 81, 17}, {0, 16});

    TimeFrame = makeFrame(this, "TimeFrame", QStringLiteral("Time"), {512, 0, 97, 241});
    makeOptions(TimeOption, TimeFrame, "TimeOption", captionsOf(kTimeBases), {8, 16, 81, 17},
                {0, 16});

    Samples = makeFrame(this, "Samples", QStringLiteral("Samples"), {608, 352, 97, 65});
    SamplesText = new QLineEdit(QStringLiteral("500"), Samples);
    SamplesText->setObjectName(QStringLiteral("SamplesText"));
    SamplesText->setGeometry(8, 16, 81, 19);
    SamplesText->setEnabled(false);
    SampleScroll = makeScrollBar(Samples, "SampleScroll", Qt::Horizontal, {0, 40, 97, 17}, 1,
                                 kMaxBlocks, 10, 50);
    setWheelResponse(SampleScroll, WheelResponse::Ignore);

    SampleTime =
        makeFrame(this, "SampleTime", QStringLiteral("SampleTime/Freq."), {608, 80, 97, 273});
    makeOptions(SampleRate, SampleTime, "SampleRate", captionsOf(kSampleRates), {8, 16, 73, 25},
                {0, 32}, true);

    trig_frame = makeFrame(this, "trig_frame", QStringLiteral("Trigger"), {608, 0, 97, 81});
    makeOptions(trigger, trig_frame, "trigger", kTriggerCaptions, {8, 16, 81, 17}, {0, 16});

    stp = makeButton(this, "stp", QStringLiteral("STOP"), {392, 488, 81, 33});
    start = makeButton(this, "start", QStringLiteral("START"), {496, 488, 81, 33});
    Kilepes = makeButton(this, "Kilepes", QStringLiteral("Kilépés"), {608, 488, 81, 33});

    MSComm1 = new acquisition::QtSerialPort(this);
    MSComm1->setObjectName(QStringLiteral("MSComm1"));
}

void Form1::setTabOrder() {
    // Frames take no focus, so only the controls inside them are chained.
    std::vector<QWidget *> order = {Kilepes, start, stp};
    for (int i = 0; i <= 3; ++i) order.push_back(trigger[i]);
    for (int i = 0; i <= 7; ++i) order.push_back(SampleRate[i]);
    order.insert(order.end(), {SampleScroll, SamplesText});
    for (int i = 0; i <= 10; ++i) order.push_back(TimeOption[i]);
    order.insert(order.end(), {Com1[0], Com1[1], TrigLevelScroll, TrigVisible, TrigEdge[0],
                               TrigEdge[1], Hscroll, LineStyleOption[0], LineStyleOption[1]});
    for (int i = 11; i <= 13; ++i) order.push_back(TimeOption[i]);
    order.push_back(VoltsPerDiv2);
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

// Each control's events go to the handler named after it, once the scope has the control's new
// setting; the controls without a handler report their setting all the same.
void Form1::connectHandlers() {
    const auto noted = [this](auto handler) {
        return [this, handler] {
            noteControls();
            (this->*handler)();
        };
    };
    const auto notedChoice = [this](auto handler) {
        return [this, handler](int index) {
            noteControls();
            (this->*handler)(index);
        };
    };
    connect(Hscroll, &QScrollBar::valueChanged, this, noted(&Form1::Hscroll_Change));
    connect(SampleScroll, &QScrollBar::valueChanged, this, noted(&Form1::SampleScroll_Change));
    connect(TrigLevelScroll, &QScrollBar::valueChanged, this,
            noted(&Form1::TrigLevelScroll_Change));
    connect(TrigVisible, &QCheckBox::toggled, this, noted(&Form1::TrigVisible_Click));
    connect(VoltsPerDiv2, &QCheckBox::toggled, this, noted(&Form1::VoltsPerDiv2_Click));
    LineStyleOption.onChosen(this, notedChoice(&Form1::LineStyleOption_Click));
    SampleRate.onChosen(this, notedChoice(&Form1::SampleRate_Click));
    TimeOption.onChosen(this, notedChoice(&Form1::TimeOption_Click));
    for (const OptionGroup *group : {&trigger, &TrigEdge, &Com1})
        group->onChosen(this, [this](int) { noteControls(); });
    connect(stp, &QPushButton::clicked, this, [this] { stp_Click(); });
    connect(start, &QPushButton::clicked, this, [this] { start_Click(); });
    connect(Kilepes, &QPushButton::clicked, this, [this] { Kilepes_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

}  // namespace kalvira::ui
