// Forsyth-Edwards Notation, read and written with all six fields.
#include "Printable.h"
#include "clsRules.h"

#include <array>
#include <charconv>
#include <stdexcept>

using namespace modConsts;

namespace {

constexpr std::string_view Letters = "kqrnbpKQRNBP"; // by class code

struct FenPosition {
    std::string sLayout;
    std::array<std::int8_t, SquareCount> nClass{}; // the same pieces by square, NoPiece: empty
    bool bWhiteToMove = true;
    std::array<std::int8_t, 4> nRookFile{}; // by right K, Q, k, q: the rook's file, 0 for none
    bool b960 = false; // the rights need Chess960: a king off e, or a rook off a and h
    int nEnPassantColumn = 0;
    int nHalfmove = 0;
    int nFullmove = 1;
};

std::string Quoted(std::string_view s) {
    return '"' + Printable(s) + '"';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A counter: digits only, any number an int holds, as the moves can count up to it.
bool ReadCounter(std::string_view s, int &n) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const auto [pEnd, eError] = std::from_chars(s.data(), s.data() + s.size(), n);
    return eError == std::errc() && pEnd == s.data() + s.size();
}

} // namespace

std::string clsRules::ReadCastling(std::string_view sField, const Pieces &nClass,
                                   std::array<std::int8_t, 4> &nFile, bool &b960) {
    nFile = {};
    b960 = false;
    if (sField == "-")
        return {};
    const auto ClassAt = [&nClass](int x, int y) {
        return nClass[static_cast<std::size_t>(SquareIndex(x, y) - 1)];
    };
    for (const char c : sField) {
        const bool bWhite = c >= 'A' && c <= 'Z';
        const char cUpper = bWhite ? c : static_cast<char>(c - 'a' + 'A');
        if (cUpper != 'K' && cUpper != 'Q' && (cUpper < 'A' || cUpper > 'H'))
            return "castling field " + Quoted(sField) +
                   " is not a set of KQkq, of file letters (HAha), or -";
        const std::string sColour = bWhite ? "white" : "black";
        const int y = bWhite ? 8 : 1; // rows count from Black's side
        const char cRank = bWhite ? '1' : '8';
        const std::int8_t nKingClass = bWhite ? WhiteKing : BlackKing;
        const std::int8_t nRookClass = bWhite ? WhiteRook : BlackRook;
        int nKing = 0;
        for (int x = 1; x <= 8; ++x)
            if (ClassAt(x, y) == nKingClass)
                nKing = x;
        if (nKing == 0)
            return std::string("castling right ") + c + " without the " + sColour +
                   " king on rank " + cRank;
        int nRook = 0;
        if (cUpper == 'K' || cUpper == 'Q') {
            // The outermost rook on that side of the king.
            const int nStep = cUpper == 'K' ? -1 : 1;
            for (int x = cUpper == 'K' ? 8 : 1; x != nKing && nRook == 0; x += nStep)
                if (ClassAt(x, y) == nRookClass)
                    nRook = x;
            if (nRook == 0)
                return std::string("castling right ") + c + " without a " + sColour +
                       " rook on the " + (cUpper == 'K' ? "king's" : "queen's") +
                       " side of the king on " + static_cast<char>('a' + nKing - 1) + cRank;
        } else {
            nRook = cUpper - 'A' + 1;
            if (ClassAt(nRook, y) != nRookClass)
                return std::string("castling file ") + c + " names no " + sColour + " rook on " +
                       static_cast<char>('a' + nRook - 1) + cRank;
        }
        const bool bKingSide = nRook > nKing;
        auto &nRight = nFile[static_cast<std::size_t>(RightOf(bWhite, bKingSide))];
        if (nRight != 0)
            return "castling field " + Quoted(sField) + " gives " + sColour +
                   " two rights on the " + (bKingSide ? "king's" : "queen's") + " side";
        nRight = static_cast<std::int8_t>(nRook);
        b960 |= nKing != 5 || nRook != (bKingSide ? 8 : 1);
    }
    return {};
}

