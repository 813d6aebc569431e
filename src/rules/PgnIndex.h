#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Pgn {

// Where each game of a many-game PGN text starts, with the tags a list shows and a count of its
// plies, found in one pass without playing a move. The text is fed in pieces of any size, so a
// file of any size is read through a small buffer; the index keeps nothing else of it.
//
// It splits the text as the single-game reader does: a game starts at its first tag or, without
// tags, at its first move; a tag after movetext, or anything after a result, starts the next.
// Comments ({...}, ;...), escape lines (%...), variations and strings with \" hide what they
// hold, but a tag pair at a line's start ends a variation or brace comment left open. Text
// before the first tag that is neither numbered nor ended by a result is not a game.
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
        BraceComment,
        LineComment,
        TagName,
        TagValue,
        TagEscape,
        TagRest
    };
    void StartGame(std::uint64_t nOffset, bool bTentative);
    void EndGame();
    void EndSymbol();
    // A symbol of the movetext (its first bytes) that starts at nOffset.
    void Symbol(std::string_view s, std::uint64_t nOffset);
    void StartTag(std::uint64_t nOffset);
    void CommentByte(char c, std::uint64_t nOffset);
    void EndTag();

    std::vector<Game> m_oGames;
    std::string m_sPool; // per game, each field as a length byte then its bytes
    std::uint64_t m_nRead = 0;
    State m_eState = State::Space;
    char m_cLast = '\n';            // the last byte of the previous piece
    std::uint64_t m_nTextStart = 0; // after a byte-order mark
    bool m_bInGame = false;         // a game is open
    bool m_bMovetext = false;       // and its movetext has begun
    bool m_bTentative = false;
    int m_nDepth = 0; // of variations
    // Where a brace comment's current line is, in looking for a tag pair left inside it.
    enum class CommentLine : std::uint8_t {
        Other,
        Start,
        Name,
        Blank
    } m_eLine = CommentLine::Other;
    std::uint64_t m_nTagOffset = 0;
    std::string m_sToken; // the start of the symbol or tag name being read
    std::uint64_t m_nTokenOffset = 0;
    bool m_bNameDone = false; // a blank followed the tag's name
    bool m_bShown = false;    // the tag is one the list shows
    std::string m_sValue;
    std::array<std::string, FieldCount> m_oFields;
    std::string m_sTermination;
};

} // namespace Pgn
