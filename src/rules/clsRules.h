#pragma once

#include "Annotation.h"
#include "Move.h"
#include "clsSquare.h"
#include "clsUndoInfo.h"
#include "modConsts.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The game: the position, the turn, the en passant and promotion state, the move records, and
// every rule that reads or changes them. It never paints; it reports each square it changes
// through the draw-square hook, in the order the changes are made.
//
// Squares are numbered 1 (a8) .. 64 (h1). An index outside 1..64 given to any operation is
// refused (false, nothing changed).
class clsRules {
public:
    using DrawSquareHook = std::function<void(int nSquare)>;

    // First half of playing a move (see BeginMove).
    struct MoveStart {
        bool bAccepted = false;
        bool bIsCapture = false;
        std::int16_t nCapturedClass = modConsts::NoPiece;
        bool bPromotionPending = false; // the host must answer PromotionChoice before JudgeMove
    };
    // Second half (see JudgeMove).
    struct MoveVerdict {
        bool bPlayed = false; // false: it left the mover's king attacked and was taken back
        bool bOpponentInCheck = false;
        bool bOpponentMated = false;
        bool bOpponentStalemated = false;
    };
    // Why a game is over (FIDE). The first five end it by themselves; the others are acts.
    enum class GameEnd {
        None,
        Checkmate,
        Stalemate,
        InsufficientMaterial,
        FivefoldRepetition,
        SeventyFiveMoveRule,
        ThreefoldRepetition,
        FiftyMoveRule,
        Resignation,
        Agreement,
        TimeForfeit,    // the side out of time lost
        TimeForfeitDraw // out of time, but its opponent could never have mated
    };

    clsRules();

    void SetDrawSquareHook(DrawSquareHook hook) { m_drawSquare = std::move(hook); }

    // --- Setting up -----------------------------------------------------------------------
    // Throws std::invalid_argument, naming the first offending square or code, for a layout that
    // is not 64 known codes or lacks exactly one king of each colour; nothing changes then.
    void NewGame(bool bWhiteMovesFirst = true,
                 std::string_view sLayout = modConsts::StandardLayout);
    // Empty when the layout is acceptable, else the reason NewGame would give.
    static std::string LayoutError(std::string_view sLayout);
    // The current position as a layout string.
    std::string Layout() const;
    void DrawBoard();

    // --- Chess960 -----------------------------------------------------------------------------
    // A game of Chess960 (Fischer Random) from start position nNumber, 0..959 in Scharnagl's
    // numbering (518 is the standard position). Throws std::invalid_argument out of range.
    // Castling follows FIDE's Chess960 rules, which are the usual ones from the standard start:
    // the king ends on the g or c file, the rook beside it on f or d.
    void NewGame960(int nNumber);
    // Whether this game is one of Chess960: castling moves are then written as the king taking its
    // own rook (e1h1), as UCI_Chess960 has them; otherwise as the king's two-square step (e1g1).
    bool Is960() const { return m_b960; }
    // The file (1 = a .. 8 = h) of the rook that castling on that side would move, while the side
    // still has that right; 0 once it is lost or when the game never had it. A right belongs to
    // one rook: moving that rook or the king loses it.
    int CastlingRookFile(bool bWhite, bool bKingSide) const;
    // Castling on that side in this game's own form (see Is960), with no promotion; nSrc is 0
    // when the side has no such right. Whether it is legal now is IsLegal's question.
    Move CastlingMove(bool bWhite, bool bKingSide) const;
    // A castling named by either gesture players use: the king onto its own castling rook (in a
    // Chess960 game), or the king onto the square castling takes it to, when that is two or more
    // files away (so it cannot be a step). The move in the game's own form, or nSrc 0 when
    // nSrc-nDest is neither.
    Move CastlingOf(int nSrc, int nDest) const;
    // 1 for the king's side, 2 for the queen's side when nSrc-nDest is a castling in this game's
    // own form for which the side still has the right, else 0. Whether it is legal now (squares
    // empty, none attacked) is not judged.
    int CastlingSide(int nSrc, int nDest) const;