namespace {

// Everything but the check on the side not to move; empty when acceptable.
std::string Parse(std::string_view sFen, FenPosition &p) {
    std::vector<std::string_view> oFields;
    for (std::size_t i = 0; i < sFen.size();) {
        if (IsBlank(sFen[i])) {
            ++i;
            continue;
        }
        std::size_t nEnd = i;
        while (nEnd < sFen.size() && !IsBlank(sFen[nEnd]))
            ++nEnd;
        oFields.push_back(sFen.substr(i, nEnd - i));
        i = nEnd;
    }
    if (oFields.size() > 6)
        return "FEN has " + std::to_string(oFields.size()) +
               " fields, not 6: " + Quoted(oFields[6]) + " follows the fullmove number";
    if (oFields.size() < 4)
        return "FEN has " + std::to_string(oFields.size()) + " fields, not 6";

    // Placement, rank 8 first.
    const std::string_view sPlacement = oFields[0];
    p.sLayout.clear();
    p.nClass.fill(NoPiece);
    int nRank = 8;
    int nFiles = 0;
    int nKings[2] = {0, 0};
    for (std::size_t i = 0; i <= sPlacement.size(); ++i) {
        const char c = i < sPlacement.size() ? sPlacement[i] : '/';
        if (c == '/') {
            if (nFiles != 8)
                return "rank " + std::to_string(nRank) + " has " + std::to_string(nFiles) +
                       " files, not 8";
            if (--nRank < 0)
                break;
            nFiles = 0;
            continue;
        }
        if (nRank < 1)
            return "FEN has more than 8 ranks";
        if (c >= '1' && c <= '8') {
            if (i > 0 && sPlacement[i - 1] >= '1' && sPlacement[i - 1] <= '8')
                return "two digits in a row in rank " + std::to_string(nRank);
            nFiles += c - '0';
            for (int k = 0; k < c - '0'; ++k)
                p.sLayout += EmptyLayoutCode;
            continue;
        }
        const std::size_t nClass = Letters.find(c);
        if (nClass == std::string_view::npos)
            return "unknown letter " + Quoted(std::string_view(&c, 1)) + " in rank " +
                   std::to_string(nRank);
        if (++nFiles > 8)
            return "rank " + std::to_string(nRank) + " has more than 8 files";
        if (KindOf(static_cast<std::int16_t>(nClass)) == BlackKing)
            ++nKings[IsWhiteClass(static_cast<std::int16_t>(nClass))];
        if (KindOf(static_cast<std::int16_t>(nClass)) == BlackPawn && (nRank == 1 || nRank == 8))
            return std::string(nClass == WhitePawn ? "a white" : "a black") + " pawn on rank " +
                   std::to_string(nRank);
        p.nClass[p.sLayout.size() / 2] = static_cast<std::int8_t>(nClass);
        p.sLayout += LayoutCodes[nClass];
    }
    if (nRank != 0)
        return "FEN has " + std::to_string(8 - nRank) + " ranks, not 8";
    for (const bool bWhite : {true, false})
        if (nKings[bWhite] != 1)
            return std::string(bWhite ? "white" : "black") + " has " +
                   std::to_string(nKings[bWhite]) + " kings, not one";

    if (oFields[1] != "w" && oFields[1] != "b")
        return "side to move " + Quoted(oFields[1]) + " is neither w nor b";
    p.bWhiteToMove = oFields[1] == "w";

    auto CodeOn = [&](std::string_view sSquare) {
        const auto n = static_cast<std::size_t>(clsRules::NotationToSquare(sSquare) - 1);
        return p.sLayout.substr(2 * n, 2);
    };
    if (std::string s = clsRules::ReadCastling(oFields[2], p.nClass, p.nRookFile, p.b960);
        !s.empty())
        return s;

    p.nEnPassantColumn = 0;
    if (oFields[3] != "-") {
        const int nSquare = clsRules::NotationToSquare(oFields[3]);
        const char cRank = p.bWhiteToMove ? '6' : '3';
        if (nSquare < 0 || oFields[3][1] != cRank)
            return "en passant square " + Quoted(oFields[3]) + " is not on rank " + cRank;
        const std::string sFile(1, oFields[3][0]);
        const std::string sPawn = p.bWhiteToMove ? "BP" : "WP";
        if (CodeOn(sFile + cRank) != "XX" || CodeOn(sFile + (p.bWhiteToMove ? '7' : '2')) != "XX" ||
            CodeOn(sFile + (p.bWhiteToMove ? '5' : '4')) != sPawn)
            return "en passant square " + std::string(oFields[3]) +
                   " is not behind a pawn that could just have stepped twice";
        p.nEnPassantColumn = oFields[3][0] - 'a' + 1;
    }

    p.nHalfmove = 0;
    p.nFullmove = 1;
    if (oFields.size() > 4 && !ReadCounter(oFields[4], p.nHalfmove))
        return "halfmove clock " + Quoted(oFields[4]) + " is not a number from 0 to 2147483647";
    if (oFields.size() > 5 && (!ReadCounter(oFields[5], p.nFullmove) || p.nFullmove < 1))
        return "fullmove number " + Quoted(oFields[5]) + " is not a number from 1 to 2147483647";
    return {};
}

// Parse's checks, then the one that needs the position set up: the side not to move may not
// be in check.
std::string Read(std::string_view sFen, FenPosition &p) {
    if (std::string s = Parse(sFen, p); !s.empty())
        return s;
    clsRules o;
    o.NewGame(p.bWhiteToMove, p.sLayout);
    const bool bOtherWhite = !p.bWhiteToMove;
    if (o.IsSquareAttacked(bOtherWhite, bOtherWhite ? o.WhiteKingSquare() : o.BlackKingSquare()))
        return std::string("the side not to move (") + (bOtherWhite ? "White" : "Black") +
               ") is in check";
    return {};
}

} // namespace

