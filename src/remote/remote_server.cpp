#include "remote_server.h"

#include <QFile>
#include <QTcpSocket>

#include "acquisition/port_settings.h"
#include "scope/scope.h"

namespace kalvira::remote {

RemoteServer::RemoteServer(scope::Scope &scope, QObject *parent)
    : QObject(parent), session_(scope) {
    session_.instrument().version = KALVIRA_VERSION;
    // The device of the port the next run opens, when there is one.
    session_.instrument().unitName = [&scope] {
        const std::string device = acquisition::deviceForPort(scope.port() + 1);
        return QFile::exists(QString::fromStdString(device)) ? device : std::string("no unit");
    };
    connect(&server_, &QTcpServer::newConnection, this, &RemoteServer::accept);
    connect(&session_, &ScpiSession::ready, this, &RemoteServer::takeLines);
    connect(&session_, &ScpiSession::replied, this, [this](const QByteArray &message) {
        if (client_) client_->write(message);
    });
}

// The client goes while the session it talks to is still there.
RemoteServer::~RemoteServer() {
    close();
}

std::optional<QString> RemoteServer::listen(const ListenAddress &address) {
    close();
    if (!server_.listen(address.host, address.port)) return server_.errorString();
    return {};
}

void RemoteServer::close() {
    server_.close();
    if (client_) client_->abort();
    dropClient();
}

QString RemoteServer::address() const {
    return describe(server_.serverAddress(), server_.serverPort());
}

void RemoteServer::accept() {
    while (QTcpSocket *socket = server_.nextPendingConnection()) {
        if (client_) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->write("another client holds the instrument\n");
            socket->disconnectFromHost();
            continue;
        }
        client_ = socket;
        connect(socket, &QTcpSocket::readyRead, this, &RemoteServer::takeLines);
        connect(socket, &QTcpSocket::bytesWritten, this, &RemoteServer::takeLines);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            socket->deleteLater();
            if (socket == client_) dropClient();
        });
        emit clientChanged(true);
    }
}

// Whole lines, one after another, while the session is free and the client keeps up.
void RemoteServer::takeLines() {
    while (client_ && !session_.busy() && client_->bytesToWrite() < kMaxPendingBytes) {
        received_ += client_->readAll();
        const qsizetype end = received_.indexOf('\n');
        if (end < 0) {
            if (received_.size() > kMaxLineBytes) {
                client_->abort();  // the disconnect lets the client go
                dropClient();
            }
            return;
        }
        QByteArray line = received_.left(end);
        received_.remove(0, end + 1);
        if (line.endsWith('\r')) line.chop(1);
        if (line.size() > kMaxLineBytes) {
            client_->abort();
            dropClient();
            return;
        }
        session_.takeLine(
            std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
    }
}

void RemoteServer::dropClient() {
    received_.clear();
    session_.forget();
    if (!client_) return;
    client_ = nullptr;
    emit clientChanged(false);
}

}  // namespace kalvira::remote
