#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallTranslations(const QLocale &oLocale) {
    // Our texts are compiled in; Qt's own (standard buttons, dialogs) come from the system.
    const struct {
        const char *sName;
        QString sDir;
    } oSources[] = {{"tavlon", QStringLiteral(":/i18n")},
                    {"qtbase", QLibraryInfo::path(QLibraryInfo::TranslationsPath)}};
    for (const auto &o : oSources) {
        auto *pTranslator = new QTranslator(QCoreApplication::instance());
        if (pTranslator->load(oLocale, QString::fromLatin1(o.sName), QStringLiteral("_"), o.sDir))
            QCoreApplication::installTranslator(pTranslator);
        else
            delete pTranslator;
    }
}
