#include "file_dialog.h"
#include "settings_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>

#include "look.h"

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

void showNotice(QWidget *parent, const QString &text) {
    auto *box =
        new QMessageBox(QMessageBox::Warning, ui::windowTitle(), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void savePictureAs(QWidget *parent, const QImage &shown, const QString &caption) {
    openFileDialog(parent, QFileDialog::AcceptSave, caption,
                   QCoreApplication::translate("kalvira::ui::SpectrumWindow", "PNG images (*.png)"),
                   QStringLiteral("png"), [parent, shown](const QString &path) {
                       if (shown.save(path, "PNG")) return;
                       showNotice(parent, QCoreApplication::translate("kalvira::ui::SpectrumWindow",
                                                                      "%1 could not be saved.")
                                              .arg(QDir::toNativeSeparators(path)));
                   });
}

void saveTextAs(QWidget *parent, const std::string &text, const QString &caption) {
    openFileDialog(parent, QFileDialog::AcceptSave, caption,
                   QCoreApplication::translate("kalvira::ui::SpectrumWindow", "CSV files (*.csv)"),
                   QStringLiteral("csv"), [parent, text](const QString &path) {
                       QSaveFile file(path);
                       const auto size = static_cast<qint64>(text.size());
                       if (file.open(QIODevice::WriteOnly) &&
                           file.write(text.data(), size) == size && file.commit())
                           return;
                       showNotice(parent,
                                  QCoreApplication::translate("kalvira::ui::SpectrumWindow",
                                                              "%1 could not be saved: %2")
                                      .arg(QDir::toNativeSeparators(path), file.errorString()));
                   });
}

}  // namespace kalvira::ui