std::string clsRules::FenError(std::string_view sFen) {
    FenPosition p;
    return Read(sFen, p);
}

void clsRules::SetFen(std::string_view sFen, bool bChess960) {
    FenPosition p;
    if (std::string s = Read(sFen, p); !s.empty())
        throw std::invalid_argument(s);
    SetUp(p.bWhiteToMove, p.sLayout, &p.nRookFile, bChess960 || p.b960, p.nEnPassantColumn,
          p.nHalfmove, p.nFullmove);
}

std::string clsRules::Fen() const {
    return FenOf(Snapshot(bIsWhitesTurn, false));
}

std::string clsRules::FenOf(const Position &p) {
    std::string s;
    s.reserve(96);
    for (int y = 1; y <= 8; ++y) {
        int nEmpty = 0;
        for (int x = 1; x <= 8; ++x) {
            const std::int8_t c = p.nClass[static_cast<std::size_t>(SquareIndex(x, y) - 1)];
            if (c == NoPiece) {
                ++nEmpty;
                continue;
            }
            if (nEmpty)
                s += static_cast<char>('0' + std::exchange(nEmpty, 0));
            s += Letters[static_cast<std::size_t>(c)];
        }
        if (nEmpty)
            s += static_cast<char>('0' + nEmpty);
        if (y < 8)
            s += '/';
    }
    s += p.bWhiteToMove ? " w " : " b ";
    // X-FEN, as Lichess and shakmaty write it: KQkq for the outermost rook on its side, else
    // the rook's file, so a standard position reads as it always has.
    for (std::size_t r = 0; r < 4; ++r) {
        if (!((p.nCastling >> r) & 1))
            continue;
        const bool bWhite = r < 2;
        const bool bKingSide = r % 2 == 0;
        const int y = bWhite ? 8 : 1;
        const int nFile = p.nCastlingFile[r] != 0 ? p.nCastlingFile[r] : bKingSide ? 8 : 1;
        const std::int8_t nRook = bWhite ? WhiteRook : BlackRook;
        bool bOutermost = true;
        for (int x = nFile + (bKingSide ? 1 : -1); x >= 1 && x <= 8; x += bKingSide ? 1 : -1)
            bOutermost =
                bOutermost && p.nClass[static_cast<std::size_t>(SquareIndex(x, y) - 1)] != nRook;
        s += bOutermost ? "KQkq"[r] : static_cast<char>((bWhite ? 'A' : 'a') + nFile - 1);
    }
    if (p.nCastling == 0)
        s += '-';
    s += ' ';
    if (p.nEnPassantColumn != 0) {
        s += static_cast<char>('a' + p.nEnPassantColumn - 1);
        s += p.bWhiteToMove ? '6' : '3';
    } else {
        s += '-';
    }
    char oBuffer[24];
    s += ' ';
    s.append(oBuffer, std::to_chars(oBuffer, oBuffer + sizeof oBuffer, p.nHalfmove).ptr);
    s += ' ';
    s.append(oBuffer, std::to_chars(oBuffer, oBuffer + sizeof oBuffer, p.nFullmove).ptr);
    return s;
}
