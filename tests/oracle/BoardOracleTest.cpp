#include "Oracle.h"

#include <QApplication>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <tavlon/Board.h>

using namespace modConsts;

namespace {

// The Board control, driven through its public operations and events as a host window drives
// it: MovePiece, the PawnPromotion question answered with PromotionChoice from the handler,
// UndoLastMove.
class BoardGame : public GameUnderTest {
public:
    BoardGame() {
        // The answer takes the mover's colour, so that a wrong event is reported, not waited on.
        QObject::connect(&m_oBoard, &Board::PawnPromotion, [this](bool bIsWhite) {
            ++m_nPromotions;
            const bool bWhite = m_oBoard.IsWhitesTurn();
            if (bIsWhite != bWhite)
                m_sProblem = "PawnPromotion names the wrong colour";
            m_oBoard.PromotionChoice(static_cast<qint16>((bWhite ? WhiteOffset : 0) + m_nKind));
        });
        QObject::connect(&m_oBoard, &Board::PieceCapture,
                         [this](qint16 nClass) { m_nCaptured = nClass; });
        // The mover is still to move while it is told; a check on its own king counts as none.
        QObject::connect(&m_oBoard, &Board::KingInCheck, [this](bool bIsWhite, bool bIsMate) {
            m_oVerdict.bInCheck = bIsWhite != m_oBoard.IsWhitesTurn();
            m_oVerdict.bMated = bIsMate;
        });
        QObject::connect(&m_oBoard, &Board::Stalemate, [this] { m_oVerdict.bStalemated = true; });
    }

    void Start(const std::string &sFen) override {
        m_oBoard.NewGame(sFen.find(" w ") != std::string::npos,
                         QString::fromStdString(LayoutFromFen(sFen)));
    }

    // Tries every destination for each piece of the side to move, a promotion once per piece:
    // the one deliberate all-pairs probe, independent of the rules' own move list.
    std::vector<std::string> Moves(const std::string &sFen, std::string &sProblem) override {
        m_sFen = sFen;
        const bool bWhite = sFen.find(" w ") != std::string::npos;
        std::vector<std::string> oMoves;
        for (int s = 1; s <= SquareCount; ++s) {
            const char cPiece = PieceAt(sFen, s);
            if (cPiece == '.' || bool(std::isupper(cPiece)) != bWhite)
                continue;
            for (int d = 1; d <= SquareCount; ++d)
                for (m_nKind = BlackQueen; m_nKind <= BlackBishop; ++m_nKind) {
                    m_nPromotions = 0;
                    if (Move(Uci(s, d))) {
                        oMoves.push_back(Uci(
                            s, d, m_nPromotions ? (bWhite ? WhiteOffset : 0) + m_nKind : NoPiece));
                        m_oBoard.UndoLastMove();
                    }
                    if (m_nPromotions == 0)
                        break;
                }
        }
        std::sort(oMoves.begin(), oMoves.end());
        sProblem = std::exchange(m_sProblem, {});
        return oMoves;
    }

    // The move is one Moves has just listed, in the position of m_sFen.
    std::optional<Verdict> Play(const std::string &sMove) override {
        m_nKind = sMove.size() > 4 ? KindOf(ClassOfLetter(sMove[4])) : BlackQueen;
        if (!Move(sMove))
            return std::nullopt;
        const char cTaken = PieceAt(m_sFen, clsRules::NotationToSquare(sMove.substr(2, 2)));
        if (m_nCaptured != (cTaken == '.' ? NoPiece : ClassOfLetter(cTaken)))
            m_sProblem = "PieceCapture does not match the piece taken by " + sMove;
        return m_oVerdict;
    }

    bool Undo() override { return m_oBoard.UndoLastMove(); }

private:
    static std::string Uci(int s, int d, int nPromotion = NoPiece) {
        return Notation::Coordinate(
            ::Move{std::int8_t(s), std::int8_t(d), std::int16_t(nPromotion)});
    }
    static std::int16_t ClassOfLetter(char c) {
        return static_cast<std::int16_t>(std::string_view("kqrnbpKQRNBP").find(c));
    }

    // MovePiece with the events of this one move collected.
    bool Move(const std::string &sMove) {
        m_nCaptured = NoPiece;
        m_oVerdict = {};
        return m_oBoard.MovePiece(QString::fromStdString(sMove.substr(0, 2)),
                                  QString::fromStdString(sMove.substr(2, 2)));
    }

    Board m_oBoard;
    std::string m_sFen;                // the oracle's position
    std::int16_t m_nKind = BlackQueen; // the promotion piece the handler answers with
    int m_nPromotions = 0;
    qint16 m_nCaptured = NoPiece;
    Verdict m_oVerdict;
    std::string m_sProblem; // reported by the next Moves
};

TEST(Oracle, RandomGamesThroughTheBoardAgreeWithStockfish) {
    int argc = 1;
    char sName[] = "tavlon_oracle_board_tests";
    char *argv[] = {sName, nullptr};
    QApplication oApp(argc, argv);
    BoardGame oGame;
    RunOracleGames(oGame, "board", 60);
}

} // namespace
