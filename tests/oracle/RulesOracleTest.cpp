#include "OracleGame.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace modConsts;

namespace {

std::int16_t PromotionClass(char cLetter, bool bWhite) {
    const std::int16_t nBase = bWhite ? WhiteOffset : 0;
    switch (cLetter) {
    case 'q':
        return nBase + BlackQueen;
    case 'r':
        return nBase + BlackRook;
    case 'n':
        return nBase + BlackKnight;
    default:
        return nBase + BlackBishop;
    }
}

// The core, driven the way a player drives it: BeginMove, the promotion answer, JudgeMove,
// PassTurn, UndoLastMove.
class CoreGame : public GameUnderTest {
public:
    void Start(bool bWhiteFirst, const std::string &sLayout) override {
        m_oRules.NewGame(bWhiteFirst, sLayout);
    }
    std::string Fen() override { return FenOf(m_oRules); }

    std::vector<std::string> LegalMoves(std::string &sProblem) override {
        const std::string sBefore = Fen();
        const std::size_t nRecords = m_oRules.UndoCount();
        const bool bWhite = m_oRules.IsWhitesTurn();
        std::vector<std::string> oMoves;
        auto Unchanged = [&](const std::string &sTrial) {
            if (sProblem.empty() && (Fen() != sBefore || m_oRules.UndoCount() != nRecords ||
                                     m_oRules.IsWhitesTurn() != bWhite))
                sProblem = "trying " + sTrial + " left the game changed";
        };

        // Every from-to pair, as a player might try it; a promotion once for each piece.
        for (int s = 1; s <= SquareCount; ++s)
            for (int d = 1; d <= SquareCount; ++d)
                for (std::int16_t nKind = BlackQueen; nKind <= BlackBishop; ++nKind) {
                    const clsRules::MoveStart oStart = m_oRules.BeginMove(s, d);
                    if (!oStart.bAccepted) {
                        if (m_oRules.UndoCount() != nRecords)
                            Unchanged(UciOf(s, d));
                        break;
                    }
                    const std::int16_t nClass =
                        oStart.bPromotionPending ? (bWhite ? WhiteOffset : 0) + nKind : NoPiece;
                    if (nClass != NoPiece && !m_oRules.PromotionChoice(nClass))
                        sProblem = "promotion answer refused for " + UciOf(s, d, nClass);
                    if (m_oRules.JudgeMove().bPlayed) {
                        oMoves.push_back(UciOf(s, d, nClass));
                        m_oRules.PassTurn();
                        if (!m_oRules.UndoLastMove())
                            sProblem = "cannot take back " + oMoves.back();
                    }
                    Unchanged(UciOf(s, d, nClass));
                    if (nClass == NoPiece)
                        break;
                }
        std::sort(oMoves.begin(), oMoves.end());

        // The engine's own search road (what mate and stalemate rest on) must find the same.
        std::vector<std::string> oSearched = SearchedMoves(bWhite);
        Unchanged("the move search");
        if (sProblem.empty() && oSearched != oMoves)
            sProblem = "move search finds " + std::to_string(oSearched.size()) +
                       " moves, BeginMove accepts " + std::to_string(oMoves.size());
        if (sProblem.empty() && m_oRules.HasLegalMove(bWhite) == oMoves.empty())
            sProblem = "HasLegalMove disagrees with the moves found";
        return oMoves;
    }

    std::optional<Verdict> Play(const std::string &sMove) override {
        const bool bWhite = m_oRules.IsWhitesTurn();
        const clsRules::MoveStart oStart =
            m_oRules.BeginMove(clsRules::NotationToSquare(sMove.substr(0, 2)),
                               clsRules::NotationToSquare(sMove.substr(2, 2)));
        if (!oStart.bAccepted)
            return std::nullopt;
        if (oStart.bPromotionPending)
            m_oRules.PromotionChoice(PromotionClass(sMove.size() > 4 ? sMove[4] : 'q', bWhite));
        const clsRules::MoveVerdict v = m_oRules.JudgeMove();
        if (!v.bPlayed)
            return std::nullopt;
        m_oRules.PassTurn();
        return Verdict{v.bOpponentInCheck, v.bOpponentMated, v.bOpponentStalemated};
    }

    bool Undo() override { return m_oRules.UndoLastMove(); }

    std::optional<Verdict> PositionVerdict() override {
        const bool bWhite = m_oRules.IsWhitesTurn();
        const int nKing = bWhite ? m_oRules.WhiteKingSquare() : m_oRules.BlackKingSquare();
        return Verdict{m_oRules.IsSquareAttacked(bWhite, nKing),
                       m_oRules.IsCheckmate(bWhite, nKing), m_oRules.IsStalemate(bWhite, nKing)};
    }

private:
    // Candidate squares, judged by TryMove, MakeMove and the attack test, then undone.
    std::vector<std::string> SearchedMoves(bool bWhite) {
        std::vector<std::string> oMoves;
        std::array<std::int8_t, 32> oDests{};
        for (int s = 1; s <= SquareCount; ++s) {
            if (!m_oRules.Square(s).HasPiece || m_oRules.Square(s).Piece->IsWhite != bWhite)
                continue;
            const int n = m_oRules.CandidateDestinations(s, oDests);
            for (int k = 0; k < n; ++k) {
                const int d = oDests[static_cast<std::size_t>(k)];
                const clsSquare &oDest = m_oRules.Square(d);
                if (oDest.HasPiece && KindOf(oDest.Piece->Class) == BlackKing)
                    continue;
                for (std::int16_t nKind = BlackQueen; nKind <= BlackBishop; ++nKind) {
                    if (!m_oRules.TryMove(s, d, false))
                        break;
                    m_oRules.MakeMove(s, d, true);
                    const bool bPromotion = m_oRules.PromotionPending();
                    const std::int16_t nClass =
                        bPromotion ? (bWhite ? WhiteOffset : 0) + nKind : NoPiece;
                    if (bPromotion)
                        m_oRules.PromotionChoice(nClass);
                    m_oRules.ClearPromotionPending();
                    const int nKing =
                        bWhite ? m_oRules.WhiteKingSquare() : m_oRules.BlackKingSquare();
                    if (!m_oRules.IsSquareAttacked(bWhite, nKing))
                        oMoves.push_back(UciOf(s, d, nClass));
                    m_oRules.UndoMove();
                    if (!bPromotion)
                        break;
                }
            }
        }
        std::sort(oMoves.begin(), oMoves.end());
        return oMoves;
    }

    clsRules m_oRules;
};

TEST(Oracle, RandomGamesThroughTheCoreAgreeWithStockfish) {
    CoreGame oGame;
    RunOracleGames(oGame, "core", 300);
}

} // namespace
