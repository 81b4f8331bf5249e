#pragma once

#include <QFileDialog>
#include <QImage>
#include <QString>
#include <functional>
#include <string>

namespace kalvira::ui {

// Qt's own file dialog, so that it looks and behaves the same everywhere; it opens with its file
// name field focused, in the folder of the last file chosen. Window modal and without a loop of
// its own: a run goes on while it is up, and chosen is called, with the file, only once a file
// has been chosen. Gone once closed.
QFileDialog *openFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &caption,
                            const QString &filter, const QString &suffix,
                            std::function<void(const QString &)> chosen);

// A message over a second window, window modal, titled as the program, that does not wait for its
// OK.
void showNotice(QWidget *parent, const QString &text);

// Asks for a PNG file and saves the picture shown when asked into it; a notice when it cannot.
void savePictureAs(QWidget *parent, const QImage &shown, const QString &caption);

// Asks for a CSV file and writes text into it whole, or not at all; a notice when it cannot.
void saveTextAs(QWidget *parent, const std::string &text, const QString &caption);

}  // namespace kalvira::ui
