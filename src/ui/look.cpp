#include "look.h"

#include <QApplication>
#include <QStyleFactory>

namespace kalvira::ui {

QFont interfaceFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void applyApplicationLook(QApplication &app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(interfaceFont());
    app.setApplicationName(windowTitle());
    app.setWindowIcon(windowIcon());
}

}  // namespace kalvira::ui
