#include "OracleGame.h"

#include <Board.h>
#include <QApplication>
#include <algorithm>
#include <gtest/gtest.h>

using namespace modConsts;

namespace {

// The Board control, driven through its public operations and events as a host window drives
// it: MovePiece, the PawnPromotion question answered with PromotionChoice from the handler,
// UndoLastMove. A plain rules core follows the played moves to give the oracle its FEN.
class BoardGame : public GameUnderTest {
public:
    BoardGame() {
        QObject::connect(&m_oBoard, &Board::PawnPromotion, [this](bool bIsWhite) {
            ++m_nPromotions;
            if (bIsWhite != m_oBoard.IsWhitesTurn())
                Problem("PawnPromotion names the wrong colour");
            m_oBoard.PromotionChoice(static_cast<qint16>((bIsWhite ? WhiteOffset : 0) + m_nKind));
        });
        QObject::connect(&m_oBoard, &Board::PieceMovement,
                         [this](const QString &sSrc, const QString &sDest) {
                             m_sMoved = (sSrc + sDest).toStdString();
                         });
        QObject::connect(&m_oBoard, &Board::PieceCapture,
                         [this](qint16 nClass) { m_nCaptured = nClass; });
        QObject::connect(&m_oBoard, &Board::KingInCheck, [this](bool bIsWhite, bool bIsMate) {
            if (bIsWhite == m_oBoard.IsWhitesTurn())
                Problem("KingInCheck names the mover's king");
            m_oVerdict.bInCheck = true;
            m_oVerdict.bMated = bIsMate;
        });
        QObject::connect(&m_oBoard, &Board::Stalemate, [this] { m_oVerdict.bStalemated = true; });
    }

    void Start(bool bWhiteFirst, const std::string &sLayout) override {
        m_oBoard.NewGame(bWhiteFirst, QString::fromStdString(sLayout));
        m_oMirror.NewGame(bWhiteFirst, sLayout);
    }
    std::string Fen() override { return FenOf(m_oMirror); }

    std::vector<std::string> LegalMoves(std::string &sProblem) override {
        const bool bWhite = m_oMirror.IsWhitesTurn();
        if (m_oBoard.IsWhitesTurn() != bWhite)
            Problem("the Board names the wrong side to move");
        std::vector<std::string> oMoves;
        for (int s = 1; s <= SquareCount; ++s) {
            const clsSquare &oSrc = m_oMirror.Square(s);
            if (!oSrc.HasPiece || oSrc.Piece->IsWhite != bWhite)
                continue;
            for (int d = 1; d <= SquareCount; ++d)
                for (m_nKind = BlackQueen; m_nKind <= BlackBishop; ++m_nKind) {
                    const std::string sMove = UciOf(s, d);
                    m_nPromotions = 0;
                    if (Move(sMove)) {
                        oMoves.push_back(UciOf(
                            s, d, m_nPromotions ? (bWhite ? WhiteOffset : 0) + m_nKind : NoPiece));
                        if (!m_oBoard.UndoLastMove())
                            Problem("UndoLastMove refused after " + oMoves.back());
                    }
                    if (m_oBoard.IsWhitesTurn() != bWhite)
                        Problem("trying " + sMove + " changed the side to move");
                    if (m_nPromotions == 0)
                        break;
                }
        }
        std::sort(oMoves.begin(), oMoves.end());
        sProblem = std::exchange(m_sProblem, {});
        return oMoves;
    }

    std::optional<Verdict> Play(const std::string &sMove) override {
        const int nDest = clsRules::NotationToSquare(sMove.substr(2, 2));
        const clsSquare &oDest = m_oMirror.Square(nDest);
        const qint16 nTaken = oDest.HasPiece ? oDest.Piece->Class : NoPiece;
        m_nKind = sMove.size() < 5  ? BlackQueen
                  : sMove[4] == 'r' ? BlackRook
                  : sMove[4] == 'n' ? BlackKnight
                  : sMove[4] == 'b' ? BlackBishop
                                    : BlackQueen;
        if (!Move(sMove))
            return std::nullopt;
        if (m_nCaptured != nTaken)
            Problem("PieceCapture does not match the piece taken by " + sMove);
        const bool bWhite = m_oMirror.IsWhitesTurn();
        const clsRules::MoveStart oStart =
            m_oMirror.BeginMove(clsRules::NotationToSquare(sMove.substr(0, 2)), nDest);
        if (oStart.bPromotionPending)
            m_oMirror.PromotionChoice(
                static_cast<std::int16_t>((bWhite ? WhiteOffset : 0) + m_nKind));
        m_oMirror.JudgeMove();
        m_oMirror.PassTurn();
        return m_oVerdict;
    }

    bool Undo() override { return m_oBoard.UndoLastMove() && m_oMirror.UndoLastMove(); }
    std::optional<Verdict> PositionVerdict() override { return std::nullopt; }

private:
    // MovePiece with the events of this one move collected.
    bool Move(const std::string &sMove) {
        m_sMoved.clear();
        m_nCaptured = NoPiece;
        m_oVerdict = {};
        const bool bPlayed = m_oBoard.MovePiece(QString::fromStdString(sMove.substr(0, 2)),
                                                QString::fromStdString(sMove.substr(2, 2)));
        if (bPlayed != (m_sMoved == sMove.substr(0, 4)))
            Problem("PieceMovement does not match the result of " + sMove);
        return bPlayed;
    }
    void Problem(const std::string &s) {
        if (m_sProblem.empty())
            m_sProblem = s;
    }

    Board m_oBoard;
    clsRules m_oMirror;
    std::int16_t m_nKind = BlackQueen; // the promotion piece the handler answers with
    int m_nPromotions = 0;
    std::string m_sMoved;
    qint16 m_nCaptured = NoPiece;
    Verdict m_oVerdict;
    std::string m_sProblem;
};

TEST(Oracle, RandomGamesThroughTheBoardAgreeWithStockfish) {
    BoardGame oGame;
    RunOracleGames(oGame, "board", 60);
}

} // namespace

int main(int argc, char **argv) {
    QApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
