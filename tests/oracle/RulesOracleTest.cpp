#include "Oracle.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <gtest/gtest.h>

using namespace modConsts;

namespace {

// The core, driven the way a player drives it: BeginMove, the promotion answer, JudgeMove,
// PassTurn, UndoLastMove.
class CoreGame : public GameUnderTest {
public:
    void Start(bool bWhiteFirst, const std::string &sLayout) override {
        m_oRules.NewGame(bWhiteFirst, sLayout);
    }

    std::vector<std::string> Moves(const std::string &, std::string &sProblem) override {
        const std::string sBefore = State();
        const std::size_t nRecords = m_oRules.UndoCount();
        const bool bWhite = m_oRules.IsWhitesTurn();
        std::vector<std::string> oMoves;
        // Every from-to pair, as a player might try it; a promotion once for each piece.
        for (int s = 1; s <= SquareCount; ++s)
            for (int d = 1; d <= SquareCount; ++d)
                for (std::int16_t nKind = BlackQueen; nKind <= BlackBishop; ++nKind) {
                    const clsRules::MoveStart oStart = m_oRules.BeginMove(s, d);
                    if (!oStart.bAccepted)
                        break;
                    const std::int16_t nClass =
                        oStart.bPromotionPending ? (bWhite ? WhiteOffset : 0) + nKind : NoPiece;
                    if (nClass != NoPiece && !m_oRules.PromotionChoice(nClass))
                        sProblem = "promotion answer refused for " + UciOf(s, d, nClass);
                    if (m_oRules.JudgeMove().bPlayed) {
                        oMoves.push_back(UciOf(s, d, nClass));
                        m_oRules.PassTurn();
                        m_oRules.UndoLastMove();
                    }
                    if (sProblem.empty() &&
                        (State() != sBefore || m_oRules.UndoCount() != nRecords))
                        sProblem = "trying " + UciOf(s, d, nClass) + " left the game changed";
                    if (nClass == NoPiece)
                        break;
                }
        std::sort(oMoves.begin(), oMoves.end());

        // The engine's own search (what mate and stalemate rest on) must try every legal move.
        std::array<std::int8_t, 32> oDests{};
        for (const std::string &m : oMoves) {
            const auto pEnd =
                oDests.begin() +
                m_oRules.CandidateDestinations(clsRules::NotationToSquare(m.substr(0, 2)), oDests);
            if (std::find(oDests.begin(), pEnd, clsRules::NotationToSquare(m.substr(2, 2))) == pEnd)
                sProblem = "the move search never tries " + m;
        }
        return oMoves;
    }

    std::optional<Verdict> Play(const std::string &sMove) override {
        const clsRules::MoveStart oStart =
            m_oRules.BeginMove(clsRules::NotationToSquare(sMove.substr(0, 2)),
                               clsRules::NotationToSquare(sMove.substr(2, 2)));
        if (oStart.bPromotionPending) {
            const char c = sMove.size() > 4 ? sMove[4] : 'q';
            m_oRules.PromotionChoice(
                ClassOfLetter(m_oRules.IsWhitesTurn() ? char(std::toupper(c)) : c));
        }
        const clsRules::MoveVerdict v = m_oRules.JudgeMove();
        if (!oStart.bAccepted || !v.bPlayed)
            return std::nullopt;
        m_oRules.PassTurn();
        return Verdict{v.bOpponentInCheck, v.bOpponentMated, v.bOpponentStalemated};
    }

    bool Undo() override { return m_oRules.UndoLastMove(); }

    // Castling rights follow from unmoved kings and rooks on their home squares.
    std::string State() override {
        auto Unmoved = [&](std::string_view sPieceSquare) {
            const clsSquare &o =
                m_oRules.Square(clsRules::NotationToSquare(sPieceSquare.substr(1)));
            return o.HasPiece && o.Piece->Class == ClassOfLetter(sPieceSquare[0]) &&
                   !o.Piece->HasMoved;
        };
        std::string sCastling;
        for (std::string_view s : {"KKe1Rh1", "QKe1Ra1", "kke8rh8", "qke8ra8"})
            if (Unmoved(s.substr(1, 3)) && Unmoved(s.substr(4)))
                sCastling += s[0];
        const bool bWhite = m_oRules.IsWhitesTurn();
        const std::string sEp = m_oRules.EnPassantPossible()
                                    ? clsRules::SquareToNotation(clsRules::SquareIndex(
                                          m_oRules.EnPassantColumn(), bWhite ? 3 : 6))
                                    : "-";
        return m_oRules.Layout() + (bWhite ? " w " : " b ") +
               (sCastling.empty() ? "-" : sCastling) + ' ' + sEp;
    }

    std::optional<Verdict> PositionVerdict() override {
        const bool bWhite = m_oRules.IsWhitesTurn();
        const int nKing = bWhite ? m_oRules.WhiteKingSquare() : m_oRules.BlackKingSquare();
        return Verdict{m_oRules.IsSquareAttacked(bWhite, nKing),
                       m_oRules.IsCheckmate(bWhite, nKing), m_oRules.IsStalemate(bWhite, nKing)};
    }

private:
    clsRules m_oRules;
};

TEST(Oracle, RandomGamesThroughTheCoreAgreeWithStockfish) {
    CoreGame oGame;
    RunOracleGames(oGame, "core", 300);
}

} // namespace
