#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class BoardPrivate;
struct BoardScene; // tavlon/BoardRenderer.h
struct BoardShape;

// The chess board control: draws the position, plays typed, dragged, clicked and keyed moves by
// the rules of chess, and tells its host what happened. It needs only Qt Widgets.
//
// Squares are named like "e4". Piece classes are 0-5 for the black king, queen, rook, knight,
// bishop and pawn, 6-11 for the white ones, -1 for no piece.
//
// A move's events come in this order, each at most once:
//   PawnPromotion (only when the host must choose the piece; the board waits for
//   PromotionChoice) -> PieceMovement -> PieceCapture -> KingInCheck or Stalemate ->
//   PositionChanged -> GameOver.
// Until PositionChanged the mover is still to move: IsWhitesTurn() inside PieceMovement,
// PieceCapture, KingInCheck and Stalemate handlers names the side that made the move. While a
// move waits for its promotion piece or raises those events, calls that would play or undo a
// move are refused. PositionChanged and GameOver come once the move is complete: their handlers
// may play, undo, resign, agree or claim a draw, and what they do raises its own events.
// GameOver comes once for each end of the game: a game ended inside PositionChanged (a reply
// that mates, Resign) is told by that end's GameOver alone, and one undone there is not told.
// A handler may delete the board or start a new game; the old move then raises no further
// events.
class Board : public QWidget {
    Q_OBJECT
    // How many squares have been drawn with new contents since the control was made; the
    // benchmark reads it.
    Q_PROPERTY(int renderedSquares READ RenderedSquares)
public:
    // How a game ended. The first five end it by themselves; the others are acts.
    enum class EndReason {
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
    Q_ENUM(EndReason)
    // Why the last call that could be refused was refused; LastError() says it in words.
    enum class Refusal {
        None,
        MoveInProgress,
        PromotionWaiting,
        GameIsOver,
        NoMoveGiven,
        UnreadableMove,
        AmbiguousMove,
        NoLegalMoveMatches,
        CastlingNotLegal,
        PromotionPieceMissing,
        IllegalMove,
        NoPromotionPiece,
        NoDrawToClaim,
        ResignationRefused,
        DrawRefused,
        BadFen,
        BadPgn,
        EarlierPositionShown,
        BadTag,
        BadPieceSet,
        Editing,    // a game call while a position is being set up
        NotEditing, // an editing call while no position is being set up
        NoSuchStartPosition,
        NoSuchNode,
        MainLineIsNoVariation,
        BraceInComment,
        NoCommentBefore,
        GameEndsFirst,
        BadNote
    };
    Q_ENUM(Refusal)

    explicit Board(QWidget *parent = nullptr);
    ~Board() override;

    // Starts a game from a layout (a two-letter code per square, a8 to h1: "WK".."WP",
    // "BK".."BP", "XX" for empty, as StandardLayout()) with the side to move. Refused, changing
    // nothing, for a layout the rules reject, or from PawnPromotion until the promotion wait has
    // ended (an answer given inside the handler included). Raises PositionChanged only.
    void NewGame(bool bIsWhitesTurn = true, const QString &sLayout = StandardLayout());
    // Turns the board to White's (true) or Black's point of view; the game is unchanged.
    void BoardView(bool bIsWhitesView);
    // Takes back the newest move and raises PositionChanged. False, changing nothing, when there
    // is no move to take back or a move is still being played.
    bool UndoLastMove();
    // Answers PawnPromotion with the piece class the pawn becomes (queen, rook, knight or bishop
    // of the mover's colour). False when no promotion waits or the class does not fit.
    bool PromotionChoice(qint16 nClass);
    // Plays a move from square to square with the move's events; true once it has been played.
    // False for an illegal move, a bad square name or while another move is being played.
    bool MovePiece(const QString &sSrc, const QString &sDest);
    // Whether White is to move; inside a move's handlers, before PositionChanged, the mover.
    bool IsWhitesTurn() const;

    // The layout of the standard starting position, for NewGame.
    static QString StandardLayout();