    // --- FEN (all six fields; the two counters may be left out) ------------------------------
    // The castling field is written as X-FEN: KQkq for the outermost rook on a side, its file
    // letter (HAha) for another; a standard position reads as it always has. The en passant
    // field names the square behind any pawn that just stepped twice.
    std::string Fen() const;
    // A new game from that position. X-FEN and Shredder-FEN castling fields are both read; the
    // game is one of Chess960 when bChess960 says so or when the castling rights need it (a king
    // off the e file or a rook off the a and h files). Throws std::invalid_argument naming the
    // cause, with nothing changed. Reports every square to the hook, like NewGame.
    void SetFen(std::string_view sFen, bool bChess960 = false);
    // Empty when SetFen would accept the FEN, else the reason it would give.
    static std::string FenError(std::string_view sFen);
    // The pieces of a position by square, a8 first (as Position::nClass).
    using Pieces = std::array<std::int8_t, modConsts::SquareCount>;
    // The castling rights a FEN's castling field gives these pieces, read as SetFen reads them:
    // nFile gets each right's rook file (K, Q, k, q; 1 = a .. 8 = h, 0 for none), b960 whether
    // they need Chess960 (a king off the e file or a rook off the a and h files). Empty when the
    // field reads, else the reason; nFile and b960 are then of no use.
    static std::string ReadCastling(std::string_view sField, const Pieces &nClass,
                                    std::array<std::int8_t, 4> &nFile, bool &b960);
    int HalfmoveClock() const { return m_nHalfmove; }
    int FullmoveNumber() const { return m_nFullmove; }
    // The FEN the current game started from.
    const std::string &StartFen() const { return m_sStartFen; }
    // Zobrist key of pieces, side to move, castling rights and the en passant captures that
    // are legal; equal keys mean the same position for the repetition rules.
    std::uint64_t PositionKey() const {
        return m_oRecord.empty() ? m_nStartKey : m_oRecord.back().nKey;
    }

    // --- The game record ---------------------------------------------------------------------
    // A position as the record keeps it: enough to show it and to write its FEN.
    struct Position {
        std::array<std::int8_t, modConsts::SquareCount> nClass{}; // by square; NoPiece: empty
        bool bWhiteToMove = true;
        bool bInCheck = false;     // the side to move
        std::int8_t nCastling = 0; // K 1, Q 2, k 4, q 8
        // The file (1..8) of each right's rook, in the same order; 0 reads as h or a.
        std::array<std::int8_t, 4> nCastlingFile{};
        std::int8_t nEnPassantColumn = 0; // 1..8 behind a pawn that just stepped twice, else 0
        int nHalfmove = 0;
        int nFullmove = 1;
    };
    // One played move with what readers of the game need from it.
    struct Ply {
        Move oMove;
        std::string sSan;           // written once, from the position before the move
        Position oAfter;            // the position the move left
        std::uint64_t nKey = 0;     // the repetition key of oAfter (see PositionKey)
        std::int64_t nClockMs = -1; // time left on the mover's clock after the move; -1 untimed
        std::string sComment;       // a comment read with the move
    };
    // Every move of the game, oldest first; UndoLastMove removes the newest.
    const std::vector<Ply> &Record() const { return m_oRecord; }
    std::vector<Ply> &Record() { return m_oRecord; }
    int PlyCount() const { return static_cast<int>(m_oRecord.size()); }
    // How many pieces of that class stand on the board.
    int PieceCount(std::int16_t nClass) const {
        return m_oMaterial.nCount[static_cast<std::size_t>(nClass)];
    }
    // The position after ply nPly (0: the start); nPly must be in 0..PlyCount().
    const Position &PositionAt(int nPly) const {
        return nPly == 0 ? m_oStart : m_oRecord[static_cast<std::size_t>(nPly - 1)].oAfter;
    }
    // Its FEN, the castling field as X-FEN.
    static std::string FenOf(const Position &oPosition);
    // Takes over the game of oOther (a game read elsewhere), keeping its own draw-square hook,
    // and reports every square.
    void Adopt(clsRules &&oOther);

    // --- The legal-move list ------------------------------------------------------------------
    // Every legal move of the side to move, judged by TryMove; a promotion once for each piece.
    // Leaves everything as it found it. Empty once the game is over or during a move.
    void LegalMoves(MoveList &oMoves);
    // The same list whatever the state of the game: perft counts moves of finished positions.
    void ListMoves(MoveList &oMoves);
    // Whether oMove is in that list; a promotion names a piece of the mover's colour.
    bool IsLegal(const Move &oMove);
    // Plays a legal move as a player does (BeginMove, PromotionChoice, JudgeMove, PassTurn).
    // False: refused, nothing changed.
    bool PlayMove(const Move &oMove, MoveVerdict *pVerdict = nullptr);

