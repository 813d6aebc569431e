#pragma once

#include <QString>

// A move in words for screen readers, as GNOME Chess offers them: "White pawn from e2 to e4",
// "Black knight from f6 to d5, taking white pawn, check", "White castles kingside". From the
// FEN before the move, the move in coordinates (e7e8q) and its SAN (for the capture and check
// marks). Empty when the move is not one of that position.
QString MoveInWords(const QString &sFenBefore, const QString &sCoordinate, const QString &sSan);
