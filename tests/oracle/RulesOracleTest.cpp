#include "Oracle.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <gtest/gtest.h>

using namespace modConsts;

namespace {

// The core, driven through its legal-move list, PlayMove and UndoLastMove.
class CoreGame : public GameUnderTest {
public:
    void Start(const std::string &sFen) override { m_oRules.SetFen(sFen); }

    std::vector<std::string> Moves(const std::string &, std::string &sProblem) override {
        const std::string sBefore = m_oRules.Fen();
        MoveList oList;
        m_oRules.LegalMoves(oList);
        std::vector<std::string> oMoves;
        for (const Move &m : oList)
            oMoves.push_back(UciOf(m.nSrc, m.nDest, m.nPromotion));
        std::sort(oMoves.begin(), oMoves.end());
        if (m_oRules.Fen() != sBefore)
            sProblem = "listing the moves changed the game";
        return oMoves;
    }

    std::optional<Verdict> Play(const std::string &sMove) override {
        const int nSrc = clsRules::NotationToSquare(sMove.substr(0, 2));
        const int nDest = clsRules::NotationToSquare(sMove.substr(2, 2));
        const char c = sMove.size() > 4 ? sMove[4] : ' ';
        const Move m{
            static_cast<std::int8_t>(nSrc), static_cast<std::int8_t>(nDest),
            c == ' '
                ? NoPiece
                : ClassOfLetter(m_oRules.IsWhitesTurn() ? static_cast<char>(std::toupper(c)) : c)};
        clsRules::MoveVerdict v;
        if (!m_oRules.PlayMove(m, &v))
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