    // --- Chess960 -----------------------------------------------------------------------------
    // Starts a game of Chess960 (Fischer Random) from start position nNumber, 0..959 in
    // Scharnagl's numbering (518 is the standard position), White to move. Castling follows
    // FIDE's Chess960 rules: the king ends on the g or c file, the rook beside it. A player
    // castles by dragging or clicking the king onto its own rook, or onto the square castling
    // takes it to where that cannot be a king's step (two files or more away); typed, as O-O,
    // O-O-O or the king taking its rook (e1h1). Refused (NoSuchStartPosition) out of range, and
    // during a promotion wait. Raises PositionChanged only.
    bool NewGame960(int nNumber);
    // Whether the game is one of Chess960: begun by NewGame960, or by SetFen or LoadPgn from a
    // position whose castling rights need it (a king off the e file, a rook off the a and h
    // files), a Variant tag that names it, or SetFen's bChess960.
    bool Is960() const;
    // The number of the start position a Chess960 game began at (White to move, every castling
    // right, no move made before it), else -1; -1 for a standard game.
    int Chess960Number() const;
    // A FEN's position drawn as the board draws it, from White's side, nSide logical pixels
    // square, with the board's own pieces: for previews. A null pixmap for a FEN the rules
    // refuse.
    static QPixmap Picture(const QString &sFen, int nSide, qreal dDevicePixelRatio = 1);

    // --- Visual aids, each off unless the host asks for it -------------------------------------
    // The source and destination squares of the newest move.
    void SetShowLastMove(bool bShow);
    bool ShowLastMove() const;
    // The square of a king in check, while it is in check.
    void SetShowCheck(bool bShow);
    bool ShowCheck() const;
    // The legal destinations of a lifted or selected piece: a dot on an empty square, a ring on
    // a capture.
    void SetShowLegalMoves(bool bShow);
    bool ShowLegalMoves() const;
    // File letters in the bottom row's squares, rank digits in the left column's, as seen.
    void SetShowCoordinates(bool bShow);
    bool ShowCoordinates() const;

    // --- Questions a host asks to describe the game -----------------------------------------
    // Whether the king of the side to move is attacked.
    bool SideToMoveInCheck() const;
    // The class code of the piece on a square named like "e4", or -1 (empty, or no square).
    qint16 PieceAt(const QString &sSquare) const;

    // --- The game record and the end of the game ----------------------------------------
    // Refusals return false and change nothing; LastError() then says why. During a promotion
    // wait every call that changes the game is refused. Like NewGame, SetFen and LoadPgn raise
    // no move events, only PositionChanged, not even GameOver for a finished game they load.
    QString Fen() const; // the position as FEN, as recorded between moves; castling as X-FEN
    // A new game from that position; refuses bad FEN. The castling field may be X-FEN (KQkq)
    // or Shredder-FEN (HAha); the game is one of Chess960 with bChess960 or when the rights
    // need it.
    bool SetFen(const QString &sFen, bool bChess960 = false);
    bool LoadPgn(const QString &sPgn); // replays the first game's main line, tags and result
    QString Pgn() const;               // the game so far, export format
    // A host's clock times kept with the moves (the board keeps no clock): the time left on the
    // mover's clock after ply nPly (1 = the first move), written by Pgn() as {[%clk h:mm:ss]}
    // and read back by LoadPgn; -1 for none. False for a ply out of range.
    bool SetMoveClock(int nPly, qint64 nMs);
    qint64 MoveClock(int nPly) const;
    QStringList SanMoves() const;           // every move of the game in SAN, oldest first
    QStringList CoordinateMoves() const;    // the same moves as e2e4, e7e8q
    bool MovePieceSan(const QString &sSan); // SAN or e2e4; MovePiece's events; refused once over
    QString Result() const;                 // "1-0", "0-1", "1/2-1/2" or "*"
    bool CanClaimDraw() const;              // threefold repetition or fifty moves; false once over
    bool ClaimDraw();                       // ends the game with GameOver, if a draw can be claimed
    bool Resign();                          // the side to move resigns; GameOver follows
    bool Resign(bool bIsWhite);             // that side resigns, whoever is to move
    bool AgreeDraw();                       // both players agree a draw; GameOver follows
    // The side to move has run out of time on the host's clock (the board keeps none): it loses,
    // or draws when its opponent could never checkmate (FIDE 6.9); GameOver follows.
    bool FlagFall();
    QString LastError() const;        // empty after a call that succeeded
    Refusal LastRefusal() const;      // LastError() as a value; None when it is empty
    EndReason GameOverReason() const; // None while the game goes on
    // The game's PGN tags ("White", "Event", ...): empty when it has none of that name. SetTag
    // refuses (BadTag) a name that is no PGN tag name and the tags the game itself owns (Result,
    // SetUp, FEN, and Variant where it says Chess960 or the game is one); an empty value removes
    // the tag.
    QString Tag(const QString &sName) const;
    bool SetTag(const QString &sName, const QString &sValue);

