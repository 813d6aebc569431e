#include "Notation.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

using namespace modConsts;

namespace {

// Files 0 (a) .. 7 (h), ranks 1 .. 8, of squares numbered 1 (a8) .. 64 (h1).
constexpr int FileOf(int nSquare) {
    return (nSquare - 1) % 8;
}
constexpr int RankOf(int nSquare) {
    return 8 - (nSquare - 1) / 8;
}
constexpr int SquareAt(int nFile, int nRank) {
    return (8 - nRank) * 8 + nFile + 1;
}

constexpr std::string_view Letters = "KQRNBP"; // indexed by the black class code

void AppendSquare(std::string &s, int nSquare) {
    s += static_cast<char>('a' + FileOf(nSquare));
    s += static_cast<char>('0' + RankOf(nSquare));
}

[[noreturn]] void Refuse(Notation::Refusal eCause) {
    throw Notation::Error(eCause);
}

const char *RefusalText(Notation::Refusal eCause) {
    using R = Notation::Refusal;
    switch (eCause) {
    case R::NoMoveGiven:
        return "no move given";
    case R::Unreadable:
        return "unreadable move";
    case R::Ambiguous:
        return "ambiguous move";
    case R::NoMatch:
        return "no legal move matches";
    case R::CastlingIllegal:
        return "castling is not legal here";
    case R::PromotionPieceMissing:
        return "the promotion piece is missing";
    case R::NotLegal:
        break;
    }
    return "not a legal move";
}

std::int16_t KindOfLetter(char c) {
    const std::size_t n = Letters.find(c);
    return n == std::string_view::npos ? NoPiece : static_cast<std::int16_t>(n);
}

} // namespace

