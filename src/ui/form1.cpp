// The window itself: its picture, retained and shown, and its notices.
#include "form1.h"

#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "acquisition/qt_serial_port.h"
#include "display/image_surface.h"
#include "display/redraw.h"
#include "form1_decode.h"
#include "form1_redraw_host.h"
#include "look.h"
#include "remote/remote_server.h"
#include "scope/record_judge.h"
#include "scope/scope.h"

namespace kalvira::ui {

namespace {

// Design client area: 10560 x 8145 twips at 15 twips per pixel.
constexpr int kDesignWidth = 704;
constexpr int kDesignHeight = 543;

}  // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent),
      surface_(std::make_unique<display::ImageSurface>(kBackgroundColour, kForegroundColour,
                                                       interfaceFont())),
      messageContext_(std::make_unique<QObject>()) {
    setWindowTitle(ui::windowTitle());
    setWindowIcon(ui::windowIcon());
    setFont(interfaceFont());
    // The retained picture covers the whole client area; nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDesignWidth, kDesignHeight);
    surface_->resize(kDesignWidth, kDesignHeight);

    createControls();
    scope_ = std::make_unique<scope::Scope>(*MSComm1, static_cast<ScopeFrontEnd &>(*this));
    scope_->setSettingsMover([this](const settings::ScopeSettings &wanted) {
        moveControls(wanted);
        Hscroll->setValue(wanted.scrollDivisions);
    });
    scope_->setEntryShower([this](std::size_t index) { showHistoryEntry(index); });
    redrawHost_ = std::make_unique<Form1RedrawHost>(*scope_, *SampleScroll, *Hscroll,
                                                    [this] { layoutControls(); });
    setTabOrder();
    connectHandlers();
    noteControls();
    createProgressIndicator();
    createPictureActions();
    createCursors();
    createDecoding();
    createHistory();
    createStatistics();
    createReference();
    createLimits();
    createPortMenu();
    Kilepes->setFocus();

    Form_Load();
}

Form1::~Form1() {
    if (remote_) remote_->disconnect(this);  // a client let go now finds no title to change
}

void Form1::Koord_rendszer_rajzolasa() {
    surface_->begin();
    display::Koord_rendszer_rajzolasa(*redrawHost_, *surface_);
    surface_->end();
    refreshReadout();
    refreshCursors();
    refreshHistoryLabel();
    refreshSpectrum();
    refreshJudging();
    refreshDecoding();
    update();
}

const QImage &Form1::picture() const {
    return surface_->image();
}

void Form1::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_->image());
}

// A message box titled "KALVIRA" with an OK button, window modal and open without waiting.
QMessageBox *Form1::showNotice(const QString &text) {
    auto *box =
        new QMessageBox(QMessageBox::NoIcon, ui::windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

}  // namespace kalvira::ui
