#include "look.h"

#include <QApplication>
#include <QLabel>
#include <QStyleFactory>

namespace kalvira::ui {

QFont interfaceFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void styleOverlayText(QLabel &label, int margin) {
    label.setFont(interfaceFont());  // no antialiasing, like every text of the picture
    label.setAutoFillBackground(true);
    QPalette colours = label.palette();
    colours.setColor(QPalette::Window, kBackgroundColour);
    colours.setColor(QPalette::WindowText, kForegroundColour);
    label.setPalette(colours);
    label.setMargin(margin);
    label.setAttribute(Qt::WA_TransparentForMouseEvents);
}

void applyApplicationLook(QApplication &app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(interfaceFont());
    app.setApplicationName(windowTitle());
    app.setWindowIcon(windowIcon());
}

}  // namespace kalvira::ui
