#include "NotationModel.h"

#include "MoveWords.h"

#include <tavlon/Board.h>

NotationModel::NotationModel(std::function<QString(const QString &)> sanText)
    : oSanText(std::move(sanText)) {}

qint64 NotationModel::PlyOfFen(const QString &sFen) {
    // 2 per full move, one more with Black to move; a field that cannot be read counts as the
    // start.
    const QStringList oFields = sFen.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qint64 nFullMove = oFields.size() > 5 ? std::max(1LL, oFields[5].toLongLong()) : 1;
    const bool bBlack = oFields.size() > 1 && oFields[1] == QLatin1String("b");
    return 2 * (nFullMove - 1) + (bBlack ? 1 : 0);
}

QString NotationModel::MoveNumber(qint64 nPly) {
    return QString::number(nPly / 2 + 1) +
           (nPly % 2 == 0 ? QStringLiteral(". ") : QStringLiteral("... "));
}

QString NotationModel::Text(int i, const QString &sMove) const {
    if (bStandard)
        return Number(i) + oSanText(sMove);
    // Coordinates, e7e8q written as e7-e8=Q: the list is a record, so it names the new piece.
    QString sEntry = Number(i) + sMove.left(2) + QLatin1Char('-') + sMove.mid(2, 2);
    if (sMove.size() > 4)
        sEntry += QLatin1Char('=') + oSanText(sMove.mid(4, 1).toUpper());
    return sEntry;
}

QString NotationModel::Words(const Board *board, int i, const QString &sSan,
                             const QString &sCoordinate) const {
    return Number(i) + MoveInWords(board->FenAt(i), sCoordinate, sSan);
}

void NotationModel::Restart(const Board *board) {
    nStartPly = PlyOfFen(board->Fen()) - board->PlyCount();
    Rebuild(board);
}

void NotationModel::Rebuild(const Board *board) {
    const QStringList oSan = board->SanMoves();
    const QStringList oCoordinates = board->CoordinateMoves();
    const QStringList &oMoves = bStandard ? oSan : oCoordinates;
    oEntries.clear();
    oEntries.reserve(oMoves.size());
    for (int i = 0; i < oMoves.size(); ++i)
        oEntries.append(
            {Text(i, oMoves[i]), Words(board, i, oSan.value(i), oCoordinates.value(i))});
}

const NotationModel::Entry &NotationModel::Append(const Board *board, const QString &sSquares) {
    const int nPly = Count();
    // A host that set the board up itself may have left the side to begin with unknown here.
    if (IsWhite(nPly) != board->IsWhitesTurn())
        ++nStartPly;
    // The record's own form of the move, with its promotion piece; the event's squares for a
    // host that set the board up without one.
    const QStringList oSan = board->SanMoves();
    const QStringList oCoordinates = board->CoordinateMoves();
    const QStringList &oMoves = bStandard ? oSan : oCoordinates;
    Entry o{Text(nPly, oMoves.isEmpty() ? sSquares : oMoves.constLast()), {}};
    if (!oSan.isEmpty()) {
        const int nLast = static_cast<int>(oSan.size()) - 1;
        o.sWords = Words(board, nLast, oSan.constLast(), oCoordinates.value(nLast));
    }
    oEntries.append(o);
    return oEntries.constLast();
}

void NotationModel::RemoveLast() {
    if (!oEntries.isEmpty())
        oEntries.removeLast();
}

int NotationModel::Row(int i) const {
    // The first entry of a list is the first half-move of its colour at or after the start.
    const qint64 nFirst = nStartPly + ((nStartPly % 2 == 0) == IsWhite(i) ? 0 : 1);
    return static_cast<int>((nStartPly + i - nFirst) / 2);
}

int NotationModel::PlyOfRow(bool bWhite, int nRow) const {
    const qint64 nFirst = nStartPly + ((nStartPly % 2 == 0) == bWhite ? 0 : 1);
    return static_cast<int>(nFirst - nStartPly) + 2 * nRow + 1;
}
