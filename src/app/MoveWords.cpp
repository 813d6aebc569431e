#include "MoveWords.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString Tr(const char *sText) {
    return QCoreApplication::translate("MoveWords", sText);
}

// The FEN letter on a square of the placement ("PNBRQK" White's, lower case Black's).
QChar PieceOn(const QString &sFen, const QString &sSquare) {
    const QStringList oRanks = sFen.section(QLatin1Char(' '), 0, 0).split(QLatin1Char('/'));
    const QString sRank = oRanks.value(8 - sSquare.mid(1, 1).toInt());
    const int nFile = sSquare.isEmpty() ? -1 : sSquare[0].unicode() - 'a';
    int nAt = 0;
    for (const QChar c : sRank) {
        if (c.isDigit()) {
            nAt += c.digitValue();
        } else if (nAt++ == nFile) {
            return c;
        }
        if (nAt > nFile)
            break;
    }
    return {};
}

// Each piece in words, as the one moving and as the one taken; index "pnbrqk", Black's after
// White's.
QString PieceName(QChar c, bool bTaken) {
    static const char *const Movers[] = {QT_TRANSLATE_NOOP("MoveWords", "White pawn"),
                                         QT_TRANSLATE_NOOP("MoveWords", "White knight"),
                                         QT_TRANSLATE_NOOP("MoveWords", "White bishop"),
                                         QT_TRANSLATE_NOOP("MoveWords", "White rook"),
                                         QT_TRANSLATE_NOOP("MoveWords", "White queen"),
                                         QT_TRANSLATE_NOOP("MoveWords", "White king"),
                                         QT_TRANSLATE_NOOP("MoveWords", "Black pawn"),
                                         QT_TRANSLATE_NOOP("MoveWords", "Black knight"),
                                         QT_TRANSLATE_NOOP("MoveWords", "Black bishop"),
                                         QT_TRANSLATE_NOOP("MoveWords", "Black rook"),
                                         QT_TRANSLATE_NOOP("MoveWords", "Black queen"),
                                         QT_TRANSLATE_NOOP("MoveWords", "Black king")};
    static const char *const Taken[] = {QT_TRANSLATE_NOOP("MoveWords", "taking white pawn"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking white knight"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking white bishop"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking white rook"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking white queen"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking white king"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking black pawn"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking black knight"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking black bishop"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking black rook"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking black queen"),
                                        QT_TRANSLATE_NOOP("MoveWords", "taking black king")};
    const qsizetype i = QStringLiteral("pnbrqk").indexOf(c.toLower());
    if (i < 0)
        return {};
    return Tr((bTaken ? Taken : Movers)[i + (c.isUpper() ? 0 : 6)]);
}

} // namespace

QString MoveInWords(const QString &sFenBefore, const QString &sCoordinate, const QString &sSan) {
    const QString sFrom = sCoordinate.left(2), sTo = sCoordinate.mid(2, 2);
    const QChar cPiece = PieceOn(sFenBefore, sFrom);
    if (cPiece.isNull() || sTo.size() != 2)
        return {};
    const bool bWhite = cPiece.isUpper();
    QString s;
    if (sSan.startsWith(QLatin1String("O-O"))) {
        const bool bLong = sSan.startsWith(QLatin1String("O-O-O"));
        s = bWhite ? (bLong ? QCoreApplication::translate("MoveWords", "White castles queenside")
                            : QCoreApplication::translate("MoveWords", "White castles kingside"))
                   : (bLong ? QCoreApplication::translate("MoveWords", "Black castles queenside")
                            : QCoreApplication::translate("MoveWords", "Black castles kingside"));
    } else {
        s = QCoreApplication::translate("MoveWords", "%1 from %2 to %3")
                .arg(PieceName(cPiece, false), sFrom, sTo);
        if (sSan.contains(QLatin1Char('x'))) {
            // En passant takes the pawn beside the empty square it moves to.
            const QChar cTaken = PieceOn(sFenBefore, sTo);
            s += QLatin1String(", ") +
                 PieceName(cTaken.isNull() ? QChar(bWhite ? u'p' : u'P') : cTaken, true);
        }
        static const char *const Promotions[] = {
            QT_TRANSLATE_NOOP("MoveWords", "becoming a knight"),
            QT_TRANSLATE_NOOP("MoveWords", "becoming a bishop"),
            QT_TRANSLATE_NOOP("MoveWords", "becoming a rook"),
            QT_TRANSLATE_NOOP("MoveWords", "becoming a queen")};
        if (const qsizetype i = QStringLiteral("nbrq").indexOf(sCoordinate.mid(4, 1));
            sCoordinate.size() > 4 && i >= 0)
            s += QLatin1String(", ") + Tr(Promotions[i]);
    }
    if (sSan.endsWith(QLatin1Char('#')))
        s += QLatin1String(", ") + QCoreApplication::translate("MoveWords", "checkmate");
    else if (sSan.endsWith(QLatin1Char('+')))
        s += QLatin1String(", ") + QCoreApplication::translate("MoveWords", "check");
    return s;
}