    // --- The promotion wait, for a host that offers a way out of it -------------------------
    // Takes the waiting promotion back: the pawn returns, nothing is recorded, the same side is
    // to move, and the move's call returns false. False when no promotion waits.
    bool CancelPromotion();
    // While a promotion waits, the pawn's square in the control's coordinates; else empty.
    QRect PromotionSquareRect() const;

    // --- Reviewing: showing an earlier position of the game ----------------------------------
    // While an earlier position is shown the board draws it with its own last-move and check
    // marks and refuses every move (LastError says why); the questions above still describe the
    // live game. UndoLastMove, NewGame, SetFen and LoadPgn show the live position again.
    int PlyCount() const;   // moves played in this game (a loaded game counts its own)
    int ViewedPly() const;  // the ply shown; PlyCount() when live; off the main line, NodePly
    bool ViewPly(int nPly); // 0 = the start; false, changing nothing, out of range or in a move
    QString FenAt(int nPly) const; // the FEN after that ply (0 = the start); empty out of range

    // --- The game tree: every line of the game and what is written about it -------------------
    // A game keeps its variations, comments, NAGs (numeric annotation glyphs, 0-255) and shapes
    // as read from PGN, and Pgn() writes them all; a host that asks for nothing sees only the
    // main line, which is the game. Nodes are named by ids kept while the game is loaded
    // (NewGame, SetFen and LoadPgn start another game); -1 names none. The root stands for the
    // start position; a node's first child continues its line, the others are variations,
    // alternatives to it. The main line's last node is the live game; it may still have
    // children, the variations kept when the move after it was taken back. A variation whose
    // moves cannot be played is kept as its text (NodeText) and written back as it was.
    int RootNode() const;
    int LiveNode() const;            // the main line's last node
    int ShownNode() const;           // the node whose position is shown
    int ParentNode(int nNode) const; // -1 for the root
    QList<int> ChildNodes(int nNode) const;
    int MainChildNode(int nNode) const; // the first child, -1 for none
    int MainLineNode(int nPly) const;   // after ply nPly of the main line (0: the root)
    bool IsMainLineNode(int nNode) const;
    int NodePly(int nNode) const;      // plies from the start (the root 0)
    QString NodeSan(int nNode) const;  // empty for the root and a node kept as text
    QString NodeFen(int nNode) const;  // the position after the node's move
    QString NodeText(int nNode) const; // a variation kept as text, as written; else empty
    // The comment after the node's move (at the root, the game's comment before its first move)
    // or, with bBefore, before a variation's first move.
    QString NodeComment(int nNode, bool bBefore = false) const;
    QList<int> NodeNags(int nNode) const;
    // Arrows and circles on the node's position, as "Ge2e4" and "Ra1": a colour letter (G green,
    // R red, Y yellow, B blue) and one or two squares; kept as [%cal] and [%csl].
    QStringList NodeShapes(int nNode) const;
    // An evaluation kept as [%eval]: "0.17", "-1.50", "#-3"; empty for none.
    QString NodeEval(int nNode) const;
    // Shows the node's position with its own last move, check and shapes, as ViewPly shows a
    // ply; raises ViewChanged (with NodePly) and NodeShown. False, changing nothing, for no
    // node, a node kept as text, or during a move.
    bool ShowNode(int nNode);

