#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "i18n/translations.h"
#include "ui/form1.h"
#include "ui/look.h"
#include "ui/window_arguments.h"

namespace {

void say(const QString &text) {
    std::fprintf(stderr, "kalvira: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    kalvira::i18n::installTranslations(app);
    kalvira::ui::applyApplicationLook(app);
    // kalvira rec.csv opens a record at once; --remote [ADDRESS:PORT] listens for remote control.
    const kalvira::ui::WindowArguments arguments =
        kalvira::ui::parseWindowArguments(app.arguments());
    if (arguments.error) {
        say(*arguments.error);
        return 2;
    }
    kalvira::ui::Form1 window;
    window.show();
    if (const auto &address = arguments.remote) {
        if (!window.startRemoteControl(*address) && kalvira::remote::reachableFromOutside(*address))
            say(kalvira::ui::remoteWarning(*address));
    }
    if (arguments.recordFile) window.openRecordFile(*arguments.recordFile);
    return app.exec();
}
