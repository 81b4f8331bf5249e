#include "option_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace kalvira::ui {

OptionButton::OptionButton(const QString &caption, bool breakAfterSlash, QWidget *parent)
    : QRadioButton(caption, parent), breakAfterSlash_(breakAfterSlash) {}

QString OptionButton::displayText() const {
    QString shown = text();
    if (breakAfterSlash_) shown.replace(QStringLiteral("/ "), QStringLiteral("/\n"));
    return shown;
}

void OptionButton::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = displayText();
    painter.drawControl(QStyle::CE_RadioButton, option);
}

}  // namespace kalvira::ui
