#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kalvira::i18n {

namespace {

// Where qt_add_translations puts the compiled kalvira_<language>.qm in the resources.
constexpr auto kOwnTranslations = ":/kalvira/i18n";

bool install(QCoreApplication &app, const QString &name, const QString &folder) {
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale::system(), name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

bool installTranslations(QCoreApplication &app) {
    install(app, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return install(app, QStringLiteral("kalvira"), QString::fromLatin1(kOwnTranslations));
}

}  // namespace kalvira::i18n
