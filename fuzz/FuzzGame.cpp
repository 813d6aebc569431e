// A byte stream read as a game: moves typed by square name, promotion answers (good, bad and
// missing), undos, and new games from random layouts. After every step the game must hold
// together; at the end, undoing everything must bring back the start exactly.
#include <clsRules.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace modConsts;

namespace {

[[noreturn]] void Fail(const char *sWhat) {
    std::fprintf(stderr, "%s\n", sWhat);
    std::abort();
}

class Bytes {
public:
    Bytes(const std::uint8_t *p, std::size_t n) : m_p(p), m_n(n) {}
    bool Empty() const { return m_i >= m_n; }
    std::uint8_t Next() { return m_i < m_n ? m_p[m_i++] : 0; }

private:
    const std::uint8_t *m_p;
    std::size_t m_n;
    std::size_t m_i = 0;
};

// About a third of the squares hold a piece; exactly one king of each colour.
std::string RandomLayout(Bytes &oIn) {
    std::string s;
    for (int i = 0; i < SquareCount; ++i) {
        const int c = oIn.Next() % 32;
        s += c < ClassCount && KindOf(static_cast<std::int16_t>(c)) != BlackKing
                 ? LayoutCodes[static_cast<std::size_t>(c)]
                 : EmptyLayoutCode;
    }
    const std::size_t nWhite = oIn.Next() % SquareCount;
    std::size_t nBlack = oIn.Next() % SquareCount;
    if (nBlack == nWhite)
        nBlack = (nBlack + 1) % SquareCount;
    s.replace(2 * nWhite, 2, LayoutCodes[WhiteKing]);
    s.replace(2 * nBlack, 2, LayoutCodes[BlackKing]);
    return s;
}

struct Game {
    clsRules oRules;
    std::string sStartLayout;
    bool bStartWhite = true;
    std::size_t nPlayed = 0;

    void Start(bool bWhite, const std::string &sLayout) {
        oRules.NewGame(bWhite, sLayout);
        sStartLayout = sLayout;
        bStartWhite = bWhite;
        nPlayed = 0;
    }

    void CheckInvariants() const {
        int nWhiteKings = 0;
        int nBlackKings = 0;
        for (int i = 1; i <= SquareCount; ++i) {
            const clsSquare &o = oRules.Square(i);
            if (!o.HasPiece)
                continue;
            if (o.Piece->Class < 0 || o.Piece->Class >= ClassCount ||
                o.Piece->IsWhite != IsWhiteClass(o.Piece->Class))
                Fail("a square holds a malformed piece");
            nWhiteKings += o.Piece->Class == WhiteKing;
            nBlackKings += o.Piece->Class == BlackKing;
        }
        if (nWhiteKings != 1 || nBlackKings != 1)
            Fail("not one king of each colour");
        const clsSquare &oWhite = oRules.Square(oRules.WhiteKingSquare());
        const clsSquare &oBlack = oRules.Square(oRules.BlackKingSquare());
        if (!oWhite.HasPiece || oWhite.Piece->Class != WhiteKing || !oBlack.HasPiece ||
            oBlack.Piece->Class != BlackKing)
            Fail("king squares do not match the board");
        if (oRules.UndoCount() != nPlayed)
            Fail("record count differs from the moves played and not taken back");
        if (oRules.IsWhitesTurn() != (bStartWhite != (nPlayed % 2 == 1)))
            Fail("the side to move does not follow the moves played");
    }

    // One move attempt from s to d, with the promotion answered as the next byte says.
    void Move(int s, int d, Bytes &oIn) {
        const clsRules::MoveStart oStart = oRules.BeginMove(s, d);
        if (!oStart.bAccepted)
            return;
        if (oStart.bPromotionPending) {
            if (oRules.UndoLastMove() || oRules.BeginMove(s, d).bAccepted)
                Fail("the game went on while a promotion waited for its answer");
            const std::uint8_t nAnswer = oIn.Next();
            // Mostly a proper piece, sometimes any code, sometimes no answer at all.
            if (nAnswer % 4 != 3) {
                const std::int16_t nClass = static_cast<std::int16_t>(nAnswer % 14) - 1;
                const std::int16_t nBase = oRules.PromotionIsWhite() ? WhiteOffset : 0;
                const bool bProper = nClass >= nBase + BlackQueen && nClass <= nBase + BlackBishop;
                if (oRules.PromotionChoice(nClass) != bProper)
                    Fail("a promotion answer was judged wrongly");
            }
        }
        const clsRules::MoveVerdict v = oRules.JudgeMove();
        if (v.bPlayed) {
            oRules.PassTurn();
            ++nPlayed;
        } else if (v.bOpponentInCheck || v.bOpponentMated || v.bOpponentStalemated) {
            Fail("a move taken back was given a verdict");
        }
        if (v.bOpponentMated && v.bOpponentStalemated)
            Fail("mated and stalemated at once");
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *pData, std::size_t nSize) {
    Bytes oIn(pData, nSize);
    Game g;
    const std::uint8_t nHead = oIn.Next();
    g.Start((nHead & 1) == 0, nHead & 2 ? RandomLayout(oIn) : std::string(StandardLayout));

    MoveList oMoves;
    for (int nStep = 0; !oIn.Empty() && nStep < 400; ++nStep) {
        switch (const std::uint8_t nOp = oIn.Next(); nOp % 8) {
        case 0:
        case 1:
        case 2:
        case 3: {
            // A legal move, named the way a player types it; none once the game is over.
            g.oRules.LegalMoves(oMoves);
            if (oMoves.empty() && !g.oRules.IsGameOver())
                Fail("no legal move, yet the game goes on");
            if (oMoves.empty())
                break;
            const Move &m = oMoves[oIn.Next() % oMoves.size()];
            const std::string sBefore = g.oRules.Fen();
            g.Move(clsRules::NotationToSquare(clsRules::SquareToNotation(m.nSrc)),
                   clsRules::NotationToSquare(clsRules::SquareToNotation(m.nDest)), oIn);
            if (g.oRules.Fen() == sBefore && !g.oRules.PromotionPending())
                Fail("a listed move was refused");
            break;
        }
        case 4: {
            const int s = 1 + oIn.Next() % SquareCount;
            g.Move(s, 1 + oIn.Next() % SquareCount, oIn);
            break;
        }
        case 5:
        case 6:
            if (g.oRules.UndoLastMove() != (g.nPlayed > 0))
                Fail("undo did not match the moves played");
            if (g.nPlayed > 0)
                --g.nPlayed;
            break;
        default:
            if (nOp & 0x80)
                g.Start(nOp & 0x40, RandomLayout(oIn));
            else if (g.oRules.PromotionChoice(static_cast<std::int16_t>(oIn.Next() % 14) - 1))
                Fail("a promotion answer was taken with no promotion waiting");
            break;
        }
        g.CheckInvariants();
    }

    while (g.oRules.UndoLastMove())
        --g.nPlayed;
    g.CheckInvariants();
    if (g.nPlayed != 0 || g.oRules.Layout() != g.sStartLayout ||
        g.oRules.IsWhitesTurn() != g.bStartWhite || g.oRules.EnPassantPossible())
        Fail("undoing everything did not bring back the start");
    for (int i = 1; i <= SquareCount; ++i)
        if (g.oRules.Square(i).HasPiece && g.oRules.Square(i).Piece->HasMoved)
            Fail("undoing everything left a piece marked as moved");
    return 0;
}