namespace Notation {

Error::Error(Refusal eCause) : std::invalid_argument(RefusalText(eCause)), m_eCause(eCause) {}

void AppendSanBody(clsRules &oRules, const Move &oMove, std::string &sOut) {
    if (!clsRules::IsSquare(oMove.nSrc) || !clsRules::IsSquare(oMove.nDest) ||
        !oRules.Square(oMove.nSrc).HasPiece)
        return;
    const std::int16_t nClass = oRules.Square(oMove.nSrc).Piece->Class;
    const std::int16_t nKind = KindOf(nClass);
    const int nSrcFile = FileOf(oMove.nSrc);
    const int nDestFile = FileOf(oMove.nDest);
    const bool bTakes = oRules.Square(oMove.nDest).HasPiece;
    if (const int nSide = nKind == BlackKing ? oRules.CastlingSide(oMove.nSrc, oMove.nDest) : 0) {
        sOut += nSide == 1 ? "O-O" : "O-O-O";
    } else if (nKind == BlackPawn) {
        if (nSrcFile != nDestFile) { // a capture, en passant included
            sOut += static_cast<char>('a' + nSrcFile);
            sOut += 'x';
        }
        AppendSquare(sOut, oMove.nDest);
    } else {
        sOut += Letters[static_cast<std::size_t>(nKind)];
        // Only another piece of the same kind that may legally go there forces a qualifier.
        bool bOther = false, bSameFile = false, bSameRank = false;
        std::array<std::int8_t, 32> oFrom{};
        const int nFrom = oRules.PieceCount(nClass) > 1
                              ? oRules.PatternDestinations(oMove.nDest, nKind, oFrom)
                              : 0;
        for (int i = 0; i < nFrom; ++i) {
            const int n = oFrom[static_cast<std::size_t>(i)];
            const clsSquare &o = oRules.Square(n);
            if (n == oMove.nSrc || !o.HasPiece || o.Piece->Class != nClass ||
                !oRules.IsLegal(Move{static_cast<std::int8_t>(n), oMove.nDest, NoPiece}))
                continue;
            bOther = true;
            bSameFile |= FileOf(n) == nSrcFile;
            bSameRank |= RankOf(n) == RankOf(oMove.nSrc);
        }
        if (bOther && (!bSameFile || bSameRank))
            sOut += static_cast<char>('a' + nSrcFile);
        if (bOther && bSameFile)
            sOut += static_cast<char>('0' + RankOf(oMove.nSrc));
        if (bTakes)
            sOut += 'x';
        AppendSquare(sOut, oMove.nDest);
    }
}

void AppendSan(clsRules &oRules, const Move &oMove, std::string &sOut, bool bPlay) {
    if (!oRules.PlayMove(oMove))
        Refuse(Refusal::NotLegal);
    sOut += oRules.Record().back().sSan;
    if (!bPlay)
        oRules.UndoLastMove();
}

std::string San(clsRules &oRules, const Move &oMove) {
    std::string s;
    AppendSan(oRules, oMove, s);
    return s;
}

Move ParseSan(clsRules &oRules, std::string_view s, bool bPieceOptional) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && std::string_view(" \t\r\n+#!?").find(s.back()) != std::string_view::npos)
        s.remove_suffix(1);
    if (s.size() > 4 && (s.ends_with("e.p.") || s.ends_with("ep"))) {
        s.remove_suffix(s.ends_with("ep") ? 2 : 4);
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
    }
    if (s.empty())
        Refuse(Refusal::NoMoveGiven);
    const bool bWhite = oRules.IsWhitesTurn();

    // Castling, with letters or zeros.
    if (s == "O-O" || s == "0-0" || s == "O-O-O" || s == "0-0-0") {
        const Move oMove = oRules.CastlingMove(bWhite, s.size() == 3);
        if (oMove.nSrc == 0 || !oRules.IsLegal(oMove))
            Refuse(Refusal::CastlingIllegal);
        return oMove;
    }

    // [piece] [from file] [from rank] [x|-|:] destination [=|/] [promotion piece]
    std::int16_t nKind = BlackPawn;
    bool bLetter = false;
    if (const std::int16_t k = KindOfLetter(s.front()); k != NoPiece) {
        nKind = k;
        bLetter = true;
        s.remove_prefix(1);
    }
    std::int16_t nPromotion = NoPiece;
    if (!s.empty() && s.back() == ')' && s.size() >= 3 && s[s.size() - 3] == '(') {
        nPromotion = KindOfLetter(static_cast<char>(s[s.size() - 2] & ~0x20));
        if (nPromotion == NoPiece)
            Refuse(Refusal::Unreadable);
        s.remove_suffix(3);
    } else if (!s.empty() && ((s.back() >= 'A' && s.back() <= 'Z') || s.back() == 'q' ||
                              s.back() == 'r' || s.back() == 'n' || s.back() == 'b')) {
        nPromotion = KindOfLetter(static_cast<char>(s.back() & ~0x20));
        if (nPromotion == NoPiece)
            Refuse(Refusal::Unreadable);
        s.remove_suffix(1);
        if (!s.empty() && (s.back() == '=' || s.back() == '/'))
            s.remove_suffix(1);
    }
    if (nPromotion == BlackKing || nPromotion == BlackPawn ||
        (nPromotion != NoPiece && nKind != BlackPawn))
        Refuse(Refusal::Unreadable);
    char sCore[4];
    std::size_t nCore = 0;
    for (const char c : s) {
        if (c == 'x' || c == '-' || c == ':')
            continue;
        if (nCore == 4)
            Refuse(Refusal::Unreadable);
        sCore[nCore++] = c;
    }
    if (nCore < 2)
        Refuse(Refusal::Unreadable);
    auto IsFile = [](char c) { return c >= 'a' && c <= 'h'; };
    auto IsRank = [](char c) { return c >= '1' && c <= '8'; };
    if (!IsFile(sCore[nCore - 2]) || !IsRank(sCore[nCore - 1]))
        Refuse(Refusal::Unreadable);
    const int nDest = SquareAt(sCore[nCore - 2] - 'a', sCore[nCore - 1] - '0');
    int nFromFile = -1, nFromRank = 0;
    std::size_t i = 0;
    if (i < nCore - 2 && IsFile(sCore[i]))
        nFromFile = sCore[i++] - 'a';
    if (i < nCore - 2 && IsRank(sCore[i]))
        nFromRank = sCore[i++] - '0';
    if (i != nCore - 2)
        Refuse(Refusal::Unreadable);
    // Coordinates name their piece by its square; a castling king, by either of the squares
    // players name: its own rook (Chess960, as UCI writes it) or where it ends (e1g1).
    if (!bLetter && nFromFile >= 0 && nFromRank > 0) {
        const int nFrom = SquareAt(nFromFile, nFromRank);
        const clsSquare &o = oRules.Square(nFrom);
        if (o.HasPiece && o.Piece->IsWhite == bWhite)
            nKind = KindOf(o.Piece->Class);
        if (const Move oCastling = oRules.CastlingOf(nFrom, nDest);
            nKind == BlackKing && oCastling.nSrc != 0 && nPromotion == NoPiece) {
            if (!oRules.IsLegal(oCastling))
                Refuse(Refusal::CastlingIllegal);
            return oCastling;
        }
    }

    const std::int16_t nClass = static_cast<std::int16_t>(nKind + (bWhite ? WhiteOffset : 0));
    const bool bToLastRank = nKind == BlackPawn && RankOf(nDest) == (bWhite ? 8 : 1);
    if (nPromotion != NoPiece && !bToLastRank)
        Refuse(Refusal::NoMatch);
    if (bToLastRank && nPromotion == NoPiece && !bPieceOptional)
        Refuse(Refusal::PromotionPieceMissing);
    // An unnamed promotion piece is tried as a queen: all four are legal or none is.
    const std::int16_t nTrial =
        bToLastRank ? static_cast<std::int16_t>((nPromotion == NoPiece ? BlackQueen : nPromotion) +
                                                (bWhite ? WhiteOffset : 0))
                    : NoPiece;
    // The squares the piece may come from: the table's lines and leaps from the destination
    // (the patterns are symmetric), a castling king's home, a pawn's squares behind.
    std::array<std::int8_t, 32> oFrom{};
    int nCandidates = nKind == BlackPawn ? 0 : oRules.PatternDestinations(nDest, nKind, oFrom);
    const auto AddFrom = [&](int nFile, int nRank) {
        if (nFile >= 0 && nFile < 8 && nRank >= 1 && nRank <= 8)
            oFrom[static_cast<std::size_t>(nCandidates++)] =
                static_cast<std::int8_t>(SquareAt(nFile, nRank));
    };
    const int nBack = bWhite ? -1 : 1;
    if (nKind == BlackKing) {
        AddFrom(FileOf(nDest) - 2, RankOf(nDest));
        AddFrom(FileOf(nDest) + 2, RankOf(nDest));
    } else if (nKind == BlackPawn) {
        for (const int f : {-1, 0, 1})
            AddFrom(FileOf(nDest) + f, RankOf(nDest) + nBack);
        AddFrom(FileOf(nDest), RankOf(nDest) + 2 * nBack);
    }
    Move oFound;
    int nFound = 0;
    for (int k = 0; k < nCandidates; ++k) {
        const int n = oFrom[static_cast<std::size_t>(k)];
        const clsSquare &o = oRules.Square(n);
        if (!o.HasPiece || o.Piece->Class != nClass || (nFromFile >= 0 && FileOf(n) != nFromFile) ||
            (nFromRank > 0 && RankOf(n) != nFromRank))
            continue;
        const Move oMove{static_cast<std::int8_t>(n), static_cast<std::int8_t>(nDest), nTrial};
        if (!oRules.IsLegal(oMove))
            continue;
        if (++nFound > 1)
            Refuse(Refusal::Ambiguous);
        oFound = oMove;
    }
    if (nFound == 0)
        Refuse(Refusal::NoMatch);
    if (nPromotion == NoPiece)
        oFound.nPromotion = NoPiece;
    return oFound;
}

