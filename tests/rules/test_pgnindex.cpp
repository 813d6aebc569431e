// The index of a many-game PGN text: where games start, their listed tags and plies, whatever
// pieces the text arrives in; hostile text read or refused in bounded memory.
#include "Pgn.h"
#include "PgnIndex.h"
#include "TestRules.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

Pgn::Index IndexOf(std::string_view s, std::size_t nPiece) {
    Pgn::Index o;
    for (std::size_t i = 0; i < s.size(); i += nPiece)
        o.Add(s.substr(i, nPiece));
    o.Finish();
    return o;
}

std::string Repeated(std::string_view s, std::size_t nTimes) {
    std::string o;
    while (nTimes-- > 0)
        o += s;
    return o;
}

struct IndexCase {
    const char *sWhy;
    const char *sText;
    const char *sWhites; // each game's White tag, or its Result, then its plies: "A/1-0/3 B/*/1"
};

const IndexCase IndexCases[] = {
    {"a brace in a string", "[White \"a{b\"]\n\n1. e4 *\n\n[White \"B\"]\n1. d4 d5 1-0",
     "a{b/*/1 B/1-0/2"},
    {"an escape line", "[White \"A\"]\n%[White \"no\"]\n1. e4 e5 *\n", "A/*/2"},
    {"a [ inside a comment and a variation",
     "[White \"A\"]\n1. e4 {see [White \"no\"]} (1. d4 [x]) e5 ; [White \"no\"]\n2. Nf3 *",
     "A/*/3"},
    {"CRLF and a BOM", "\xEF\xBB\xBF[White \"A\"]\r\n[Result \"0-1\"]\r\n\r\n1. f3 e5 0-1\r\n",
     "A/0-1/2"},
    {"no blank line and no result between games",
     "[White \"A\"]\n1. e4\n[White \"B\"]\n1. d4 d5 2. c4 *", "A//1 B/*/3"},
    {"games without tags, and words before the first tag",
     "1. e4 e5 *\n1... c5 1/2-1/2\nDownloaded today\n[White \"A\"]\n*", "/*/2 /1/2-1/2/1 A/*/0"},
    {"control characters in a tag", "[White \"A\tB\x7F\"]\r\n*", "A B /*/0"},
    {"a quote escaped in a tag, joined moves and spaced periods",
     "[White \"A \\\"B\\\"\"]\n1.e4 1. ... e5 2 . Nf3 $1 Nc6!? 0-0 *", "A \"B\"/*/5"},
    {"an unclosed comment after a word that names a tag", "[White \"A\"]\n1. e4 White{never closed",
     "A//2"},
    {"a variation or comment left open ends at a tag pair starting a line",
     "[White \"A\"]\n1. e4 (1. d4 *\n[White \"B\"]\n1. d4 {open\n[White \"C\"]\n1. c4 0-1\n"
     "[White \"D\"]\n1. f4 {wrapped\n[%clk 0:01:00]\n[see x] [White \"no\"]} 1-0",
     "A//1 B//1 C/0-1/1 D/1-0/1"},
    {"a comment or a variation holding a tag line, closed after it",
     "1. e4 e5 {as the source had it:\n[Event \"Quoted\"]\n} 2. Nf3 Nc6 *\n"
     "[White \"B\"]\n1. d4 (1. c4\n[White \"X\"]\n) d5 *",
     "/*/4 B/*/2"},
    {"tags spread over lines, and a tag after a move number",
     "[\nWhite\n\"A\"\n]\n1. [Round \"2\"] e4 *", "A/*/1"},
    {"a NAG joined to a move, a symbol after an escape-like %", "[White \"A\"]\n1. e4 $1e5 %x *",
     "A/*/3"},
    {"no game", "just words\n", ""},
};

class IndexTest : public testing::TestWithParam<IndexCase> {};

TEST_P(IndexTest, FindsGamesAndTagsWhateverThePieces) {
    const IndexCase &c = GetParam();
    for (const std::size_t nPiece : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
        const Pgn::Index o = IndexOf(c.sText, nPiece);
        std::string s;
        for (std::size_t n = 0; n < o.Count(); ++n)
            s.append(n ? " " : "")
                .append(o.Tag(n, Pgn::Index::White))
                .append("/")
                .append(o.Tag(n, Pgn::Index::Result))
                .append("/")
                .append(std::to_string(o.At(n).nPlies));
        EXPECT_EQ(s, c.sWhites) << c.sWhy << ", pieces of " << nPiece;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, IndexTest, testing::ValuesIn(IndexCases));

// Each game's bytes read alone give the game; hostile texts, made here, stay within memory bounds.
TEST(Index, GamesReadFromTheirBytesAndHostileTextBounded) {
    const std::string sText = "Preamble\n[Event \"E] 1-0\"]\n[White \"A\"]\n1. e4 e5 *\n"
                              "[White \"B\"]\n1. d4 {x} d5 2. c4 1-0\n1. Nf3 *";
    const Pgn::Index o = IndexOf(sText, 5);
    ASSERT_EQ(o.Count(), 3u);
    const std::size_t Plies[] = {2, 3, 1};
    for (std::size_t n = 0; n < o.Count(); ++n) {
        // And FindGame ends it where the reader stops.
        const std::string_view sGame =
            std::string_view(sText).substr(o.Begin(n), o.End(n) - o.Begin(n));
        clsRules oGame;
        std::size_t nEnd = 0;
        Pgn::Read(oGame, sGame, &nEnd);
        EXPECT_EQ(static_cast<std::size_t>(oGame.PlyCount()), Plies[n]);
        EXPECT_EQ(Pgn::FindGame(sGame).nEnd, nEnd);
    }
    EXPECT_EQ(o.Tag(0, Pgn::Index::Event), "E] 1-0");

    const std::size_t nSize = 8u << 20;
    const std::pair<const char *, std::string> Hostile[] = {
        {"one long token", std::string(nSize, 'a')},
        {"one long comment", "[White \"A\"]\n{" + std::string(nSize, 'x')},
        {"deep variations", "1. e4 " + std::string(nSize / 2, '(') + std::string(nSize / 2, ')')},
        {"tiny games", Repeated("[]1", nSize / 3)},
        {"binary",
         [&] {
             std::string s(nSize, '\0');
             std::uint32_t x = 1;
             for (char &c : s)
                 c = static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
             return s;
         }()},
        {"UTF-16", std::string("\xFF\xFE[\0W\0", 6)},
    };
    // Two million tiny games are a collection still, listed whole.
    EXPECT_EQ(IndexOf(Repeated("1. e4 *\n", 2000000), 4u << 20).Count(), 2000000u);
    for (const auto &[sWhy, sHostile] : Hostile) {
        Pgn::Index oHostile;
        try {
            oHostile = IndexOf(sHostile, 1 << 20);
        } catch (const std::invalid_argument &) {
            continue; // refused
        }
        EXPECT_LE(oHostile.MemoryUsed(), 2 * sHostile.size() + (16u << 20)) << sWhy;
        for (std::size_t n = 0; n < std::min<std::size_t>(oHostile.Count(), 3); ++n) {
            clsRules oGame;
            try {
                Pgn::Read(oGame, std::string_view(sHostile).substr(
                                     oHostile.Begin(n), oHostile.End(n) - oHostile.Begin(n)));
            } catch (const std::invalid_argument &e) {
                EXPECT_LT(std::string_view(e.what()).size(), 100u) << sWhy;
            }
        }
    }
}

} // namespace
