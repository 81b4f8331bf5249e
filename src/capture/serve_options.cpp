#include "serve_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace kalvira::capture {

ServeOptions addServeOptions(QCommandLineParser &parser) {
    const QCommandLineOption serve(
        QStringLiteral("serve"),
        QCoreApplication::translate(
            "kalvira-capture",
            "Answer SCPI remote control on a TCP port instead of capturing, until Ctrl+C (status "
            "130): PORT on the loopback address, or ADDRESS:PORT elsewhere (anyone on that "
            "network can then drive the unit). Port 0 takes a free one. Records taken go to "
            "--output as a log, when given."),
        QStringLiteral("[ADDRESS:]PORT"));
    parser.addOption(serve);
    return {serve};
}

std::variant<std::optional<remote::ListenAddress>, QString> readServeOptions(
    const QCommandLineParser &parser, const ServeOptions &options) {
    if (!parser.isSet(options.serve)) return std::nullopt;
    const auto address = remote::parseListenAddress(parser.value(options.serve));
    if (!address)
        return QCoreApplication::translate("kalvira-capture",
                                           "--serve must be PORT or ADDRESS:PORT, port 0..65535");
    return address;
}

}  // namespace kalvira::capture