    // --- The end of the game --------------------------------------------------------------
    // Checkmate, stalemate, dead position, fivefold repetition and the 75-move rule end the game
    // when the turn passes (PassTurn) or when a game is set up in such a position.
    GameEnd EndReason() const { return m_eEnd; }
    bool IsGameOver() const { return m_eEnd != GameEnd::None; }
    // "1-0", "0-1", "1/2-1/2" or "*".
    std::string Result() const { return m_pResult; }
    // Threefold repetition of the current position, or 100 plies without capture or pawn move.
    bool CanClaimDraw() const;
    bool ClaimDraw();
    // That side resigns, whoever is to move.
    bool Resign(bool bWhite);
    bool Resign() { return Resign(bIsWhitesTurn); }
    bool AgreeDraw();
    // A loaded game's result: a decisive one on a position that is not mate is a resignation
    // or a loss on time, a draw one an agreement. "*" changes nothing; anything else throws
    // std::invalid_argument. An automatic end already reached is kept.
    void SetResult(std::string_view sResult);
    // The side to move has run out of time (FIDE 6.9): it loses, unless its opponent cannot
    // checkmate by any series of legal moves, which draws. False, changing nothing, when the game
    // is over or a move is being played.
    bool FlagFall();
    // Whether the side could still checkmate by some series of legal moves. True unless proved
    // impossible: a bare king, a dead position, or a bounded search of every position still
    // reachable finding no mate.
    bool CanCheckmate(bool bWhite) const;
    // How often the current position has stood on the board since the last capture or pawn move.
    int RepetitionCount() const;

    // --- The game tree ------------------------------------------------------------------
    // Every move read or played with the lines that branch off it, and what is written about
    // each. Node Root stands for the start position. A node's first child continues its line;
    // the others are variations, alternatives to the first child. The main line runs from the
    // root through first children for PlyCount() plies; Record() is that line, and the live
    // game is its end, which may still have children: variations kept when the move after it
    // was taken back. Ids are kept while the game is loaded; a removed node's id is not used
    // again, except that of a move taken back right after it was made (a trial such as SAN).
    // An opaque node is a variation whose moves could not be played, kept as its text.
    static constexpr int Root = 0;
    int NodeCount() const { return static_cast<int>(m_oNodes.size()); }
    bool IsNode(int n) const {
        return n >= 0 && n < NodeCount() && !m_oNodes[static_cast<std::size_t>(n)].bRemoved;
    }
    // -1 for the root and for anything that is no node.
    int Parent(int n) const { return IsNode(n) ? NodeAt(n).nParent : -1; }
    int FirstChild(int n) const { return IsNode(n) ? NodeAt(n).nFirstChild : -1; }
    int NextSibling(int n) const { return IsNode(n) ? NodeAt(n).nNextSibling : -1; }
    std::vector<int> Children(int n) const;
    // Plies from the start: 0 for the root.
    int Depth(int n) const { return IsNode(n) ? NodeAt(n).nPly : -1; }
    bool IsOpaque(int n) const { return IsNode(n) && NodeAt(n).bOpaque; }
    // An opaque node's text, as it stood between its parentheses.
    const std::string &OpaqueText(int n) const;
    bool OnMainLine(int n) const {
        return IsNode(n) && !NodeAt(n).bOpaque && NodeAt(n).nPly <= PlyCount() &&
               MainLineNode(NodeAt(n).nPly) == n;
    }
    // The main line's node after ply nPly (0: the root); -1 out of range.
    int MainLineNode(int nPly) const {
        return nPly == 0                       ? Root
               : nPly < 0 || nPly > PlyCount() ? -1
                                               : m_oLine[static_cast<std::size_t>(nPly - 1)];
    }
    int LiveNode() const { return MainLineNode(PlyCount()); }
    // The move of a node that is neither the root nor opaque, with its SAN, position and clock.
    const Ply &NodePly(int n) const;
    Ply &NodePly(int n);
    // The position after the node's move; the start for the root.
    const Position &NodePosition(int n) const { return n == Root ? m_oStart : NodePly(n).oAfter; }
    const Annotation::Notes &NodeNotes(int n) const;

    // The first node of the variation n belongs to: the node off the main line nearest the
    // root on n's line; -1 on the main line.
    int VariationStart(int n) const;
    // Whether n may have a comment before its move: a file holds one only before the first move
    // of a variation. A node that stops being one hands its comment to the move before it.
    bool TakesCommentBefore(int n) const;

