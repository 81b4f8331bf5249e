// The "Comm port" frame's context menu: which serial device each COM option opens.
#include <QGroupBox>

#include "form1.h"
#include "port_menu.h"

namespace kalvira::ui {

void Form1::createPortMenu() {
    ComFrame->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ComFrame, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { showPortMenu(Com1, this, ComFrame->mapToGlobal(at)); });
    showPortToolTips(Com1);
}

}  // namespace kalvira::ui