    // --- Editing the tree: each raises TreeChanged once done ------------------------------
    // Refusals return false (or -1) and change nothing; LastRefusal() then says why. Edits that
    // change the main line change the live game: they also raise PositionChanged, as loading
    // a game does (no move events, no GameOver).
    // The move (SAN or coordinates) at that node: the child that already holds it, or a new
    // variation. Its id, or -1. The main line does not change.
    int AddMove(int nNode, const QString &sMove);
    // A comment cannot hold "}" (BraceInComment); only a variation's first move has a comment
    // before it (NoCommentBefore). An empty text clears the comment.
    bool SetNodeComment(int nNode, const QString &sText, bool bBefore = false);
    bool SetNodeNags(int nNode, const QList<int> &oNags);      // each 0..255, else BadNote
    bool SetNodeShapes(int nNode, const QStringList &oShapes); // as NodeShapes gives them
    // In pawns from White's side or as a mate ("0.17", "#-3"); empty clears it. BadNote else.
    bool SetNodeEval(int nNode, const QString &sEval);
    // Removes the variation the node belongs to, from where it branches off; refused on the main
    // line (MainLineIsNoVariation).
    bool DeleteVariation(int nNode);
    // Removes the node and every move after it; on the main line the game's moves from it on are
    // taken back, and the variations beside them stay.
    bool DeleteMovesFrom(int nNode);
    // Makes the node's line the main line; the game is played again along it and its end judged
    // anew (GameEndsFirst when it would end before the line does). ResultAfterPromotion tells a
    // host what the result would then be, so that it can ask before changing a finished game.
    bool PromoteVariation(int nNode);
    QString ResultAfterPromotion(int nNode) const;

    // --- Moves while an earlier position is shown (opt-in) --------------------------------------
    // The board keeps no clock: a host turns this on while no clock runs (an untimed game, or
    // one that is over). A move then played while a position other than the live one is shown,
    // by drag, click, keys, MovePiece or MovePieceSan, goes into the tree at the node shown
    // (AddMove) and that move's node is shown; the game itself does not change. Such a move
    // raises none of the game's move events, PositionChanged or GameOver: only TreeChanged
    // (when a node was made), ViewChanged and NodeShown. A pawn reaching the last rank asks with
    // VariationPromotion, answered like PawnPromotion; unanswered (no handler), it becomes a
    // queen. Off, such moves are refused (EarlierPositionShown).
    void SetVariationMovesAllowed(bool bAllowed);
    bool VariationMovesAllowed() const;

    // --- Arrows and circles (opt-in) -------------------------------------------------------------
    // A right-button drag from one square to another draws an arrow, a right click a circle, on
    // the node shown: green, red with Shift or Ctrl, blue with Alt, yellow with Shift and Alt.
    // The same shape again removes it; the same squares in another colour take that colour.
    // Shapes read from a file show with their node whether drawing is on or not.
    void SetDrawShapes(bool bDraw);
    bool DrawShapes() const;
    // Shapes a host lays over whatever position is shown without putting them into the game,
    // such as an engine's best move: drawn after the node's own, in the colours given, until set
    // again; never in Scene() or Pgn(). Shapes that name no square are left out.
    void SetOverlayShapes(const QList<BoardShape> &oShapes);
    QList<BoardShape> OverlayShapes() const;

    // --- Size and pieces ------------------------------------------------------------------
    // The board draws the largest board of whole-pixel squares that fits, centred, never smaller
    // than its size hint (332 pixels). Its size policy is fixed; a host that sets an expanding
    // one gets a board that grows.
    QSize sizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int nWidth) const override;
    // Draws the pieces from a folder of twelve SVG files named wK.svg ... bP.svg (colour w or b,
    // then K, Q, R, N, B or P). Refused, changing nothing, when a file is missing, is no regular
    // file, is over 1 MB or compressed, does not parse, or the set takes over 2 s to read and
    // draw; LastError() then names it (LastRefusal() BadPieceSet). An empty name returns to the
    // board's own pieces.
    bool SetPieceSet(const QString &sFolder);
    // The folder of the pieces drawn; empty for the board's own.
    QString PieceSetFolder() const;

    // --- Pictures of positions, drawn by a BoardRenderer (tavlon/BoardRenderer.h) -----------
    // The position after ply nPly (0 = the start; -1 = the one shown, on any line) as this board
    // draws it: its pieces, the view and the side to move; the last move, a check and the
    // coordinates, shown as this board's aids are set; its arrows and circles; the players' names
    // from the tags and the result at the end of a finished game, not shown unless the scene is
    // told to. No pieces out of range.
    BoardScene Scene(int nPly = -1) const;
    // The same for any node of the game tree; an empty scene for no node or one kept as text.
    BoardScene NodeScene(int nNode) const;

