#pragma once

#include <QFileDialog>
#include <QString>
#include <functional>

namespace kalvira::ui {

// Qt's own file dialog, so that it looks and behaves the same everywhere; it opens with its file
// name field focused, in the folder of the last file chosen. Window modal and without a loop of
// its own: a run goes on while it is up, and chosen is called, with the file, only once a file
// has been chosen. Gone once closed.
QFileDialog *openFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &caption,
                            const QString &filter, const QString &suffix,
                            std::function<void(const QString &)> chosen);

}  // namespace kalvira::ui
