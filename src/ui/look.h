#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

class QApplication;
class QLabel;

namespace kalvira::ui {

// Background of the picture: the menu-text system colour of the standard scheme (black).
inline const QColor kBackgroundColour{0, 0, 0};
// Printed text: the application-workspace system colour of the standard scheme (grey).
inline const QColor kForegroundColour{0xAB, 0xAB, 0xAB};

// The program's name: the window's title at rest and the title of its message boxes.
inline QString windowTitle() {
    return QStringLiteral("KALVIRA");
}
// The program's icon, drawn from the resource built into it.
inline QIcon windowIcon() {
    return QIcon(QStringLiteral(":/kalvira/kalvira.svg"));
}

// The user-interface font: small and condensed, so that every caption fits its control at the
// design sizes (two lines in the 25-pixel sample-rate buttons).
QFont interfaceFont();

// A box of text over the picture (a readout, a label): the picture's colours and font, and
// transparent to the mouse, so that the window beneath handles clicks and drags.
void styleOverlayText(QLabel &label, int margin);

// Style, font and icon of the whole application.
void applyApplicationLook(QApplication &app);

}  // namespace kalvira::ui