    // --- Editing the tree ---------------------------------------------------------------
    // Each edit is refused, changing nothing, for an id that is no node of the kind it needs
    // and while a move is being played; EditText gives the reason in English words.
    enum class EditResult {
        Done,
        NoSuchNode,
        NotLegal,
        OnMainLine,
        BraceInComment,
        NotAtVariationStart,
        GameEndsFirst,
        MoveInProgress
    };
    static const char *EditText(EditResult e);
    // Adds the legal move oMove at node nAt, from the position there: when a child of nAt
    // already holds it, that child; otherwise a new variation (at the live end, a line beside
    // the game). The main line does not change. The node's id, or -1 (see LastEdit()).
    int AddMove(int nAt, const Move &oMove);
    // A comment after the move (at the root, the game's comment before its first move) or,
    // with bBefore, before a variation's first move; empty clears it. A comment cannot hold
    // "}", which would end it in a file. White space is kept as a file keeps it, single.
    EditResult SetComment(int n, std::string_view sText, bool bBefore = false);
    EditResult SetNags(int n, std::vector<std::uint8_t> oNags);
    EditResult SetShapes(int n, std::vector<Annotation::Shape> oShapes);
    // Every note at once, checked as above.
    EditResult SetNotes(int n, Annotation::Notes oNotes);
    // Removes the variation n belongs to, from VariationStart(n) on. Refused on the main line.
    EditResult DeleteVariation(int n);
    // Removes n and everything after it. On the main line the moves from n on are taken back,
    // as UndoLastMove takes them, and the variations beside n stay.
    EditResult DeleteFrom(int n);
    // Makes n's line the main line: every node from n back to the main line becomes its
    // parent's first child, the game is played again from where the lines part, and its end
    // is judged anew from the new main line (an ended game's resignation, agreement or time
    // forfeit does not carry over). Refused when the game would end before the line does.
    EditResult PromoteVariation(int n);
    // The result the game would have after PromoteVariation(n) ("*" while it goes on); empty
    // when it would be refused. A host asks before promoting over a finished game.
    std::string ResultAfterPromotion(int n);
    EditResult LastEdit() const { return m_eLastEdit; }

    // --- Playing through a record ---------------------------------------------------------
    // A position of the record set up for playing on, without judging it: the squares,
    // castling rights by rook file, en passant, counters and side to move, in a game of Chess960
    // or not (a board playing a line takes its game's Is960()). The record and the tree start
    // again from it; the tags stay.
    void SetPosition(const Position &oPosition, bool b960);
    // Plays oMove, a move of the legal-move list (not checked again), as a game read from a
    // file plays it: its SAN, position and key recorded and a mate seen; with bJudgeEnd the
    // other automatic ends too, but a stalemate only when the game ends anyway, the rest of
    // that left for JudgeEnd. False when the game is over or a move is being played.
    bool PlayListed(const Move &oMove, bool bJudgeEnd = true);
    // Finishes the judging PlayListed left.
    void JudgeEnd();

    // --- Tags kept with the game (PGN), in order; NewGame and SetFen clear them -------------
    std::vector<std::pair<std::string, std::string>> &Tags() { return m_oTags; }
    const std::vector<std::pair<std::string, std::string>> &Tags() const { return m_oTags; }

    // --- Square names ---------------------------------------------------------------------
    static constexpr int SquareIndex(int x, int y) { return (y - 1) * 8 + x; }
    static constexpr bool IsSquare(int nSquare) { return nSquare >= 1 && nSquare <= 64; }
    static int NotationToSquare(std::string_view sNotation);
    static std::string SquareToNotation(int nSquare);

