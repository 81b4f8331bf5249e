#include <QApplication>

#include "ui/form1.h"
#include "ui/look.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    kalvira::ui::applyApplicationLook(app);
    kalvira::ui::Form1 window;
    window.show();
    return app.exec();
}