    // --- Setting up a position: the editing mode, off unless the host asks for it ----------
    // While editing, the board holds pieces placed by hand, not a game: no rule applies, it draws
    // exactly what is placed, with no move marks, and raises none of the game's events, only
    // PositionEdited after each change the player makes:
    //  - any piece dragged to any square replaces what stood there; dragged off the board it is
    //    removed; a right click removes the piece under it;
    //  - a click on a square, or Return on the keyboard's square, applies the edit tool;
    //  - on the keyboard's square a piece letter places that piece (KQRBNP for White, kqrbnp for
    //    Black; a host's translator may give other letters as the translation of "KQRBNP" in the
    //    context "Board", German KDTLSB), Delete, Backspace or Space empties it, and the board's
    //    accessible name says what changed;
    //  - a drag from the host carrying PieceMimeType, whose data is the piece's FEN letter ("Q",
    //    "n"), places that piece where it is dropped.
    // Moves, undo, reviewing and the ends of the game are refused while editing (Editing).
    // NewGame, SetFen and LoadPgn end the editing and start their game, with the rules again;
    // SetEditing(false) shows the game as it was.
    static constexpr const char *PieceMimeType = "application/x-tavlon-piece";
    // Starts editing from the position shown, or ends it. False, changing nothing, while a move
    // is being played.
    bool SetEditing(bool bOn);
    bool Editing() const;
    // The pieces shown, as a FEN's placement field ("rnbqkbnr/pppppppp/8/...").
    QString Placement() const;
    // While editing, puts exactly these pieces on the board (no PositionEdited: the host knows).
    // Refused, changing nothing, for text that is not eight ranks of eight squares (BadFen) or
    // when the board is not being edited (NotEditing).
    bool SetPlacement(const QString &sPlacement);
    // What a click puts on a square while editing: a piece class, NoPiece (-1) to empty it, or
    // NoTool, the default, for nothing (pieces are still dragged).
    static constexpr qint16 NoTool = -2;
    void SetEditTool(qint16 nClass);
    qint16 EditTool() const;

signals:
    // While editing: the player changed the pieces.
    void PositionEdited();
    // The move just played took the piece of that class from its destination square.
    void PieceCapture(qint16 Class);
    // The king of that side is in check after the move; IsMate when it is checkmate.
    void KingInCheck(bool IsWhite, bool IsMate);
    // A pawn of that side reached the last rank: answer with PromotionChoice. The board is
    // disabled until then, and the move waits.
    void PawnPromotion(bool IsWhite);
    // A move was played between these squares, as CoordinateMoves() names it: for castling,
    // the king's squares, or in a Chess960 game the king's and its rook's (e1h1).
    void PieceMovement(const QString &SrcNotation, const QString &DestNotation);
    // The side to move next has no legal move and is not in check.
    void Stalemate();
    // The position or the side to move has changed and settled: after a move has been played
    // and the turn has passed, after an undo, a new game, SetFen and LoadPgn.
    void PositionChanged();
    // Once per end of the game, after the events of the move that ended it, or on ClaimDraw,
    // Resign and AgreeDraw. Result as in Result(); Reason in English words, e.g. "checkmate"
    // (GameOverReason() gives it as a value).
    void GameOver(const QString &Result, const QString &Reason);
    // The ply shown has changed (ViewPly, or the live position shown again after a review).
    // For a node off the main line, its NodePly.
    void ViewChanged(int nPly);
    // The node shown has changed: after every ViewChanged.
    void NodeShown(int nNode);
    // The tree changed other than by the game's own moves: a move added off the main line, a
    // note, a variation deleted or promoted. Moves, undo and loading raise PositionChanged.
    void TreeChanged();
    // A pawn reached the last rank in a move off the main line: answer with PromotionChoice,
    // or CancelPromotion, as for PawnPromotion.
    void VariationPromotion(bool IsWhite);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend class BoardPrivate;
    // The renderedSquares property: squares drawn with a new content (piece or marks) since the
    // control was made. A square drawn again as it was, for an exposure, does not count.
    int RenderedSquares() const;

    std::unique_ptr<BoardPrivate> d;
};
