#include <QApplication>
#include <QStringList>

#include "i18n/translations.h"
#include "ui/form1.h"
#include "ui/look.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    kalvira::i18n::installTranslations(app);
    kalvira::ui::applyApplicationLook(app);
    kalvira::ui::Form1 window;
    window.show();
    // A record file named on the command line opens at once: kalvira rec.csv
    const QStringList arguments = app.arguments();
    if (arguments.size() > 1) window.openRecordFile(arguments.at(1));
    return app.exec();
}
