#pragma once

#include <QHostAddress>
#include <QString>
#include <optional>

namespace kalvira::remote {

// Where the remote control listens. The loopback address unless another is named.
struct ListenAddress {
    QHostAddress host = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 5025;  // 0: any free port
    bool operator==(const ListenAddress &) const = default;
};

// "[ADDRESS:]PORT": "5025", "127.0.0.1:5025", "0.0.0.0:5025", "[::1]:5025"; nullopt for
// anything else (a port beyond 65535, an address that is not one).
std::optional<ListenAddress> parseListenAddress(const QString &text);

// Whether anyone but this machine can reach the address.
bool reachableFromOutside(const ListenAddress &address);

// "127.0.0.1:5025", "[::1]:5025".
QString describe(const QHostAddress &host, quint16 port);

}  // namespace kalvira::remote
