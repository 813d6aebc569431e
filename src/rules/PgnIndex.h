#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Pgn {

// Where the game reader (Pgn::Read) finds the first game of a text, without playing a move: the
// reader's own tokens, so that a game's bytes read alone are the game the reader reads there.
struct GameSpan {
    static constexpr std::size_t npos = std::string_view::npos;
    // The game's first tag or movetext symbol (move numbers included; NAGs, annotation glyphs,
    // stray brackets, variations and escape-line symbols are not); npos when there is none.
    std::size_t nStart = npos;
    // Where the reader stops: after the result, at the next game's '[' once a move has been
    // read, or at the end; npos when a comment or variation is never closed, which the reader
    // refuses.
    std::size_t nEnd = npos;
    // A game a collection lists: one with a start that begins with a tag or a move number, or
    // that ends with a result. Words before a tag ("Downloaded today") are not a game.
    bool bListed = false;
};
GameSpan FindGame(std::string_view sText);

// Where each game of a many-game PGN text starts, with the tags a list shows and a count of its
// plies, found in one pass without playing a move. The text is fed in pieces of any size, so a
// file of any size is read through a small buffer; the index keeps nothing else of it.
//
// It splits the text as the reader does (see FindGame): Begin(n) is game n's start, and the
// reader's game from there ends at or before Begin(n + 1), with nothing listed in between.
// Comments ({...}, ;...), escape lines (%...), variations and tag values hide what they hold.
// Only where the reader refuses the text, at a brace comment or variation never closed, does a
// tag pair at a line's start inside it begin the next game, so the games after it stay listed.
class Index {
public:
    enum Field { White, Black, Result, Date, Event, Round, FieldCount };
    struct Game {
        std::uint64_t nOffset = 0; // of the game's first byte
        std::uint32_t nPlies = 0;  // moves of the main line
        std::uint32_t nTags = 0;   // where its fields start in the pool
    };

    // Reads the next piece of the text. Throws std::invalid_argument, naming the cause, for text
    // that cannot be a game collection; the index is then of no further use.
    void Add(std::string_view sBytes);
    // The end of the text: closes the last game.
    void Finish();

    // Games read to their end.
    std::size_t Count() const { return m_oGames.size() - (m_bInGame ? 1 : 0); }
    const Game &At(std::size_t n) const { return m_oGames[n]; }
    // The game's bytes are [Begin(n), End(n)) of the text.
    std::uint64_t Begin(std::size_t n) const { return m_oGames[n].nOffset; }
    std::uint64_t End(std::size_t n) const {
        return n + 1 < m_oGames.size() ? m_oGames[n + 1].nOffset : m_nRead;
    }
    // A shown tag of game n < Count(), as the reader would keep it (control characters as
    // spaces), cut at 255 bytes; Result falls back on the game's termination marker.
    std::string_view Tag(std::size_t n, Field eField) const;
    // All of them at once, in the order of Field.
    std::array<std::string_view, FieldCount> Tags(std::size_t n) const;
    // Bytes read so far.
    std::uint64_t Size() const { return m_nRead; }
    // Heap bytes held, for the benchmark and the bound on hostile text.
    std::size_t MemoryUsed() const {
        return m_oGames.capacity() * sizeof(Game) + m_sPool.capacity();
    }

private:
    enum class State : std::uint8_t {
        Space,
        Symbol,
        Nag,
        BraceComment,
        LineComment,
        TagOpen,  // blanks after '['
        TagName,  // the name
        TagGap,   // blanks after it
        TagValue, // inside the quotes
        TagEscape,
        TagRest // to the ']' or the line's end
    };
    // What the reader makes of a movetext symbol, from all its bytes.
    struct Token {
        std::string sHead; // its first bytes
        std::size_t nLength = 0;
        std::size_t nDigits = 0; // leading digits
        std::size_t nDots = 0;   // periods after them
        bool bRest = false;      // anything after those
        bool bGlyphs = true;     // only '!' and '?'
        void Add(const char *p, std::size_t n);
    };
    void StartGame(std::uint64_t nOffset, bool bTentative);
    void EndGame();
    void EndSymbol();
    void Symbol(const Token &oToken, std::uint64_t nOffset);
    void StartTag(std::uint64_t nOffset);
    void CommentByte(char c, std::uint64_t nOffset);
    void EndTag();
    // A tag pair at a line's start inside a brace comment or variation: whether the reader
    // returns to the main line later in this piece (then the index goes on there, at *pResume),
    // or the tag starts the next game, taken back if a later piece closes what was open.
    bool Resolve(const char *p, std::size_t i, std::size_t n, bool bBrace, std::size_t *pResume);
    // Runs the reader's view over p[i, n) while a split is tentative; true at the end of what
    // was open, with *pResume after it.
    bool Shadow(const char *p, std::size_t i, std::size_t n, std::size_t *pResume);
    void Speculate();
    void TakeBack();
    void AddPiece(std::string_view sBytes);

    std::vector<Game> m_oGames;
    std::string m_sPool; // per game, each field as a length byte then its bytes
    std::uint64_t m_nRead = 0;
    State m_eState = State::Space;
    char m_cLast = '\n';            // the last byte of the previous piece
    std::uint64_t m_nTextStart = 0; // after a byte-order mark
    std::string m_sHeld;            // the first bytes, until they are known to be no mark
    bool m_bBomKnown = false;
    bool m_bInGame = false;    // a game is open
    bool m_bStarted = false;   // the reader has read a move of this game: a tag ends it
    bool m_bTentative = false; // it began with a word
    int m_nDepth = 0;          // of variations
    // Where a brace comment's current line is, in looking for a tag pair left inside it.
    enum class CommentLine : std::uint8_t {
        Other,
        Start,
        Name,
        Blank
    } m_eLine = CommentLine::Other;
    std::uint64_t m_nTagOffset = 0;
    std::string m_sName; // of the tag being read, or the tag-like line in a comment
    Token m_oToken;      // the symbol being read across pieces
    std::uint64_t m_nTokenOffset = 0;
    bool m_bShown = false; // the tag is one the list shows
    std::string m_sValue;
    std::array<std::string, FieldCount> m_oFields;
    std::string m_sTermination;

    // A split inside an open comment or variation not yet known to be final: the reader's view
    // of what is open, and the index as it was before the split.
    struct Speculation {
        bool bOn = false;
        bool bBrace = false;    // the reader is in a brace comment
        bool bLine = false;     // or in a line comment or escape line
        int nDepth = 0;         // of variations, as the reader counts them
        std::size_t nGames = 0; // the index before the split
        Game oLast;
        std::size_t nPool = 0;
        std::array<std::string, FieldCount> oFields;
        std::string sTermination;
        bool bInGame = false, bStarted = false, bTentative = false;
    } m_oSpeculation;
};

} // namespace Pgn
