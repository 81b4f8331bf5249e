#include "window_arguments.h"

#include <QCoreApplication>

namespace kalvira::ui {

WindowArguments parseWindowArguments(const QStringList &arguments) {
    WindowArguments read;
    const auto refuse = [](const QString &text) {
        WindowArguments refused;
        refused.error = text;
        return refused;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (word.startsWith(QStringLiteral("--remote="))) {
            read.remote = remote::parseListenAddress(word.mid(9));
            if (!read.remote)
                return refuse(QCoreApplication::translate(
                    "kalvira", "--remote must be PORT or ADDRESS:PORT, port 0..65535"));
        } else if (word == QStringLiteral("--remote")) {
            const auto next = i + 1 < arguments.size()
                                  ? remote::parseListenAddress(arguments.at(i + 1))
                                  : std::nullopt;
            read.remote = next.value_or(remote::ListenAddress{});
            if (next) ++i;
        } else if (word.startsWith(QStringLiteral("--"))) {
            return refuse(QCoreApplication::translate("kalvira", "unknown option %1").arg(word));
        } else if (read.recordFile) {
            return refuse(QCoreApplication::translate("kalvira", "one record file at a time"));
        } else {
            read.recordFile = word;
        }
    }
    return read;
}

QString remoteWarning(const remote::ListenAddress &address) {
    return QCoreApplication::translate("kalvira", "anyone who can reach %1 can drive the unit")
        .arg(remote::describe(address.host, address.port));
}

}  // namespace kalvira::ui
