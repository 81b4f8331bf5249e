#pragma once

#include <QJsonObject>
#include <string>
#include <variant>

#include "scope_settings.h"

namespace kalvira::settings {

// The settings as a JSON object: each field under its record file key with its natural JSON type
// (sample_rate_sps 40000, trigger "ext-single", trigger_edge "fall", line_style "line", the flags
// true or false), and "calibration" an object of volts_per_count, zero_count and probe, or null.
QJsonObject toJson(const ScopeSettings &settings);

// The settings a JSON object gives: the fields it names set on top of base, the others as in
// base; or what is wrong, naming the first field that is not right. Unknown names are refused.
std::variant<ScopeSettings, std::string> fromJson(const QJsonObject &object,
                                                  const ScopeSettings &base = {});

}  // namespace kalvira::settings