    // --- Rules operations -----------------------------------------------------------------
    // Judges nSrc-nDest; performing, it does the move's bookkeeping and leaves the piece for
    // MakeMove, except in castling, where both king and rook are carried here (in Chess960 they
    // may trade squares) and the MakeMove that follows only marks the king as moved.
    bool TryMove(int nSrc, int nDest, bool bTestOnly);
    bool MakeMove(int nSrc, int nDest, bool bHasMoved);
    // Carries the rook on nRookSquare to the f file (king's side) or the d file (queen's side)
    // of the king's rank, as castling leaves it.
    bool MoveCastlingRook(bool bKingSide, int nKingSquare, int nRookSquare);
    bool IsSquareAttacked(bool bIsWhite, int nSquare) const;
    bool UndoMove();
    bool UndoLastMove();
    // Exact verdicts: attacked (or not) and no legal move. They leave everything as they found it.
    bool IsCheckmate(bool bIsWhite, int nKingSquare);
    bool IsStalemate(bool bIsWhite, int nKingSquare);
    // Whether the side has any move that TryMove accepts and that leaves its own king safe.
    bool HasLegalMove(bool bIsWhite);
    // Squares the piece on nSrc might reach by the shape of its move; a superset of what TryMove
    // accepts from nSrc. Fills oDests and returns how many were written.
    int CandidateDestinations(int nSrc, std::array<std::int8_t, 32> &oDests) const;
    // The squares a piece of that kind (king to bishop, not a pawn) on nFrom reaches by its
    // pattern, each line up to its first piece. The patterns are symmetric, so these are also the
    // squares such a piece could come to nFrom from.
    int PatternDestinations(int nFrom, std::int16_t nKind,
                            std::array<std::int8_t, 32> &oDests) const;

    // --- Playing a move as a player does ----------------------------------------------------
    // Validates (the piece must belong to the side to move; a king is never captured), records
    // and carries the piece. When it reports a pending promotion, the host answers through
    // PromotionChoice before calling JudgeMove.
    MoveStart BeginMove(int nSrc, int nDest);
    // Ends the promotion, then either takes the move back (it left the mover's king attacked) or
    // judges the opponent's position. The turn does not pass here: see PassTurn. Without a move
    // begun it judges nothing and reports nothing played.
    MoveVerdict JudgeMove();
    // Takes back a begun move that will never be judged (nobody is left to choose its piece).
    void AbandonMove();
    // Hands the move to the other side, once the host has been told of the move.
    // A judged move's automatic end of the game takes effect here.
    void PassTurn() {
        bIsWhitesTurn = !bIsWhitesTurn;
        if (m_bTurnPending) {
            m_bTurnPending = false;
            if (m_ePendingEnd != GameEnd::None)
                EndGame(m_ePendingEnd, m_pPendingResult);
        }
    }
    // Turns the pawn awaiting promotion into nClass (a queen, rook, knight or bishop of its
    // colour). Refused, with nothing changed, when no promotion is pending or the piece is not
    // one a pawn of that colour may become.
    bool PromotionChoice(std::int16_t nClass);
    // The promotion has been dealt with; the next performed move must not be recorded as one.
    void ClearPromotionPending() { bPromotionPending = false; }

