#include "look.h"

#include <QApplication>
#include <QIcon>
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
    app.setApplicationName(QStringLiteral("KALVIRA"));
    app.setWindowIcon(QIcon(QStringLiteral(":/kalvira/kalvira.svg")));
}

}  // namespace kalvira::ui
