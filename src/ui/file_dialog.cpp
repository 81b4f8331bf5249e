#include "file_dialog.h"
#include "settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace kalvira::ui {

namespace {

constexpr auto kLastFolderKey = "files/lastFolder";

}  // namespace

QFileDialog *openFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &caption,
                            const QString &filter, const QString &suffix,
                            std::function<void(const QString &)> chosen) {
    const QString folder =
        settingsStore().value(QLatin1String(kLastFolderKey), QDir::homePath()).toString();
    auto *dialog = new QFileDialog(parent, caption, folder, filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setDefaultSuffix(suffix);
    QObject::connect(dialog, &QFileDialog::fileSelected, parent,
                     [chosen = std::move(chosen)](const QString &file) {
                         if (file.isEmpty()) return;
                         settingsStore().setValue(QLatin1String(kLastFolderKey),
                                                  QFileInfo(file).absolutePath());
                         chosen(file);
                     });
    dialog->open();
    return dialog;
}

}  // namespace kalvira::ui
