#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>

#include "listen_address.h"
#include "scpi_session.h"

namespace kalvira::remote {

// SCPI over a raw TCP socket, one client at a time, acting on the scope. A second client is told
// that another holds the instrument and is let go; a line longer than kMaxLineBytes ends the
// connection. Lines are taken only while the client reads what it is sent, so a client that
// never reads cannot make the program hold more than about kMaxPendingBytes for it.
class RemoteServer final : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;
    static constexpr qint64 kMaxPendingBytes = 1 << 20;

    explicit RemoteServer(scope::Scope &scope, QObject *parent = nullptr);
    ~RemoteServer() override;

    // Listens at the address; the reason when it cannot.
    std::optional<QString> listen(const ListenAddress &address);
    // Stops listening and lets any client go.
    void close();
    bool isListening() const { return server_.isListening(); }
    // Where it listens, with the port it was given for port 0.
    QString address() const;
    bool hasClient() const { return client_ != nullptr; }
    Instrument &instrument() { return session_.instrument(); }

signals:
    void clientChanged(bool connected);

private:
    void accept();
    void takeLines();
    void dropClient();

    QTcpServer server_;
    ScpiSession session_;
    QPointer<QTcpSocket> client_;
    QByteArray received_;  // what the client sent after the last whole line
};

}  // namespace kalvira::remote
