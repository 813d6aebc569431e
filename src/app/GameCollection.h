#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <memory>

namespace Pgn {
class Index;
}
class QWidget;

// A PGN file (or pasted text) of several games, as the window holds it: the index, which games
// failed to read and why, the game on the board, and what the file looked like when indexed.
class GameCollection {
public:
    // Indexes a file through a small buffer. A progress bar with Cancel shows over parent once
    // it has taken half a second. Null when cancelled (sCause empty) or refused (sCause says why).
    static std::unique_ptr<GameCollection> ReadFile(const QString &sPath, QWidget *parent,
                                                    QString &sCause);
    static std::unique_ptr<GameCollection> ReadText(const QByteArray &oText);

    int Count() const;
    // The bytes of game n; false with sCause when the file cannot be read there.
    bool GameBytes(int n, QByteArray &oBytes, QString &sCause) const;
    // Whether the file's size or time changed since it was indexed.
    bool ChangedOnDisk() const;
    // Writes oGame in place of game n, every other byte as it was, through the safe writer, and
    // indexes the file again. False with sCause, the file unchanged, when it cannot.
    bool ReplaceGame(int n, const QByteArray &oGame, QString &sCause);

    QString sPath; // empty for a pasted text
    std::shared_ptr<Pgn::Index> pIndex;
    QHash<int, QString> oBad; // games that failed to read, with the reason
    int nGame = -1;           // the game on the board

private:
    QByteArray m_oText; // a pasted text
    qint64 m_nSize = 0;
    QDateTime m_oModified;
};

// Appends a game to the end of a PGN file, after a blank line, through the safe writer: the games
// already there are copied as they were. False with sCause, the file unchanged, when it cannot.
bool AppendGame(const QString &sPath, const QByteArray &oGame, QString &sCause);

// Text from a PGN file: UTF-8 when the bytes are valid UTF-8, else Latin-1 as the PGN standard
// says. The game list and the board read names the same way.
QString DecodeUtf8OrLatin1(QByteArrayView oBytes);

// Files written by other programs are usually UTF-8, older ones Latin-1, a few UTF-16 with a
// byte order mark. False for what is not text: NUL characters (binary, or UTF-16 without a
// mark) or more than one control character in a hundred.
bool DecodeGame(const QByteArray &oBytes, QString &sText);
