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
//
// Another program may change the file at any moment. The game on the board is kept as the bytes
// it was read from, so that it is found again by what it is, not by its old number; a save
// writes over those bytes only, and never over a game it was not opened from.
class GameCollection {
public:
    // Indexes a file through a small buffer. A progress bar with Cancel shows over parent once
    // it has taken half a second. Null when cancelled (sCause empty) or refused (sCause says why).
    static std::unique_ptr<GameCollection> ReadFile(const QString &sPath, QWidget *parent,
                                                    QString &sCause);
    static std::unique_ptr<GameCollection> ReadText(const QByteArray &oText);
    // Appends a game to the end of a PGN file (a new name makes the file), after a blank line,
    // through the safe writer: the games already there are copied as they were. The collection
    // of the file as written, with the added game on the board; null with sCause, the file
    // unchanged, when it cannot (not a regular file; a text the game would not stand apart in).
    static std::unique_ptr<GameCollection> AppendGame(const QString &sPath, const QByteArray &oGame,
                                                      QString &sCause);

    int Count() const;
    // The bytes of game n; false with sCause when the file cannot be read there.
    bool GameBytes(int n, QByteArray &oBytes, QString &sCause) const;
    // Game n, read from oBytes (its GameBytes), is now the one on the board.
    void Opened(int n, const QByteArray &oBytes);
    // Whether the file's size or time changed since it was indexed.
    bool ChangedOnDisk() const;
    // Where the game on the board is in the file as it is now: this collection indexed again
    // when the file changed, the game found again by its bytes. False with sCause when the file
    // cannot be read; true with nGame -1 when the game is no longer there.
    bool Refresh(QString &sCause);

    enum class Saved {
        InPlace, // where it was
        Found,   // the file had changed on disk; the game was found again, elsewhere
        Changed, // the file changed on disk and the game is no longer in it
        Refused, // the file cannot be written or read (sCause says why)
    };
    // Writes oGame in place of the game on the board, every other byte as it is now on disk,
    // through the safe writer, and indexes the file again. The file is unchanged unless the
    // answer is InPlace or Found.
    Saved ReplaceGame(const QByteArray &oGame, QString &sCause);

    QString sPath; // empty for a pasted text
    std::shared_ptr<Pgn::Index> pIndex;
    QHash<int, QString> oBad; // games that failed to read, with the reason
    int nGame = -1;           // the game on the board

private:
    // Reads the whole file, a regular one, and notes its size and time.
    bool ReadAll(QByteArray &oAll, QString &sCause);
    // Indexes oAll and finds the game on the board in it, trying nHint first; -1 when it is not.
    static int Find(const QByteArray &oAll, const Pgn::Index &oIndex, const QByteArray &oGame,
                    int nHint);
    void Noted(const QByteArray &oAll, std::shared_ptr<Pgn::Index> pNew);

    QByteArray m_oText;   // a pasted text
    QByteArray m_oOpened; // the game on the board, as its file held it
    qint64 m_nSize = 0;
    QDateTime m_oModified;
};

// Text from a PGN file: UTF-8 when the bytes are valid UTF-8, else Latin-1 as the PGN standard
// says. The game list and the board read names the same way.
QString DecodeUtf8OrLatin1(QByteArrayView oBytes);

// Files written by other programs are usually UTF-8, older ones Latin-1, a few UTF-16 with a
// byte order mark. False for what is not text: NUL characters (binary, or UTF-16 without a
// mark) or more than one control character in a hundred.
bool DecodeGame(const QByteArray &oBytes, QString &sText);
