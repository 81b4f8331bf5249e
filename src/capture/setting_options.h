#pragma once

#include <QCommandLineOption>
#include <QString>
#include <variant>

#include "settings/scope_settings.h"

class QCommandLineParser;

namespace kalvira::capture {

// --rate, --samples, --trigger, --level and --edge: what the unit is asked for, named as the
// scope's settings name these fields for kalvira-capture.
struct SettingOptions {
    QCommandLineOption rate;
    QCommandLineOption samples;
    QCommandLineOption trigger;
    QCommandLineOption level;
    QCommandLineOption edge;
};

// Adds the options to parser, after those already added.
SettingOptions addSettingOptions(QCommandLineParser &parser);

// The settings the parsed command line gives, or the text of the usage error, checked in the
// order of the options. The trigger mode is a single run's ("Ext./Single" or "Trig./Single"),
// the rest the window's defaults, without a calibration.
std::variant<settings::ScopeSettings, QString> readSettingOptions(const QCommandLineParser &parser,
                                                                  const SettingOptions &options);

}  // namespace kalvira::capture
