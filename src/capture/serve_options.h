#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>
#include <variant>

#include "remote/listen_address.h"

class QCommandLineParser;

namespace kalvira::capture {

// --serve [ADDRESS:]PORT: remote control instead of a capture.
struct ServeOptions {
    QCommandLineOption serve;
};

// Adds the option to parser, after those already added.
ServeOptions addServeOptions(QCommandLineParser &parser);

// Where the parsed command line asks to listen, none without --serve, or the usage error.
std::variant<std::optional<remote::ListenAddress>, QString> readServeOptions(
    const QCommandLineParser &parser, const ServeOptions &options);

}  // namespace kalvira::capture
