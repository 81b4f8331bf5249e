#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "remote/listen_address.h"

namespace kalvira::ui {

// What kalvira's command line asks for: a record file to open at start, and remote control.
struct WindowArguments {
    std::optional<QString> recordFile;
    std::optional<remote::ListenAddress> remote;
    std::optional<QString> error;  // the command line is not one: nothing else is taken from it
};

// Reads the arguments (the program's name first): "kalvira rec.csv", "kalvira --remote",
// "kalvira --remote 0.0.0.0:5025 rec.csv", "kalvira --remote=5026". The word after --remote is
// its address when it reads as one, else the default 127.0.0.1:5025 is taken.
WindowArguments parseWindowArguments(const QStringList &arguments);

// The warning for remote control at an address others can reach: "anyone who can reach
// 0.0.0.0:5025 can drive the unit", in the user's language.
QString remoteWarning(const remote::ListenAddress &address);

}  // namespace kalvira::ui