    // --- State ----------------------------------------------------------------------------
    const clsSquare &Square(int nSquare) const { return oSquares[nSquare - 1]; }
    bool IsWhitesTurn() const { return bIsWhitesTurn; }
    int WhiteKingSquare() const { return nWhiteKingSquare; }
    int BlackKingSquare() const { return nBlackKingSquare; }
    bool EnPassantPossible() const { return bEnPassantPossible; }
    std::int16_t EnPassantColumn() const { return nEnPassantColumn; }
    bool PromotionPending() const { return bPromotionPending; }
    bool PromotionIsWhite() const { return bPromotionIsWhite; }
    int PromotionSquare() const { return nPromotionSquare; }
    bool PromotionChosen() const { return bPromotionChosen; }
    // Waiting for the host's promotion answer.
    bool AwaitingPromotion() const { return bPromotionPending && !bPromotionChosen; }
    // Between an accepted BeginMove and its JudgeMove or AbandonMove.
    bool MoveInProgress() const { return m_bMoveBegun; }
    std::size_t UndoCount() const { return oUndoInfo.size(); }
    // Records 1 (oldest) .. UndoCount() (newest).
    const clsUndoInfo &UndoInfo(std::size_t nIndex) const { return oUndoInfo[nIndex - 1]; }
    int DragSquare() const { return nDragSquare; }
    void SetDragSquare(int nSquare) { nDragSquare = nSquare; }

private:
    clsSquare &Sq(int nSquare) { return oSquares[nSquare - 1]; }
    const clsSquare &Sq(int nSquare) const { return oSquares[nSquare - 1]; }
    // Class on the square, or NoPiece when it is empty.
    std::int16_t ClassOn(int nSquare) const {
        const clsSquare &o = Sq(nSquare);
        return o.HasPiece ? o.Piece->Class : modConsts::NoPiece;
    }
    void DrawSquare(int nSquare) {
        if (m_drawSquare && m_nQuiet == 0)
            m_drawSquare(nSquare);
    }
    void ApplyLayout(std::string_view sLayout);
    // The rook files of the four rights (K, Q, k, q), 1..8, 0 for none.
    using CastlingFiles = std::array<std::int8_t, 4>;
    // Sets up a game from a checked layout. pCastling: the rights given (the king of a side
    // without any, and every rook on a back rank that has none, count as moved), or null for
    // a standard game's rights: an unmoved king on e1 or e8 with rooks on the a and h files.
    // nEpColumn 0 for none.
    void SetUp(bool bWhiteToMove, std::string_view sLayout, const CastlingFiles *pCastling,
               bool b960, int nEpColumn, int nHalfmove, int nFullmove);
    // Whether the nSteps - 1 squares from (sx, sy) along the step are empty.
    bool PathClear(int sx, int sy, int nStepX, int nStepY, int nSteps) const;
    bool TryPawn(int nSrc, int nDest, bool bTestOnly, bool &bDoubleStep);
    // Right r: 0 K, 1 Q, 2 k, 3 q.
    static constexpr int RightOf(bool bWhite, bool bKingSide) {
        return (bWhite ? 0 : 2) + (bKingSide ? 0 : 1);
    }
    // Whether right r still stands: its king and its rook unmoved on their squares.
    bool RightStands(int nRight) const;
    // The four squares of one castling.
    struct Castling {
        int nKing;
        int nRook;
        int nKingTo;
        int nRookTo;
    };
    // Judges castling nSrc-nDest (FIDE, Chess960 rules included) and fills oCastling; changes
    // nothing.
    bool TryCastling(int nSrc, int nDest, Castling &oCastling);
    // The same by its side, for a right the game began with.
    bool JudgeCastling(bool bWhite, bool bKingSide, Castling &oCastling);
    // Adds the king's castling destinations to a candidate list of n squares; the new count.
    int AddCastlings(int nKing, std::array<std::int8_t, 32> &oDests, int n) const;
    // The destination of that castling in this game's own form when it is legal now, else 0.
    int LegalCastling(bool bWhite, bool bKingSide);
    // Places the castling king and rook on their new squares; with bTrial only to ask whether
    // the king stands safe there, everything being put back.
    bool CastlePieces(bool bWhite, const Castling &c, bool bTrial);
    // TryMove's bookkeeping for a castling judged legal: its record, both pieces carried.
    void PerformCastling(clsUndoInfo &oInfo, const Castling &c);
    // The one king-safety test: whether the side's king stands unattacked.
    bool KingSafe(bool bWhite) const {
        return !IsSquareAttacked(bWhite, bWhite ? nWhiteKingSquare : nBlackKingSquare);
    }
    // Whether the mover's king is safe once nSrc-nDest (accepted by TryMove) is played; the
    // board is touched only for the test and put back.
    bool KingSafeAfter(int nSrc, int nDest);
    // Calls fn(nSrc, nDest) for every legal move of the side, promotion pieces not expanded,
    // until fn returns true; returns whether it did.
    template <typename Fn>
    bool ForEachLegal(bool bIsWhite, Fn &&fn);
    // Whether an en passant capture is legal for the side to move now.
    bool EnPassantLegal(bool bWhite);

    // Game record bookkeeping (see GameEnd.cpp).
    struct Material {
        std::array<std::int8_t, modConsts::ClassCount> nCount{};
        std::int8_t nBishopsOnDark = 0;
        std::int8_t nBishopsOnLight = 0;
    };
    // What a played move changed, to put back on undo.
    struct PlyState {
        std::size_t nUndoIndex = 0; // the record count once the move was recorded
        int nHalfmove = 0;
        int nFullmove = 0;
        std::uint64_t nPieceKey = 0;
        Material oMaterial;
    };
    void StartRecord(int nHalfmove, int nFullmove);
    void RecordPlayedMove(bool bInCheck, bool bMated);
    Position Snapshot(bool bWhiteToMove, bool bInCheck) const;
    // Everything of a snapshot but its pieces.
    void SnapshotState(Position &o, bool bWhiteToMove, bool bInCheck) const;
    void ForgetPlayedMove();
    std::uint64_t KeyFor(bool bWhiteToMove);
    int CastlingMask() const;
    bool DeadPosition() const;
    GameEnd AutomaticEnd(bool bInCheck, bool bCanMove) const;
    void EndGame(GameEnd eEnd, const char *pResult) {
        m_eEnd = eEnd;
        m_pResult = pResult;
    }
    // Judges the position a game is set up in.
    void JudgeStart();

