#pragma once

#include "BoardGeometry.h"
#include "SquareRenderer.h"
#include "clsRules.h"

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <tavlon/Board.h>
#include <vector>

class QEventLoop;

// The board's state, out of the public header so that a host sees no type of the rules core.
class BoardPrivate {
public:
    explicit BoardPrivate(Board *pBoard) : q(pBoard) {}

    static constexpr qint16 NeverDrawn = -2; // m_nShown of a picture never drawn

    bool EndGame(bool (clsRules::*pEnd)(), const char *sWhy);
    SquareRenderer::Marks MarksOf(int nSquare) const;

    Board *const q;

    clsRules m_oRules;
    SquareRenderer m_oRenderer;
    BoardGeometry::Grid m_oGrid; // where the cells sit at the control's size
    std::array<QPixmap, 64> m_oSquarePictures;
    // What each picture shows (piece class, or -1 when empty); -2 when it was never drawn.
    std::array<qint16, 64> m_nShown{};
    // The marks each picture shows.
    std::array<SquareRenderer::Marks, 64> m_oShownMarks{};
    std::array<SquareRenderer::Marks, 64> m_oMarks{};
    std::uint64_t m_nDirty = ~std::uint64_t{0};
    bool m_bIsWhitesView = true;
    int m_nRenderedSquares = 0;

    int m_nLiftedSquare = 0; // 0: no drag
    qint16 m_nLiftedClass = -1;
    QPoint m_oPointer;

    QEventLoop *m_pPromotionLoop = nullptr;
    bool m_bReporting = false;
    bool m_bPromoting = false; // from PawnPromotion until the wait is over
    unsigned m_nGame = 0; // counts NewGame calls, so a game started by a handler keeps its turn

    bool m_bShowLastMove = false;
    bool m_bShowCheck = false;
    bool m_bShowLegalMoves = false;
    bool m_bShowCoordinates = false;
    bool m_bMarksScheduled = false;
    int m_nSelected = 0;
    int m_nPressed = 0;         // where the left button went down
    int m_nFocus = 53;          // the keyboard's square, e2 to begin with
    bool m_bFocusShown = false; // focus came from the keyboard, or a key has been used since
    int m_nTargetsOf = 0;       // the square m_nTargets was worked out for
    std::uint64_t m_nTargets = 0;
    QString m_sLastError;
    // The game's SAN, kept with a replay standing after its last move, so that asking after
    // every move writes only the new ones.
    clsRules m_oSanReplay;
    std::vector<std::string> m_oSans;
};
