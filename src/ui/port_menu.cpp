#include "port_menu.h"

#include <QCoreApplication>
#include <QMenu>
#include <QSerialPortInfo>
#include <QStringList>

#include "acquisition/port_settings.h"
#include "option_button.h"
#include "option_group.h"

namespace kalvira::ui {

namespace {

using acquisition::chooseDeviceForPort;
using acquisition::chosenDeviceForPort;
using acquisition::deviceForPort;
using acquisition::environmentDeviceForPort;
using acquisition::forgetDeviceForPort;

constexpr int kPorts = 2;

QString portName(int number) {
    return QStringLiteral("COM%1").arg(number);
}

QString deviceOf(int number) {
    return QString::fromStdString(deviceForPort(number));
}

// "COM1" / "COM1, COM2" for the ports that open the device, empty when none does.
QString portsOpening(const QString &location) {
    QStringList ports;
    for (int number = 1; number <= kPorts; ++number) {
        if (deviceOf(number) == location) ports << portName(number);
    }
    return ports.join(QStringLiteral(", "));
}

// "/dev/ttyUSB0  FT232R USB UART  0403:6001  [COM1]"
QString entryText(const QSerialPortInfo &info) {
    QStringList parts{info.systemLocation()};
    if (!info.description().isEmpty()) parts << info.description();
    if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
        parts << QStringLiteral("%1:%2")
                     .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                     .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
    }
    if (const QString ports = portsOpening(info.systemLocation()); !ports.isEmpty()) {
        parts << QStringLiteral("[%1]").arg(ports);
    }
    return parts.join(QStringLiteral("  "));
}

}  // namespace

void showPortMenu(const OptionGroup &com1, QWidget *parent, const QPoint &globalPos) {
    const int number = com1.selectedIndex() == 1 ? 2 : 1;
    const bool changeable = com1[0]->isEnabled();
    auto *menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSection(QCoreApplication::translate("kalvira::ui::PortMenu", "Device for %1")
                         .arg(portName(number)));

    const auto present = QSerialPortInfo::availablePorts();
    QStringList locations;
    for (const QSerialPortInfo &info : present) {
        const QString location = info.systemLocation();
        locations << location;
        QAction *entry = menu->addAction(entryText(info));
        entry->setCheckable(true);
        entry->setChecked(location == deviceOf(number));
        entry->setEnabled(changeable);
        QObject::connect(entry, &QAction::triggered, menu, [&com1, number, location] {
            chooseDeviceForPort(number, location.toStdString());
            showPortToolTips(com1);
        });
    }
    if (present.isEmpty())
        menu->addAction(
                QCoreApplication::translate("kalvira::ui::PortMenu", "No serial device found"))
            ->setEnabled(false);
    // A device a COM option opens but that is not there now (an adapter pulled out, say).
    for (int other = 1; other <= kPorts; ++other) {
        if (locations.contains(deviceOf(other))) continue;
        menu->addAction(
                QCoreApplication::translate("kalvira::ui::PortMenu", "%1 (not present)  [%2]")
                    .arg(deviceOf(other), portName(other)))
            ->setEnabled(false);
    }

    menu->addSeparator();
    if (environmentDeviceForPort(number)) {
        menu->addAction(QCoreApplication::translate("kalvira::ui::PortMenu",
                                                    "KALVIRA_COM%1 is set and wins over the choice")
                            .arg(number))
            ->setEnabled(false);
    }
    QAction *forget = menu->addAction(
        QCoreApplication::translate("kalvira::ui::PortMenu", "Forget the device chosen for %1")
            .arg(portName(number)));
    forget->setEnabled(changeable && chosenDeviceForPort(number).has_value());
    QObject::connect(forget, &QAction::triggered, menu, [&com1, number] {
        forgetDeviceForPort(number);
        showPortToolTips(com1);
    });
    menu->popup(globalPos);
}

void showPortToolTips(const OptionGroup &com1) {
    for (int number = 1; number <= kPorts && number <= com1.size(); ++number) {
        QString source;
        if (environmentDeviceForPort(number)) {
            source = QStringLiteral(" (KALVIRA_COM%1)").arg(number);
        } else if (chosenDeviceForPort(number)) {
            source = QCoreApplication::translate("kalvira::ui::PortMenu", " (chosen)");
        }
        com1[number - 1]->setToolTip(
            QCoreApplication::translate("kalvira::ui::PortMenu", "%1 opens %2%3")
                .arg(portName(number), deviceOf(number), source));
    }
}

}  // namespace kalvira::ui
