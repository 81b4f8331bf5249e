#pragma once

#include <QSettings>

#include "acquisition/port_settings.h"

namespace kalvira::ui {

// Where the window remembers what it remembers (options, folders, the calibration).
inline QSettings settingsStore() {
    return QSettings(QLatin1String(acquisition::kSettingsOrganisation),
                     QLatin1String(acquisition::kSettingsApplication));
}

}  // namespace kalvira::ui