    std::array<clsSquare, modConsts::SquareCount> oSquares;
    int nDragSquare = 0;
    bool bEnPassantPossible = false;
    std::int16_t nEnPassantColumn = 0;
    bool bEnPassantCapture = false;
    bool bPromotionPending = false;
    bool bPromotionIsWhite = false;
    int nPromotionSquare = 0;
    bool bPromotionChosen = false;
    int nWhiteKingSquare = 0;
    int nBlackKingSquare = 0;
    std::vector<clsUndoInfo> oUndoInfo;
    bool bIsWhitesTurn = false;
    bool m_bMoveBegun = false;
    DrawSquareHook m_drawSquare;
    int m_nQuiet = 0; // while non-zero, trials report no squares

    bool m_bStartEnPassant = false;
    std::int16_t m_nStartEnPassantColumn = 0;
    std::string m_sStartFen;
    int m_nHalfmove = 0;
    int m_nFullmove = 1;
    std::uint64_t m_nPieceKey = 0;
    Material m_oMaterial;
    std::vector<PlyState> m_oPlies;
    std::vector<Ply> m_oRecord;
    Position m_oStart;
    std::uint64_t m_nStartKey = 0;
    std::string m_sPendingSan; // the SAN of the move begun, without its promotion and check
    GameEnd m_eEnd = GameEnd::None;
    const char *m_pResult = "*"; // a literal
    bool m_bTurnPending = false; // a judged move waits for PassTurn
    GameEnd m_ePendingEnd = GameEnd::None;
    const char *m_pPendingResult = "*";
    std::vector<std::pair<std::string, std::string>> m_oTags;

    bool m_b960 = false;
    // The rook file each right refers to, fixed for the game; whether it still stands is told
    // by the king and that rook being unmoved (RightStands).
    CastlingFiles m_nRookFile{};
    // A castling carried out by TryMove: the king's start square until the MakeMove that
    // belongs to it (0: none), and where the king went.
    int m_nCastledFrom = 0;
    int m_nCastledTo = 0;

    // The tree (see GameTree.cpp).
    struct Node {
        int nParent = -1;
        int nFirstChild = -1;
        int nNextSibling = -1;
        int nPly = 0;
        int nSide = -1;  // off the main line: its ply in m_oSide (opaque: its text in m_oTexts)
        int nNotes = -1; // in m_oNotes
        bool bRemoved = false;
        bool bOpaque = false;
    };
    const Node &NodeAt(int n) const { return m_oNodes[static_cast<std::size_t>(n)]; }
    Node &NodeAt(int n) { return m_oNodes[static_cast<std::size_t>(n)]; }
    void StartTree();
    // The record gained or lost its newest ply: the tree follows.
    void TreeMoveRecorded();
    void TreeMoveForgotten();
    int NewNode(int nParent, bool bFirst);
    void Unlink(int n);
    void MoveToFront(int n);
    void RemoveSubtree(int n);
    void DropSubtree(int n); // RemoveSubtree without settling the comments
    // The comments before the children of n that no longer take one go after n's move.
    void SettleBefore(int n);
    Annotation::Notes &NotesOf(int n);
    // SetPosition without the start's FEN, for a board that plays a line and is set again.
    void PlaceLine(const Position &oPosition, bool b960);
    // A ply of the main line goes off it: its data to the side store.
    void ToSide(int n);
    // The nodes of the line through n that are off the main line, from the first to the end.
    std::vector<int> LineThrough(int n) const;
    EditResult Refuse(EditResult e);
    friend class GameReader;
    std::vector<Node> m_oNodes;
    std::vector<int> m_oLine; // the main line's nodes after ply 1, 2, ...
    std::vector<Ply> m_oSide;
    std::vector<std::string> m_oTexts;
    std::vector<Annotation::Notes> m_oNotes;
    std::vector<std::shared_ptr<clsPiece>> m_oOwnPieces; // one a square, for SetPosition
    bool m_bTree = true;                                 // false: a board for trials keeps no tree
    bool m_bEndUnjudged = false;                         // PlayListed left the stalemate test
    EditResult m_eLastEdit = EditResult::Done;
};
