#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QTcpServer>
#include <string>

namespace kalvira::bench {

// A port nobody listens on just now.
inline quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A remote client as a script is one: a blocking socket in a thread of its own, one line out
// and the answer back before the next.
class ScpiClient {
public:
    explicit ScpiClient(quint16 port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int noDelay = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
    ~ScpiClient() { ::close(fd_); }
    ScpiClient(const ScpiClient &) = delete;
    ScpiClient &operator=(const ScpiClient &) = delete;

    bool connected() const { return connected_; }
    // The answer to a query, its line end included, or of a block the bytes up to its line end;
    // empty when the connection is gone.
    std::string ask(const std::string &query, std::size_t atLeast = 1) {
        const std::string line = query + "\n";
        if (::send(fd_, line.data(), line.size(), MSG_NOSIGNAL) != ssize_t(line.size())) return {};
        std::string answer;
        char buffer[65536];
        while (answer.size() < atLeast || answer.back() != '\n') {
            const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
            if (got <= 0) return {};
            answer.append(buffer, static_cast<std::size_t>(got));
        }
        return answer;
    }

private:
    int fd_;
    bool connected_ = false;
};

}  // namespace kalvira::bench