std::vector<std::string> SanMoves(const clsRules &oRules) {
    std::vector<std::string> oSans;
    oSans.reserve(oRules.Record().size());
    for (const clsRules::Ply &oPly : oRules.Record())
        oSans.push_back(oPly.sSan);
    return oSans;
}

std::string Coordinate(const Move &oMove) {
    std::string s;
    AppendSquare(s, oMove.nSrc);
    AppendSquare(s, oMove.nDest);
    if (oMove.nPromotion != NoPiece)
        s += static_cast<char>(Letters[static_cast<std::size_t>(KindOf(oMove.nPromotion))] | 0x20);
    return s;
}

std::vector<std::string> CoordinateMoves(const clsRules &oRules) {
    std::vector<std::string> o;
    o.reserve(oRules.Record().size());
    for (const clsRules::Ply &oPly : oRules.Record())
        o.push_back(Coordinate(oPly.oMove));
    return o;
}

Move ParseSanAnyCase(clsRules &oRules, std::string_view sText) {
    try {
        return ParseSan(oRules, sText);
    } catch (const Error &) {
        // Letters in one case, without the marks a player may add or leave out.
        const auto Key = [](std::string_view s) {
            std::string k;
            for (const char c : s)
                if (std::string_view("+#!?= \t").find(c) == std::string_view::npos)
                    k += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            return k;
        };
        const std::string sKey = Key(sText);
        MoveList oMoves;
        oRules.LegalMoves(oMoves);
        const Move *pFound = nullptr;
        for (const Move &oMove : oMoves) {
            if (Key(San(oRules, oMove)) != sKey)
                continue;
            if (pFound != nullptr)
                throw Error(Refusal::Ambiguous);
            pFound = &oMove;
        }
        if (pFound == nullptr)
            throw;
        return *pFound;
    }
}

} // namespace Notation
