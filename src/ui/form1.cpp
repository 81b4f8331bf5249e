#include "form1.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "acquisition/measurement_run.h"
#include "common/rounding.h"
#include "control_layout.h"
#include "display/image_surface.h"
#include "display/redraw.h"
#include "form1_redraw_host.h"
#include "form1_run_host.h"
#include "look.h"

namespace kalvira::ui {

namespace {

// Design client area: 10560 x 8145 twips at 15 twips per pixel.
constexpr int kDesignWidth = 704;
constexpr int kDesignHeight = 543;

ControlSize sizeOf(const QWidget *widget) {
    return {static_cast<float>(widget->width()), static_cast<float>(widget->height())};
}

QPoint toPixels(ControlPosition position) {
    return {roundHalfEven(position.left), roundHalfEven(position.top)};
}

}  // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent),
      surface_(std::make_unique<display::ImageSurface>(kBackgroundColour, kForegroundColour,
                                                       interfaceFont())),
      redrawHost_(std::make_unique<Form1RedrawHost>(*this)),
      runHost_(std::make_unique<Form1RunHost>(*this)) {
    setWindowTitle(ui::windowTitle());
    setWindowIcon(ui::windowIcon());
    setFont(interfaceFont());
    // The retained picture covers the whole client area; nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDesignWidth, kDesignHeight);
    surface_->resize(kDesignWidth, kDesignHeight);

    createControls();
    setTabOrder();
    connectHandlers();
    createAdditions();
    Kilepes->setFocus();

    Form_Load();
}

Form1::~Form1() = default;

void Form1::connectHandlers() {
    connect(Hscroll, &QScrollBar::valueChanged, this, [this] { Hscroll_Change(); });
    connect(SampleScroll, &QScrollBar::valueChanged, this, [this] { SampleScroll_Change(); });
    connect(TrigLevelScroll, &QScrollBar::valueChanged, this, [this] { TrigLevelScroll_Change(); });
    connect(TrigVisible, &QCheckBox::toggled, this, [this] { TrigVisible_Click(); });
    connect(VoltsPerDiv2, &QCheckBox::toggled, this, [this] { VoltsPerDiv2_Click(); });
    LineStyleOption.onChosen(this, [this](int index) { LineStyleOption_Click(index); });
    SampleRate.onChosen(this, [this](int index) { SampleRate_Click(index); });
    TimeOption.onChosen(this, [this](int index) { TimeOption_Click(index); });
    connect(stp, &QPushButton::clicked, this, [this] { stp_Click(); });
    connect(start, &QPushButton::clicked, this, [this] { start_Click(); });
    connect(Kilepes, &QPushButton::clicked, this, [this] { Kilepes_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void Form1::Koord_rendszer_rajzolasa() {
    surface_->begin();
    display::Koord_rendszer_rajzolasa(*redrawHost_, *surface_);
    surface_->end();
    refreshReadout();
    update();
}

const QImage &Form1::picture() const {
    return surface_->image();
}

void Form1::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_->image());
}

void Form1::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    surface_->resize(width(), height());
    Form_Resize();
}

void Form1::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // Minimising and restoring count as a resize, as every change of the window's state does.
    if (event->type() == QEvent::WindowStateChange) Form_Resize();
}

void Form1::layoutControls() {
    const LayoutSizes sizes{sizeOf(trig_frame), sizeOf(SampleTime), sizeOf(Samples),
                            sizeOf(TimeFrame),  sizeOf(ComFrame),   sizeOf(Hscroll),
                            sizeOf(LineStyle),  sizeOf(VoltsPerDiv)};
    const ControlLayout layout =
        computeControlLayout(surface_->scaleWidth(), surface_->scaleHeight(), sizes);
    Kilepes->move(toPixels(layout.kilepes));
    start->move(toPixels(layout.start));
    stp->move(toPixels(layout.stp));
    trig_frame->move(toPixels(layout.trigFrame));
    SampleTime->move(toPixels(layout.sampleTime));
    Samples->move(toPixels(layout.samples));
    ComFrame->move(toPixels(layout.comFrame));
    TrigLevelFrame->move(toPixels(layout.trigLevelFrame));
    TimeFrame->move(toPixels(layout.timeFrame));
    Hscroll->move(roundHalfEven(layout.hscrollLeft), Hscroll->y());
    LineStyle->move(roundHalfEven(layout.lineStyleLeft), LineStyle->y());
    VoltsPerDiv->move(roundHalfEven(layout.voltsPerDivLeft), VoltsPerDiv->y());
    progressBar_->move(toPixels(layout.progress));
}

}  // namespace kalvira::ui
