#pragma once

#include <QRadioButton>

namespace kalvira::ui {

// An option button whose caption may break onto a second line after a slash followed by a space
// ("25usec/ 40kSPS" shows as "25usec/" over "40kSPS"). text() always returns the caption as given.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString &caption, bool breakAfterSlash, QWidget *parent = nullptr);

    // The caption as it is laid out, one line per line.
    QString displayText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool breakAfterSlash_;
};

}  // namespace kalvira::ui
