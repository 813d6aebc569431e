#pragma once

#include <QLocale>

// Loads the window's own translation and Qt's for the locale (the system's by default) into the
// application. English, the texts in the code, is what shows where no translation is found.
void InstallTranslations(const QLocale &oLocale = QLocale());
