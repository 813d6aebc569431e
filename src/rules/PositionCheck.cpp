// The judge of positions set up by hand. It works on the bare array of pieces, not on a game, so
// it can judge what no game could hold (three kings, no king at all) in well under a microsecond.
#include "PositionCheck.h"

#include "Movement.h"

#include <charconv>
#include <cstdlib>

using namespace modConsts;

namespace PositionCheck {

namespace {

using Pieces = std::array<std::int8_t, 64>;

// Squares here are indices 0..63: x 0 (file a) .. 7, y 0 (rank 8) .. 7 (rank 1).
constexpr int At(int x, int y) {
    return y * 8 + x;
}
constexpr bool OnBoard(int x, int y) {
    return x >= 0 && x < 8 && y >= 0 && y < 8;
}
bool IsSlider(std::int16_t nClass) {
    const std::int16_t k = KindOf(nClass);
    return k == BlackQueen || k == BlackRook || k == BlackBishop;
}
// The way a side's pawns go, in rows.
constexpr int Forward(bool bWhite) {
    return bWhite ? -1 : 1;
}

struct Squares {
    std::array<int, 16> n{};
    int nCount = 0;
    void Add(int k) {
        if (nCount < 16)
            n[static_cast<std::size_t>(nCount++)] = k;
    }
};

// The pieces of side bWhite that attack square k.
Squares Attackers(const Pieces &b, int k, bool bWhite) {
    Squares o;
    const int x = k % 8, y = k / 8;
    const auto Own = [&](int n, std::int16_t nKind) {
        return b[static_cast<std::size_t>(n)] != NoPiece &&
               b[static_cast<std::size_t>(n)] == nKind + (bWhite ? WhiteOffset : 0);
    };
    // A pawn strikes forward: it stands one row behind the square, as its side sees it.
    for (const int dx : {-1, 1})
        if (OnBoard(x + dx, y - Forward(bWhite)) && Own(At(x + dx, y - Forward(bWhite)), BlackPawn))
            o.Add(At(x + dx, y - Forward(bWhite)));
    for (const Movement::Step &s : Movement::Leaps)
        if (OnBoard(x + s.dx, y + s.dy) && Own(At(x + s.dx, y + s.dy), BlackKnight))
            o.Add(At(x + s.dx, y + s.dy));
    for (std::size_t nLine = 0; nLine < Movement::Lines.size(); ++nLine) {
        const Movement::Step s = Movement::Lines[nLine];
        for (int d = 1; OnBoard(x + d * s.dx, y + d * s.dy); ++d) {
            const int n = At(x + d * s.dx, y + d * s.dy);
            const std::int16_t c = b[static_cast<std::size_t>(n)];
            if (c == NoPiece)
                continue;
            const Movement::Pattern &p = Movement::Patterns[static_cast<std::size_t>(KindOf(c))];
            if (IsWhiteClass(c) == bWhite && !p.bLeaps && ((p.nLines >> nLine) & 1) &&
                (p.bSlides || d == 1))
                o.Add(n);
            break;
        }
    }
    return o;
}

int KingOf(const Pieces &b, bool bWhite) {
    for (int k = 0; k < 64; ++k)
        if (b[static_cast<std::size_t>(k)] == (bWhite ? WhiteKing : BlackKing))
            return k;
    return -1;
}

// Whether the piece now on t can have come there from the empty square f in one move of its
// side, a promotion included.
bool CouldCome(const Pieces &b, int f, int t) {
    const std::int16_t c = b[static_cast<std::size_t>(t)];
    const bool bWhite = IsWhiteClass(c);
    const int dx = t % 8 - f % 8, dy = t / 8 - f / 8, nFwd = Forward(bWhite);
    const std::int16_t nKind = KindOf(c);
    if (nKind == BlackKing)
        return false;
    // A pawn's step or capture; on the last rank also a promotion, besides the piece's own move.
    if ((nKind == BlackPawn || t / 8 == (bWhite ? 0 : 7)) && dy == nFwd && std::abs(dx) <= 1)
        return true;
    if (nKind == BlackPawn)
        return dx == 0 && dy == 2 * nFwd && f / 8 == (bWhite ? 6 : 1) &&
               b[static_cast<std::size_t>(f + 8 * nFwd)] == NoPiece;
    Movement::Step s{};
    int nSteps = 0;
    if (!Movement::Reach(nKind, dx, dy, s, nSteps))
        return false;
    for (int i = 1; i < nSteps; ++i)
        if (b[static_cast<std::size_t>(f + i * (s.dy * 8 + s.dx))] != NoPiece)
            return false;
    return true;
}

// Whether square v lies strictly between the slider on s and the king on k, on its line.
bool Between(int s, int v, int k) {
    const int dx = k % 8 - s % 8, dy = k / 8 - s / 8;
    const int vx = v % 8 - s % 8, vy = v / 8 - s / 8;
    const int n = std::max(std::abs(dx), std::abs(dy));
    const int m = std::max(std::abs(vx), std::abs(vy));
    return m > 0 && m < n && vx * n == dx * m && vy * n == dy * m;
}

// Whether some last move of the side not to move gives both checks. Either the piece that moved
// checks and uncovered the other, a slider, by leaving a square between it and the king; or a
// pawn took en passant and uncovered checks through the two squares it emptied.
bool DoubleCheckExplained(const Pieces &b, int nKing, const Squares &oCheckers) {
    const int p = oCheckers.n[0], q = oCheckers.n[1];
    for (const auto &[nMoved, nSlider] : {std::pair{p, q}, std::pair{q, p}}) {
        if (!IsSlider(b[static_cast<std::size_t>(nSlider)]))
            continue;
        for (int f = 0; f < 64; ++f)
            if (Between(nSlider, f, nKing) && b[static_cast<std::size_t>(f)] == NoPiece &&
                CouldCome(b, f, nMoved))
                return true;
    }
    const bool bMover = IsWhiteClass(b[static_cast<std::size_t>(p)]);
    const int nFwd = Forward(bMover), y = bMover ? 2 : 5; // the row a capture en passant ends on
    for (int x = 0; x < 8; ++x) {
        const int t = At(x, y), c = t - 8 * nFwd;
        if (b[static_cast<std::size_t>(t)] != BlackPawn + (bMover ? WhiteOffset : 0) ||
            b[static_cast<std::size_t>(c)] != NoPiece ||
            b[static_cast<std::size_t>(t + 8 * nFwd)] != NoPiece)
            continue;
        for (const int dx : {-1, 1}) {
            const int f = c - dx;
            if (!OnBoard(x - dx, y - nFwd) || b[static_cast<std::size_t>(f)] != NoPiece)
                continue;
            bool bAll = true;
            for (int i = 0; i < 2; ++i) {
                const int n = oCheckers.n[static_cast<std::size_t>(i)];
                bAll = bAll && (n == t || (IsSlider(b[static_cast<std::size_t>(n)]) &&
                                           (Between(n, f, nKing) || Between(n, c, nKing))));
            }
            if (bAll)
                return true;
        }
    }
    return false;
}

// The pawn that gave column x its en passant square, as squares: where it stands and where it
// started, for the side not to move of o.
struct Push {
    int nTo, nOver, nFrom;
};
Push PushOn(const Setup &o, int x) {
    const int nFwd = Forward(!o.bWhiteToMove);
    const int y = o.bWhiteToMove ? 3 : 4; // rank 5 for Black's pawn, rank 4 for White's
    return {At(x, y), At(x, y - nFwd), At(x, y - 2 * nFwd)};
}

bool PushStands(const Setup &o, int x) {
    const Push p = PushOn(o, x);
    const auto &b = o.nClass;
    return b[static_cast<std::size_t>(p.nTo)] == BlackPawn + (o.bWhiteToMove ? 0 : WhiteOffset) &&
           b[static_cast<std::size_t>(p.nOver)] == NoPiece &&
           b[static_cast<std::size_t>(p.nFrom)] == NoPiece;
}

// Whether the check now on the side to move, if any, is one the step of two on column x can
// have given: at most one checker, and no check before the step (the mover cannot have left one).
bool PushGivesCheck(const Setup &o, int x, int nKing) {
    if (Attackers(o.nClass, nKing, !o.bWhiteToMove).nCount > 1)
        return false;
    const Push p = PushOn(o, x);
    Pieces oBefore = o.nClass;
    std::swap(oBefore[static_cast<std::size_t>(p.nTo)], oBefore[static_cast<std::size_t>(p.nFrom)]);
    return Attackers(oBefore, nKing, !o.bWhiteToMove).nCount == 0;
}

// Whether the pieces of a side could stand on the board: at most eight pawns, and no more
// queens, rooks, knights and bishops of each square colour beyond the first army's than the
// missing pawns could have become.
bool MaterialPossible(const Pieces &b, bool bWhite) {
    int n[6] = {}, nLight = 0, nDark = 0;
    for (int k = 0; k < 64; ++k) {
        const std::int16_t c = b[static_cast<std::size_t>(k)];
        if (c == NoPiece || IsWhiteClass(c) != bWhite)
            continue;
        ++n[KindOf(c)];
        if (KindOf(c) == BlackBishop)
            ++((k % 8 + k / 8) % 2 == 0 ? nLight : nDark);
    }
    const auto Over = [](int nHave, int nFirst) { return nHave > nFirst ? nHave - nFirst : 0; };
    const int nPromoted = Over(n[BlackQueen], 1) + Over(n[BlackRook], 2) + Over(n[BlackKnight], 2) +
                          Over(nLight, 1) + Over(nDark, 1);
    return n[BlackPawn] + nPromoted <= 8;
}

} // namespace

CastlingSquares SquaresOf(int nRight) {
    static constexpr CastlingSquares Rights[4] = {{61, 64}, {61, 57}, {5, 8}, {5, 1}};
    return Rights[nRight & 3];
}

unsigned RookFiles(const Setup &o, int nRight) {
    const bool bWhite = nRight < 2, bKingSide = nRight % 2 == 0;
    const int y = bWhite ? 7 : 0;
    const std::int16_t nSide = bWhite ? WhiteOffset : 0;
    int nKing = 0;
    for (int x = 1; x <= 8 && nKing == 0; ++x)
        if (o.nClass[static_cast<std::size_t>(At(x - 1, y))] == BlackKing + nSide)
            nKing = x;
    unsigned nFiles = 0;
    for (int x = 1; x <= 8 && nKing; ++x)
        if ((bKingSide ? x > nKing : x < nKing) &&
            o.nClass[static_cast<std::size_t>(At(x - 1, y))] == BlackRook + nSide)
            nFiles |= 1u << (x - 1);
    return nFiles;
}

int RookSquare(const Setup &o, int nRight) {
    const int nFile = o.nCastlingFile[static_cast<std::size_t>(nRight & 3)];
    return (nRight < 2 ? 56 : 0) + (nFile ? nFile : nRight % 2 == 0 ? 8 : 1);
}

int SupportedCastling(const Setup &o, bool b960) {
    int nMask = 0;
    for (int r = 0; r < 4; ++r) {
        if (b960) {
            if ((RookFiles(o, r) >> ((RookSquare(o, r) - 1) % 8)) & 1)
                nMask |= 1 << r;
            continue;
        }
        const CastlingSquares s = SquaresOf(r);
        const std::int16_t nSide = r < 2 ? WhiteOffset : 0;
        const int nFile = o.nCastlingFile[static_cast<std::size_t>(r)];
        if (o.nClass[static_cast<std::size_t>(s.nKing - 1)] == BlackKing + nSide &&
            o.nClass[static_cast<std::size_t>(s.nRook - 1)] == BlackRook + nSide &&
            (nFile == 0 || nFile == (s.nRook - 1) % 8 + 1))
            nMask |= 1 << r;
    }
    return nMask;
}

unsigned EnPassantColumns(const Setup &o) {
    const int nKing = KingOf(o.nClass, o.bWhiteToMove);
    unsigned nColumns = 0;
    for (int x = 0; x < 8; ++x)
        if (PushStands(o, x) && (nKing < 0 || PushGivesCheck(o, x, nKing)))
            nColumns |= 1u << x;
    return nColumns;
}

Verdict Judge(const Setup &o, bool b960) {
    const Pieces &b = o.nClass;
    Verdict v;
    const auto Fail = [&v](Problem e, bool bWhite, int nCount = 0, int nSquare = 0) {
        v.eProblem = e;
        v.bWhite = bWhite;
        v.nCount = nCount;
        v.nSquare = nSquare;
        return v;
    };
    int nKings[2] = {}, nPieces[2] = {};
    for (const std::int8_t c : b)
        if (c != NoPiece) {
            ++nPieces[IsWhiteClass(c)];
            nKings[IsWhiteClass(c)] += KindOf(c) == BlackKing;
        }
    for (const bool bWhite : {true, false})
        if (nKings[bWhite] != 1)
            return Fail(Problem::KingCount, bWhite, nKings[bWhite]);
    for (const bool bWhite : {true, false})
        if (nPieces[bWhite] > 16)
            return Fail(Problem::TooManyPieces, bWhite, nPieces[bWhite]);
    for (int k = 0; k < 64; ++k) {
        const std::int16_t c = b[static_cast<std::size_t>(k)];
        if (c != NoPiece && KindOf(c) == BlackPawn && (k < 8 || k >= 56))
            return Fail(Problem::PawnOnBackRank, IsWhiteClass(c), 0, k + 1);
    }
    for (const bool bWhite : {true, false})
        if (!MaterialPossible(b, bWhite))
            return Fail(Problem::TooMuchMaterial, bWhite);
    const int nUnsupported = o.nCastling & ~SupportedCastling(o, b960);
    for (int r = 0; r < 4; ++r)
        if ((nUnsupported >> r) & 1) {
            Fail(Problem::CastlingRight, r < 2, 0, b960 ? RookSquare(o, r) : 0);
            v.nRight = r;
            return v;
        }
    const int nColumn = o.nEnPassantColumn;
    const int nEpSquare = nColumn ? PushOn(o, nColumn - 1).nOver + 1 : 0;
    if (nColumn && !PushStands(o, nColumn - 1))
        return Fail(Problem::EnPassant, !o.bWhiteToMove, 0, nEpSquare);
    const bool bMover = !o.bWhiteToMove;
    if (Attackers(b, KingOf(b, bMover), !bMover).nCount > 0)
        return Fail(Problem::OpponentInCheck, bMover);
    const int nKing = KingOf(b, o.bWhiteToMove);
    const Squares oCheckers = Attackers(b, nKing, bMover);
    if (oCheckers.nCount > 2)
        return Fail(Problem::TooManyCheckers, o.bWhiteToMove, oCheckers.nCount);
    if (nColumn && !PushGivesCheck(o, nColumn - 1, nKing))
        return Fail(oCheckers.nCount ? Problem::ImpossibleCheck : Problem::EnPassant, bMover, 0,
                    nEpSquare);
    if (!nColumn && oCheckers.nCount == 2 && !DoubleCheckExplained(b, nKing, oCheckers))
        return Fail(Problem::ImpossibleCheck, o.bWhiteToMove, 2);
    return v;
}

// --- Reading ----------------------------------------------------------------------------------

bool ReadPlacement(std::string_view s, std::array<std::int8_t, 64> &oPieces) {
    static constexpr std::string_view Letters = "kqrnbpKQRNBP"; // by class code
    Pieces o;
    o.fill(NoPiece);
    int k = 0, nFile = 0, nRank = 0;
    bool bDigit = false;
    for (const char c : s) {
        if (c == '/') {
            if (nFile != 8 || ++nRank > 7)
                return false;
            nFile = 0;
            bDigit = false;
        } else if (c >= '1' && c <= '8' && !bDigit) {
            nFile += c - '0';
            k += c - '0';
            bDigit = true;
        } else if (const std::size_t n = Letters.find(c); n != std::string_view::npos) {
            if (++nFile > 8)
                return false;
            o[static_cast<std::size_t>(k++)] = static_cast<std::int8_t>(n);
            bDigit = false;
        } else {
            return false;
        }
        if (nFile > 8)
            return false;
    }
    if (nRank != 7 || nFile != 8)
        return false;
    oPieces = o;
    return true;
}

FenFault ReadFen(std::string_view sFen, Setup &o, bool *pChess960) {
    std::string_view oFields[7];
    std::size_t nFields = 0;
    for (std::size_t i = 0; i < sFen.size();) {
        const auto Blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
        if (Blank(sFen[i])) {
            ++i;
            continue;
        }
        std::size_t nEnd = i;
        while (nEnd < sFen.size() && !Blank(sFen[nEnd]))
            ++nEnd;
        if (nFields == 7)
            return {FenField::Count, {}};
        oFields[nFields++] = sFen.substr(i, nEnd - i);
        i = nEnd;
    }
    if (nFields < 4 || nFields > 6)
        return {FenField::Count, {}};
    const auto Fault = [&](FenField e, std::size_t n) {
        return FenFault{e, std::string(oFields[n])};
    };
    Setup p;
    if (!ReadPlacement(oFields[0], p.nClass))
        return Fault(FenField::Placement, 0);
    if (oFields[1] != "w" && oFields[1] != "b")
        return Fault(FenField::Side, 1);
    p.bWhiteToMove = oFields[1] == "w";
    bool b960 = false;
    if (oFields[2] != "-" &&
        clsRules::ReadCastling(oFields[2], p.nClass, p.nCastlingFile, b960).empty()) {
        for (std::size_t r = 0; r < 4; ++r)
            if (p.nCastlingFile[r])
                p.nCastling = static_cast<std::int8_t>(p.nCastling | 1 << r);
    } else if (oFields[2] != "-") {
        // Rights the pieces do not fit still read, for the judge to name, where their letters
        // say whose they are without the pieces: KQkq, on the files of standard chess.
        p.nCastlingFile = {};
        b960 = false;
        for (const char c : oFields[2]) {
            const std::size_t r = std::string_view("KQkq").find(c);
            if (r == std::string_view::npos || ((p.nCastling >> r) & 1))
                return Fault(FenField::Castling, 2);
            p.nCastling = static_cast<std::int8_t>(p.nCastling | 1 << r);
        }
    }
    if (const std::string_view e = oFields[3]; e != "-") {
        if (e.size() != 2 || e[0] < 'a' || e[0] > 'h' || e[1] != (p.bWhiteToMove ? '6' : '3'))
            return Fault(FenField::EnPassant, 3);
        p.nEnPassantColumn = static_cast<std::int8_t>(e[0] - 'a' + 1);
    }
    const auto Counter = [](std::string_view s, int &n, int nLeast) {
        if (s.empty() || s.find_first_not_of("0123456789") != std::string_view::npos)
            return false;
        const auto [pEnd, eError] = std::from_chars(s.data(), s.data() + s.size(), n);
        return eError == std::errc() && pEnd == s.data() + s.size() && n >= nLeast;
    };
    if (nFields > 4 && !Counter(oFields[4], p.nHalfmove, 0))
        return Fault(FenField::Halfmove, 4);
    if (nFields > 5 && !Counter(oFields[5], p.nFullmove, 1))
        return Fault(FenField::Fullmove, 5);
    o = p;
    if (pChess960)
        *pChess960 = b960;
    return {};
}

} // namespace PositionCheck
