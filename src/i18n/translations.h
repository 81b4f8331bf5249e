#pragma once

class QCoreApplication;

namespace kalvira::i18n {

// Installs, for the user's language (QLocale::system(), which on Linux reads LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG itself, with or without the locale generated), the translation of the
// program's own texts built into it and Qt's own (its dialogs, the command line's usage words)
// when the system has it. The link's Hungarian messages and the window's captions are never
// marked for translation: they read the same in every language. Returns whether the program's
// translation was found; without one its texts stay in English.
bool installTranslations(QCoreApplication &app);

}  // namespace kalvira::i18n
