#include "listen_address.h"

namespace kalvira::remote {

std::optional<ListenAddress> parseListenAddress(const QString &text) {
    ListenAddress address;
    QString port = text;
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        QString host = text.left(colon);
        if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
            host = host.mid(1, host.size() - 2);
        else if (host.contains(QLatin1Char(':')))
            return {};  // an IPv6 address goes in brackets
        if (!address.host.setAddress(host)) return {};
        port = text.mid(colon + 1);
    }
    bool number = false;
    const uint value = port.toUInt(&number);
    if (!number || value > 65535 || port.startsWith(QLatin1Char('+'))) return {};
    address.port = static_cast<quint16>(value);
    return address;
}

bool reachableFromOutside(const ListenAddress &address) {
    return !address.host.isLoopback();
}

QString describe(const QHostAddress &host, quint16 port) {
    const QString name = host.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(host.toString())
                             : host.toString();
    return QStringLiteral("%1:%2").arg(name).arg(port);
}

}  // namespace kalvira::remote
