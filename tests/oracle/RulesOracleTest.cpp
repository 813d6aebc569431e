#include "Oracle.h"

#include <gtest/gtest.h>

namespace {

// The core, driven through its legal-move list, PlayMove and UndoLastMove.
class CoreGame : public GameUnderTest {
public:
    void Start(const std::string &sFen) override { m_oRules.SetFen(sFen); }

    std::vector<std::string> Moves(const std::string &, std::string &sProblem) override {
        const std::string sBefore = m_oRules.Fen();
        std::vector<std::string> oMoves = LegalCoordinates(m_oRules);
        if (m_oRules.Fen() != sBefore)
            sProblem = "listing the moves changed the game";
        return oMoves;
    }

    std::optional<Verdict> Play(const std::string &sMove) override {
        clsRules::MoveVerdict v;
        if (!m_oRules.PlayMove(MoveOf(m_oRules, sMove), &v))
            return std::nullopt;
        return Verdict{v.bOpponentInCheck, v.bOpponentMated, v.bOpponentStalemated};
    }

    bool Undo() override { return m_oRules.UndoLastMove(); }

    std::string Fen() override { return m_oRules.Fen(); }

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
