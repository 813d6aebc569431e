#include "CommandLine.h"

#include "GameCollection.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace CommandLine {

QString Tr(const char *s) {
    return QCoreApplication::translate("main", s);
}

void AddOption(QCommandLineParser &parser, const char *sName, const char *sHelp,
               const char *sValue) {
    parser.addOption(
        QCommandLineOption(QLatin1String(sName), Tr(sHelp), sValue ? Tr(sValue) : QString()));
}

int Fail(const QString &sText, int nStatus) {
    std::fprintf(stderr, "tavlon: %s\n", qUtf8Printable(sText));
    return nStatus;
}

std::unique_ptr<GameCollection> ReadGames(const QString &sPath, QString *pError) {
    QString sCause;
    auto p = QFileInfo(sPath).isFile() ? GameCollection::ReadFile(sPath, nullptr, sCause) : nullptr;
    if (p == nullptr)
        *pError = Tr(QT_TRANSLATE_NOOP("main", "cannot read %1: %2"))
                      .arg(sPath, sCause.isEmpty() ? Tr(QT_TRANSLATE_NOOP("main", "no such file"))
                                                   : sCause);
    return p;
}

bool GameText(const GameCollection &oGames, int n, QString &sText, QString *pCause) {
    QByteArray oBytes;
    if (!oGames.GameBytes(n, oBytes, *pCause))
        return false;
    if (DecodeGame(oBytes, sText))
        return true;
    *pCause = Tr(QT_TRANSLATE_NOOP("main", "it is not text"));
    return false;
}

} // namespace CommandLine
