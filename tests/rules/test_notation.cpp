#include "Pgn.h"
#include "TestRules.h"

#include <array>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const char *const Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char *const Castles = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
const char *const Queens = "1k6/8/8/8/4Q2Q/8/8/K6Q w - - 0 1"; // three reach e1
const char *const Pinned = "k3r3/8/8/8/8/8/2N1N3/4K3 w - - 0 1";
const char *const Passant = "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2";
const char *const Promote = "1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1";

// Rows: position, move as coordinates, its SAN; a row's move is also read back from its SAN.
TEST(San, WrittenAndReadBack) {
    const char *const Rows[][3] = {
        {Queens, "h4e1", "Qh4e1"},  {Queens, "e4e1", "Qee1"},
        {Queens, "h1e1", "Q1e1"},   {Pinned, "c2d4", "Nd4"},
        {Passant, "e5d6", "exd6"},  {Promote, "a7a8q", "a8=Q"},
        {Promote, "a7a8n", "a8=N"}, {Promote, "a7b8r", "axb8=R+"},
        {Castles, "e1g1", "O-O"},   {Castles, "e1c1", "O-O-O"},
        {Castles, "a1a8", "Rxa8+"}, {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8#"},
    };
    for (const auto &[sFen, sMove, sSan] : Rows) {
        SCOPED_TRACE(std::string(sFen) + " " + sMove);
        clsRules o;
        o.SetFen(sFen);
        const Move m = MoveOf(o, sMove);
        EXPECT_EQ(Notation::San(o, m), sSan);
        EXPECT_EQ(o.Fen(), sFen);
        EXPECT_EQ(Notation::ParseSan(o, sSan), m);
        EXPECT_EQ(Notation::Coordinate(m), sMove);
    }
}

// Rows: position, typed text, the move as coordinates, or "" when it must be refused. Typed in
// any case, as Lichess reads it: a text that names a legal move as it stands is that move, else
// the one legal move it matches ignoring case.
TEST(San, ReadLikeRealFilesOrTypedInAnyCase) {
    using Row = std::array<const char *, 3>;
    // clang-format off
    const std::vector<Row> Strict = {
        {Start, "Ng1f3", "g1f3"}, {Start, "Nf3!?", "g1f3"}, {Start, "e2-e4", "e2e4"},
        {Start, "Pe4", "e2e4"}, {Start, "g1f3", "g1f3"}, {Castles, "0-0-0+", "e1c1"},
        {Queens, "Qh4xe1", "h4e1"}, {Promote, "a8Q", "a7a8q"}, {Promote, "a8=q", "a7a8q"},
        {Promote, "axb8(B)", "a7b8b"}, {Passant, "exd6 e.p.", "e5d6"}, {Start, "Ke2", ""},
        {Start, "O-O", ""}, {Start, "e2e4e6", ""}, {Start, "e4=Q", ""}, {Queens, "Qe1", ""},
        {Pinned, "Ned4", ""}, {Promote, "a8", ""}, {Promote, "a8=K", ""},
    };
    // clang-format on
    const char *const Both = "4k3/8/2n5/1P6/8/8/8/4K2B w - - 0 1"; // b5 and h1 take on c6
    const char *const Bishop = "4k3/8/2n5/8/8/8/8/4K2B w - - 0 1";
    const std::vector<Row> AnyCase = {
        {Start, "nf3", "g1f3"},     {Start, "NF3+", "g1f3"},      {Both, "bxc6", "b5c6"},
        {Both, "Bxc6", "h1c6"},     {Bishop, "bxc6", "h1c6"},     {Bishop, "bc6", ""},
        {Castles, "o-o-o", "e1c1"}, {Promote, "axb8=r", "a7b8r"}, {Promote, "A8Q", "a7a8q"},
        {Queens, "qe1", ""},        {Start, "kf3", ""},           {Start, "", ""},
    };
    for (const bool bAnyCase : {false, true}) {
        for (const auto &[sFen, sText, sMove] : bAnyCase ? AnyCase : Strict) {
            SCOPED_TRACE(std::string(sFen) + " \"" + sText + '"');
            clsRules o;
            o.SetFen(sFen);
            const auto Parse = [&] {
                return bAnyCase ? Notation::ParseSanAnyCase(o, sText)
                                : Notation::ParseSan(o, sText);
            };
            if (*sMove)
                EXPECT_EQ(Notation::Coordinate(Parse()), sMove);
            else
                EXPECT_THROW(Parse(), Notation::Error);
            EXPECT_EQ(o.Fen(), sFen);
        }
    }
}

// A full export: tags in their order, numbered movetext wrapped at 80, result last; reading it
// back gives it again.
TEST(Pgn, RoundTripOfAnExport) {
    const std::string sGame =
        "[Event \"Club \\\"open\\\"\"]\n[Site \"?\"]\n[Date \"2024.05.01\"]\n"
        "[Round \"3\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"1-0\"]\n"
        "[Annotator \"C\"]\n\n"
        "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 "
        "d6 8. c3\nO-O 9. h3 Nb8 10. d4 Nbd7 1-0\n\n";
    clsRules o;
    Pgn::Load(o, sGame);
    EXPECT_EQ(Pgn::Write(o), sGame);
    EXPECT_EQ(o.EndReason(), clsRules::GameEnd::Resignation);
    EXPECT_EQ(Notation::SanMoves(o).back(), "Nbd7");
}

// Games from a set-up position, Black to move first; a game without tags gets the standard's
// unknown values, a game started on the board a casual game of today.
TEST(Pgn, RoundTripFromAPosition) {
    clsRules o;
    o.SetFen("4k3/8/8/8/8/8/4P3/4K3 b - - 0 12");
    for (const char *s : {"Kd7", "e4", "Kc6"})
        ASSERT_TRUE(o.PlayMove(Notation::ParseSan(o, s)));
    const std::string sPgn = Pgn::Write(o);
    EXPECT_TRUE(sPgn.starts_with("[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n"
                                 "[Round \"?\"]\n[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n"
                                 "[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 12\"]\n\n"
                                 "12... Kd7 13. e4 Kc6 *\n"))
        << sPgn;
    Pgn::SetStartTags(o);
    EXPECT_NE(Pgn::Write(o).find("[Event \"Casual game\"]\n[Site \"?\"]\n[Date \"20"),
              std::string::npos);
    clsRules oBack;
    Pgn::Load(oBack, sPgn);
    EXPECT_EQ(oBack.Fen(), o.Fen());
    EXPECT_EQ(Pgn::Write(oBack), sPgn);
}

TEST(Pgn, ReadsWhatRealFilesHold) {
    const std::string sText =
        "\xEF\xBB\xBF[Event \"x\"]\r\n[Result \"0-1\"]\r\n% a program's own line\r\n"
        "[Site \"C:\\b\tc\\\r\n[Bad! \"?\"]\r\n\r\n"
        "1.f3 {a (bad) move} e5 (1...e6 {or} (1...d5 2.g4) 2.g4 $2) 2. g4?? $4 ; gone\r\n"
        "2...Qh4#\r\n";
    clsRules o;
    Pgn::Load(o, sText);
    EXPECT_EQ(o.Record().size(), 4u);
    EXPECT_EQ(o.Result(), "0-1");
    EXPECT_EQ(o.EndReason(), clsRules::GameEnd::Checkmate);
    EXPECT_EQ(o.Tags(), (std::vector<std::pair<std::string, std::string>>{
                            {"Event", "x"}, {"Result", "0-1"}, {"Site", "C:\\b c\\ "}}));
    // Many tags (their reading time is in the benchmarks); a repeated one keeps its place.
    std::string sTags = "[B \"1\"]\n";
    for (int i = 0; i < 2000; ++i)
        sTags += "[T" + std::to_string(i) + " \"v\"]\n";
    Pgn::Load(o, sTags + "[B \"2\"]\n*");
    EXPECT_EQ(o.Tags().size(), 2001u);
    EXPECT_EQ(o.Tags().front(), (std::pair<std::string, std::string>{"B", "2"}));
    Pgn::Load(o, "1. d4 d5 2. c4 1/2-1/2\n\n[Event \"the next game\"]\n1. e4 *");
    EXPECT_EQ(o.Record().size(), 3u);
    EXPECT_EQ(o.EndReason(), clsRules::GameEnd::Agreement);
    // Periods are tokens of their own, and white space may stand between them and the number.
    for (const char *sGame :
         {"1. e4 1. ... e5 2 . Nf3 *", "1 e4 1 ... e5 2. Nf3 *", "1.e4 1 ...e5 2.Nf3 *"}) {
        Pgn::Load(o, sGame);
        EXPECT_EQ(Notation::SanMoves(o), (std::vector<std::string>{"e4", "e5", "Nf3"})) << sGame;
    }
}

TEST(Pgn, RefusalsNameTheMoveAndChangeNothing) {
    const std::pair<std::string, const char *> Rows[] = {
        {"1. e4 e5 2. Nf3 Nc6 3. Nxe5 Nxe5 4. Ke3 *", "move 4 (Ke3): "},
        {"1. e4 e5 2. Qxf7 *", "move 2 (Qxf7): "},
        {"1. e4 e5 2. Nf3 Nf6 3. Nc3 Nc6 4. N@d5 *", "move 4 (N@d5): "},
        {"[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n1. e4", "FEN tag: "},
        {"1. f3 e5 2. g4 Qh4# 3. e4 0-1", "move 3 (e4): "},
        {"", "no game"},
        {"1. e4 e5\n2. Nf3 (2. d4 exd4\n3. Qxd4 Nc6 *", "unclosed variation ( on line 2"},
        {"1. e4 e5\n2. Nf3 Nc6 {Ruy\n3. Bb5 a6 *", "unclosed comment { on line 2"},
        {"1. " + std::string(1 << 20, 'a') + " *", "move 1 (aaaaaaaaaaaaaaaaaaaa\u2026): "},
        {std::string("1. e\x01\0\xFF\xC3\xA9 *", 11), "move 1 (e\\x01\\x00\\xFF\u00E9): "},
        {"[FEN \"k7/8/8/8/8/8/8/7K w - - 0 1 1.\"]\n*", "FEN tag: FEN has 7 fields, not 6: \"1.\""},
    };
    clsRules o;
    o.SetFen(Passant);
    o.Tags().emplace_back("Event", "kept");
    for (const auto &[sText, sMessage] : Rows) {
        try {
            Pgn::Load(o, sText);
            ADD_FAILURE() << sText;
        } catch (const std::invalid_argument &e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(sMessage)) << e.what();
            EXPECT_LT(std::string(e.what()).size(), 100u);
        }
        EXPECT_EQ(o.Fen(), Passant);
        EXPECT_EQ(o.Tags().size(), 1u);
    }
}

} // namespace
