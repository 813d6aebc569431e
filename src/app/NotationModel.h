// The game's main line as the move lists read it: each half-move's entry, numbered from the
// game's first move ("12. e4", "12... g8-f6"), with its words for screen readers.
#pragma once

#include <QList>
#include <QString>
#include <functional>

class Board;

class NotationModel {
public:
    struct Entry {
        QString sText;  // as listed: "1. e4" or "1. e2-e4"
        QString sWords; // "1. White pawn from e2 to e4"; empty without the board's record of it
    };
    // sanText turns a move's SAN into the letters the window shows.
    explicit NotationModel(std::function<QString(const QString &)> sanText);

    // Standard notation (SAN) or coordinates; the entries follow at the next Rebuild.
    void SetStandard(bool bSan) { bStandard = bSan; }
    // A new game on the board: its entries, numbered from its start position.
    void Restart(const Board *board);
    // Every entry again from the board's main line, numbered as before.
    void Rebuild(const Board *board);
    // The move the board is playing (raised before its turn passes), appended; sSquares names it
    // for a host that set the board up without a record of its moves.
    const Entry &Append(const Board *board, const QString &sSquares);
    void RemoveLast();

    int Count() const { return static_cast<int>(oEntries.size()); }
    const Entry &At(int i) const { return oEntries[i]; } // i: 0 the first move
    // Whose list entry i stands in, and its row there.
    bool IsWhite(int i) const { return (nStartPly + i) % 2 == 0; }
    int Row(int i) const;
    // The ply after the entry in that list's row (1: after the first move).
    int PlyOfRow(bool bWhite, int nRow) const;
    // The move number as the entry of ply i starts: "12. " or "12... ".
    QString Number(int i) const { return MoveNumber(nStartPly + i); }

    // The move number before the move of absolute ply n (0: White's first): "12. " or "12... ".
    // The pane numbers the moves of every line as the lists number the main line's.
    static QString MoveNumber(qint64 nPly);
    // The ply a FEN's position stands at, from its move number and side to move.
    static qint64 PlyOfFen(const QString &sFen);

private:
    QString Text(int i, const QString &sMove) const;
    QString Words(const Board *board, int i, const QString &sSan, const QString &sCoordinate) const;

    std::function<QString(const QString &)> oSanText;
    bool bStandard = false;
    qint64 nStartPly = 0; // half-moves before the first entry (Black to begin: odd)
    QList<Entry> oEntries;
};
