#pragma once

#include <QString>
#include <memory>

class GameCollection;
class QCommandLineParser;

// What the commands that run without a window (--export, --analyse) share: their words, their
// messages on standard error and their reading of a PGN file.
namespace CommandLine {

// A text of the "main" context in this language.
QString Tr(const char *s);
// An option with its help and, unless null, its value's name, both of the "main" context.
void AddOption(QCommandLineParser &parser, const char *sName, const char *sHelp,
               const char *sValue);
// Says "tavlon: sText" on standard error and gives back nStatus, the exit status.
int Fail(const QString &sText, int nStatus);
// The games of a PGN file; null with *pError saying why ("cannot read x.pgn: no such file").
std::unique_ptr<GameCollection> ReadGames(const QString &sPath, QString *pError);
// Game n's text; false with *pCause when it cannot be read or is not text.
bool GameText(const GameCollection &oGames, int n, QString &sText, QString *pCause);

} // namespace CommandLine
