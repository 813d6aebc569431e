#include "BoardGeometry.h"
#include "BoardPrivate.h"
#include "Notation.h"
#include "Pgn.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <algorithm>
#include <bit>
#include <stdexcept>
#include <utility>

// The pictures are compiled into this static library; nothing in a host names them, so the
// constructor registers them. Q_INIT_RESOURCE must be used outside any namespace.
static void InitBoardAssets() {
    Q_INIT_RESOURCE(tavlon_board_assets);
}

using namespace BoardGeometry;

namespace {

QString SquareName(int nSquare) {
    return QString::fromStdString(clsRules::SquareToNotation(nSquare));
}

int SquareOf(const QString &sNotation) {
    return clsRules::NotationToSquare(sNotation.toStdString());
}

constexpr qint16 NeverDrawn = -2;
// The public header's "no piece" for PlayMove's promotion and PieceAt, without the core's header.
static_assert(modConsts::NoPiece == -1);

} // namespace

Board::Board(QWidget *parent) : QWidget(parent), d(std::make_unique<BoardPrivate>(this)) {
    static const bool bAssets = (InitBoardAssets(), true);
    Q_UNUSED(bAssets);
    d->m_nShown.fill(NeverDrawn);
    // Today's control for a host that asks for nothing; one that lets it grow gets larger squares.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMinimumSize(Side, Side);
    resize(Side, Side);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    d->m_oRules.SetDrawSquareHook([this](int nSquare) { SquareChanged(nSquare); });
    d->m_oRules.NewGame();
    UpdateMarks();
}

Board::~Board() {
    // A promotion wait still running further up the stack must end; it sees the board is gone.
    if (d->m_pPromotionLoop)
        d->m_pPromotionLoop->quit();
    d->m_oRules.SetDrawSquareHook(nullptr);
}

bool Board::Waiting() const {
    return d->m_bPromoting || d->m_pPromotionLoop != nullptr || d->m_oRules.AwaitingPromotion();
}

bool Board::Busy() const {
    return Waiting() || d->m_bReporting;
}

int Board::RenderedSquares() const {
    return d->m_nRenderedSquares;
}

QString Board::LastError() const {
    return d->m_sLastError;
}

QString Board::StandardLayout() {
    return QString::fromLatin1(modConsts::StandardLayout.data(),
                               static_cast<qsizetype>(modConsts::StandardLayout.size()));
}

QSize Board::sizeHint() const {
    return {Side, Side};
}

// --- Public operations --------------------------------------------------------------------

void Board::NewGame(bool bIsWhitesTurn, const QString &sLayout) {
    if (Waiting())
        return;
    try {
        d->m_oRules.NewGame(bIsWhitesTurn, sLayout.toStdString());
    } catch (const std::invalid_argument &) {
        return; // refused as the rules refuse it: nothing has changed
    }
    ++d->m_nGame;
    EndDrag();
    Select(0);
    UpdateMarks();
    emit PositionChanged();
}

void Board::BoardView(bool bIsWhitesView) {
    if (bIsWhitesView == d->m_bIsWhitesView)
        return;
    d->m_bIsWhitesView = bIsWhitesView;
    update(); // the square pictures stay as they are; only their cells move
    EndDrag();
    Select(0);
    UpdateMarks(); // the coordinates stay at the bottom and left
}

bool Board::UndoLastMove() {
    if (Busy())
        return false;
    EndDrag();
    Select(0);
    const bool bUndone = d->m_oRules.UndoLastMove();
    UpdateMarks();
    if (bUndone)
        emit PositionChanged();
    return bUndone;
}

bool Board::PromotionChoice(qint16 nClass) {
    if (!d->m_oRules.AwaitingPromotion() || !d->m_oRules.PromotionChoice(nClass))
        return false;
    if (d->m_pPromotionLoop)
        d->m_pPromotionLoop->quit();
    return true;
}

bool Board::MovePiece(const QString &sSrc, const QString &sDest) {
    if (Busy())
        return false;
    const int nSrc = SquareOf(sSrc);
    const int nDest = SquareOf(sDest);
    if (nSrc < 1 || nDest < 1)
        return false;
    EndDrag();
    Select(0);
    return PlayMove(nSrc, nDest) == PlayResult::Played;
}

bool Board::IsWhitesTurn() const {
    return d->m_oRules.IsWhitesTurn();
}

// --- Playing a move -----------------------------------------------------------------------

Board::PlayResult Board::PlayMove(int nSrc, int nDest, qint16 nPromotion) {
    if (Busy() || nSrc == nDest)
        return PlayResult::Refused;
    const clsRules::MoveStart oStart = d->m_oRules.BeginMove(nSrc, nDest);
    if (!oStart.bAccepted)
        return PlayResult::Refused;
    if (oStart.bPromotionPending && nPromotion != modConsts::NoPiece) {
        d->m_oRules.PromotionChoice(nPromotion);
    } else if (oStart.bPromotionPending) {
        bool bGone = false;
        const bool bChosen = AwaitPromotion(bGone);
        if (bGone)
            return PlayResult::Gone;
        if (!bChosen) {
            // Nobody can answer any more (the application is quitting): the move never happened.
            d->m_oRules.AbandonMove();
            return PlayResult::Refused;
        }
    }
    const clsRules::MoveVerdict oVerdict = d->m_oRules.JudgeMove();
    if (!oVerdict.bPlayed)
        return PlayResult::Refused;

    // Handlers run with the mover still to move, and may delete the board or start a new game.
    const QPointer<Board> oSelf(this);
    const unsigned nGame = d->m_nGame;
    const bool bOpponentIsWhite = !d->m_oRules.IsWhitesTurn();
    // A handler that starts a new game ends the old move's story: the rest is not told.
    const auto Going = [&] { return oSelf && nGame == d->m_nGame; };
    d->m_bReporting = true;
    emit PieceMovement(SquareName(nSrc), SquareName(nDest));
    if (Going() && oStart.bIsCapture)
        emit PieceCapture(oStart.nCapturedClass);
    if (Going() && oVerdict.bOpponentInCheck)
        emit KingInCheck(bOpponentIsWhite, oVerdict.bOpponentMated);
    else if (Going() && oVerdict.bOpponentStalemated)
        emit Stalemate();
    if (!oSelf)
        return PlayResult::Gone;
    d->m_bReporting = false;
    if (nGame != d->m_nGame)
        return PlayResult::Played;
    d->m_oRules.PassTurn(); // the game ends here, if this move ends it
    UpdateMarks();
    emit PositionChanged();
    if (!oSelf)
        return PlayResult::Gone;
    if (nGame == d->m_nGame)
        ReportGameOver();
    return oSelf ? PlayResult::Played : PlayResult::Gone;
}

bool Board::AwaitPromotion(bool &bGone) {
    const QPointer<Board> oSelf(this);
    // The whole wait, the handler included, belongs to the move: an answer given inside the
    // handler does not open the board to other calls before the move has been reported.
    d->m_bPromoting = true;
    emit PawnPromotion(d->m_oRules.PromotionIsWhite());
    if (!oSelf) {
        bGone = true;
        return false;
    }
    // Read after the handler, so a host that disabled the board there keeps it disabled.
    const bool bHostDisabled = testAttribute(Qt::WA_ForceDisabled);
    setEnabled(false);
    // The host may already have answered inside its handler; then there is nothing to wait for.
    if (d->m_oRules.AwaitingPromotion() && !QCoreApplication::closingDown()) {
        QEventLoop oLoop;
        connect(qApp, &QCoreApplication::aboutToQuit, &oLoop, &QEventLoop::quit);
        d->m_pPromotionLoop = &oLoop;
        oLoop.exec();
        if (!oSelf) {
            bGone = true;
            return false;
        }
        d->m_pPromotionLoop = nullptr;
    }
    d->m_bPromoting = false;
    if (!bHostDisabled)
        setEnabled(true);
    return !d->m_oRules.AwaitingPromotion();
}

// --- The game record and the end of the game ---------------------------------------------

namespace {

QStringList ToQt(const std::vector<std::string> &oList) {
    QStringList o;
    o.reserve(static_cast<qsizetype>(oList.size()));
    for (const std::string &s : oList)
        o.append(QString::fromStdString(s));
    return o;
}

} // namespace

void Board::Settled() {
    // A new position from outside a move: no drag, no selection, marks and hosts brought up to
    // date.
    EndDrag();
    Select(0);
    d->m_sLastError.clear();
    UpdateMarks();
    emit PositionChanged();
}

bool Board::Refuse(const QString &sWhy) {
    d->m_sLastError = sWhy;
    return false;
}

void Board::ReportGameOver() {
    if (d->m_oRules.IsGameOver())
        emit GameOver(QString::fromStdString(d->m_oRules.Result()),
                      QString::fromLatin1(clsRules::EndReasonText(d->m_oRules.EndReason())));
}

QString Board::Fen() const {
    if (!Busy())
        return QString::fromStdString(d->m_oRules.Fen());
    // The game as recorded: without a move waiting for its promotion piece, with the turn passed
    // after a move whose events are being raised.
    clsRules oSettled;
    ::Pgn::Replay(d->m_oRules, oSettled);
    return QString::fromStdString(oSettled.Fen());
}

bool Board::SetFen(const QString &sFen) {
    if (Waiting())
        return Refuse(tr("a promotion is waiting for its piece"));
    try {
        d->m_oRules.SetFen(sFen.toStdString());
    } catch (const std::invalid_argument &e) {
        return Refuse(QString::fromStdString(e.what()));
    }
    ++d->m_nGame;
    Settled();
    return true;
}

bool Board::LoadPgn(const QString &sPgn) {
    if (Waiting())
        return Refuse(tr("a promotion is waiting for its piece"));
    clsRules oRead;
    try {
        const QByteArray oText = sPgn.toUtf8();
        ::Pgn::Read(oRead,
                    std::string_view(oText.constData(), static_cast<std::size_t>(oText.size())));
    } catch (const std::invalid_argument &e) {
        return Refuse(QString::fromStdString(e.what()));
    }
    // The game read becomes the board's own, without a second replay; the whole picture is
    // brought up to date once.
    std::swap(d->m_oRules, oRead);
    oRead.SetDrawSquareHook(nullptr);
    d->m_oRules.SetDrawSquareHook([this](int nSquare) { SquareChanged(nSquare); });
    d->m_nDirty = ~std::uint64_t{0};
    update();
    ++d->m_nGame;
    Settled();
    return true;
}

QString Board::Pgn() const {
    return QString::fromStdString(::Pgn::Write(d->m_oRules));
}

QStringList Board::SanMoves() const {
    clsRules &oReplay = d->m_oSanReplay;
    std::vector<std::string> &oSans = d->m_oSans;
    const std::vector<Move> &oGame = d->m_oRules.History();
    if (oReplay.StartFen() != d->m_oRules.StartFen()) {
        oReplay.SetFen(d->m_oRules.StartFen());
        oSans.clear();
    }
    // Back to where the replay and the game part (undone or different moves), then forward.
    const auto nSame =
        static_cast<std::size_t>(std::mismatch(oReplay.History().begin(), oReplay.History().end(),
                                               oGame.begin(), oGame.end())
                                     .first -
                                 oReplay.History().begin());
    while (oSans.size() > nSame) {
        oReplay.UndoLastMove();
        oSans.pop_back();
    }
    for (std::size_t i = oSans.size(); i < oGame.size(); ++i)
        Notation::AppendSan(oReplay, oGame[i], oSans.emplace_back(), true);
    return ToQt(oSans);
}

QStringList Board::CoordinateMoves() const {
    return ToQt(Notation::CoordinateMoves(d->m_oRules));
}

bool Board::MovePieceSan(const QString &sSan) {
    if (Busy())
        return Refuse(tr("a move is still being played"));
    if (d->m_oRules.IsGameOver())
        return Refuse(tr("the game is over"));
    Move oMove;
    try {
        oMove = Notation::ParseSan(d->m_oRules, sSan.toStdString(), true);
    } catch (const std::invalid_argument &e) {
        // The notation reader's causes are a few fixed phrases; listed for the translators.
        [[maybe_unused]] static const char *const Causes[] = {
            QT_TR_NOOP("no move given"),
            QT_TR_NOOP("unreadable move"),
            QT_TR_NOOP("ambiguous move"),
            QT_TR_NOOP("no legal move matches"),
            QT_TR_NOOP("castling is not legal here"),
            QT_TR_NOOP("the promotion piece is missing"),
            QT_TR_NOOP("not a legal move")};
        return Refuse(tr(e.what()));
    }
    EndDrag();
    Select(0);
    d->m_sLastError.clear();
    switch (PlayMove(oMove.nSrc, oMove.nDest, oMove.nPromotion)) {
    case PlayResult::Played:
        return true;
    case PlayResult::Refused:
        return Refuse(tr("no piece was chosen for the promotion"));
    case PlayResult::Gone:
        break;
    }
    return false;
}

QString Board::Result() const {
    return QString::fromStdString(d->m_oRules.Result());
}

bool Board::CanClaimDraw() const {
    return !Busy() && d->m_oRules.CanClaimDraw();
}

bool BoardPrivate::EndGame(bool (clsRules::*pEnd)(), const char *sWhy) {
    if (q->Busy())
        return q->Refuse(Board::tr("a move is still being played"));
    if (m_oRules.IsGameOver())
        return q->Refuse(Board::tr("the game is over"));
    if (!(m_oRules.*pEnd)())
        return q->Refuse(Board::tr(sWhy));
    q->EndDrag();
    m_sLastError.clear();
    q->ReportGameOver();
    return true;
}

bool Board::ClaimDraw() {
    return d->EndGame(&clsRules::ClaimDraw, QT_TR_NOOP("no draw can be claimed"));
}

bool Board::Resign() {
    return d->EndGame(&clsRules::Resign, QT_TR_NOOP("resigning was refused"));
}

bool Board::AgreeDraw() {
    return d->EndGame(&clsRules::AgreeDraw, QT_TR_NOOP("a draw was refused"));
}

// --- Drawing ------------------------------------------------------------------------------

void Board::SquareChanged(int nSquare) {
    d->m_nTargetsOf = -1; // the position changed: the destinations must be judged again
    ScheduleMarks();
    MarkDirty(nSquare);
}

void Board::MarkDirty(int nSquare) {
    // Every changed square of a move comes here, and the marks add their own: a bit test first.
    const std::uint64_t nBit = std::uint64_t{1} << (nSquare - 1);
    if (d->m_nDirty & nBit)
        return;
    d->m_nDirty |= nBit;
    update(d->m_oGrid.CellRect(nSquare, d->m_bIsWhitesView));
}

void Board::RenderDirtySquares() {
    const qreal dRatio = devicePixelRatioF();
    if (dRatio != d->m_oRenderer.DevicePixelRatio() ||
        d->m_oGrid.nCell != d->m_oRenderer.CellSize()) {
        d->m_oRenderer.SetSize(d->m_oGrid.nCell, dRatio);
        d->m_nShown.fill(NeverDrawn);
        d->m_nDirty = ~std::uint64_t{0};
    }
    for (std::uint64_t n = d->m_nDirty; n != 0; n &= n - 1) {
        const int i = std::countr_zero(n);
        const clsSquare &o = d->m_oRules.Square(i + 1);
        // A lifted piece's square shows empty while the piece follows the pointer.
        const qint16 nClass =
            o.HasPiece && i + 1 != d->m_nLiftedSquare ? o.Piece->Class : modConsts::NoPiece;
        const auto k = static_cast<std::size_t>(i);
        if (nClass == d->m_nShown[k] && d->m_oMarks[k] == d->m_oShownMarks[k])
            continue;
        d->m_oRenderer.Render(d->m_oSquarePictures[k], o.IsDark, nClass, i + 1, d->m_oMarks[k]);
        d->m_nShown[k] = nClass;
        d->m_oShownMarks[k] = d->m_oMarks[k];
        ++d->m_nRenderedSquares;
    }
    d->m_nDirty = 0;
}

void Board::paintEvent(QPaintEvent *event) {
    RenderDirtySquares();
    QPainter p(this);
    const QRect oArea = event->rect();
    const QRect oGrid = d->m_oGrid.Board();
    if (!oGrid.contains(oArea)) {
        for (const QRect &r : QRegion(oArea) - QRegion(oGrid))
            p.fillRect(r, palette().window());
    }
    for (int n = 1; n <= 64; ++n) {
        const QRect r = d->m_oGrid.CellRect(n, d->m_bIsWhitesView);
        if (!r.intersects(oArea))
            continue;
        p.drawPixmap(r.topLeft(), d->m_oSquarePictures[static_cast<std::size_t>(n - 1)]);
    }
    if (d->m_nLiftedSquare != 0) {
        const qreal dHalf = d->m_oRenderer.PieceSize() / 2;
        p.drawPixmap(QPointF(d->m_oPointer) - QPointF(dHalf, dHalf),
                     d->m_oRenderer.DragPicture(d->m_nLiftedClass));
    }
}

// --- Dragging -----------------------------------------------------------------------------

QRect Board::DragRect() const {
    const int nHalf = static_cast<int>(d->m_oRenderer.PieceSize() / 2) + 1;
    return {d->m_oPointer - QPoint(nHalf, nHalf), QSize(2 * nHalf, 2 * nHalf)};
}

void Board::EndDrag() {
    if (d->m_nLiftedSquare == 0)
        return;
    MarkDirty(d->m_nLiftedSquare);
    update(DragRect());
    d->m_nLiftedSquare = 0;
    setMouseTracking(false);
    UpdateMarks();
}

void Board::mousePressEvent(QMouseEvent *event) {
    // A release we never saw (the grab was lost) must not leave a piece in the air.
    EndDrag();
    d->m_nPressed = 0;
    d->m_bFocusShown = false; // the focus square is for keyboard players; a mouse hides it
    if (event->button() != Qt::LeftButton) {
        Select(0);
        UpdateMarks();
        return;
    }
    if (Busy())
        return;
    const QPoint oPos = event->position().toPoint();
    const int n = d->m_oGrid.SquareAt(oPos, d->m_bIsWhitesView);
    d->m_nPressed = n;
    if (n == 0)
        return;
    const clsSquare &o = d->m_oRules.Square(n);
    if (!o.HasPiece || o.Piece->IsWhite != d->m_oRules.IsWhitesTurn())
        return;
    d->m_nLiftedSquare = n;
    d->m_nLiftedClass = o.Piece->Class;
    d->m_oRules.SetDragSquare(n);
    d->m_oPointer = oPos;
    // Tracking lets a move without the button held end a drag whose release went elsewhere.
    setMouseTracking(true);
    MarkDirty(n);
    update(DragRect());
    UpdateMarks();
}

void Board::mouseMoveEvent(QMouseEvent *event) {
    if (d->m_nLiftedSquare == 0)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        EndDrag();
        return;
    }
    update(DragRect());
    d->m_oPointer = event->position().toPoint();
    update(DragRect());
}

void Board::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int nAt = d->m_oGrid.SquareAt(event->position().toPoint(), d->m_bIsWhitesView);
    const int nPressed = std::exchange(d->m_nPressed, 0);
    const int nSrc = d->m_nLiftedSquare;
    EndDrag(); // the piece shows again unless the move below carries it away
    if (nAt != 0 && nAt == nPressed) {
        d->m_nFocus = nAt; // the keyboard carries on from the square last clicked
        ClickSquare(nAt);
    } else if (nSrc != 0 && nAt != 0) {
        Select(0);
        UpdateMarks();
        PlayMove(nSrc, nAt); // may delete the control: nothing may follow
    }
}

void Board::changeEvent(QEvent *event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        EndDrag();
        d->m_nPressed = 0;
    }
    QWidget::changeEvent(event);
}

void Board::hideEvent(QHideEvent *event) {
    EndDrag();
    QWidget::hideEvent(event);
}

// --- Questions about the game -------------------------------------------------------------

bool Board::SideToMoveInCheck() const {
    const bool bWhite = d->m_oRules.IsWhitesTurn();
    const int nKing = bWhite ? d->m_oRules.WhiteKingSquare() : d->m_oRules.BlackKingSquare();
    return clsRules::IsSquare(nKing) && d->m_oRules.IsSquareAttacked(bWhite, nKing);
}

qint16 Board::PieceAt(const QString &sSquare) const {
    const int n = SquareOf(sSquare);
    if (!clsRules::IsSquare(n) || !d->m_oRules.Square(n).HasPiece)
        return modConsts::NoPiece;
    return d->m_oRules.Square(n).Piece->Class;
}

// --- Visual aids --------------------------------------------------------------------------

bool Board::ShowLastMove() const {
    return d->m_bShowLastMove;
}

void Board::SetShowLastMove(bool bShow) {
    d->m_bShowLastMove = bShow;
    UpdateMarks();
}

bool Board::ShowCheck() const {
    return d->m_bShowCheck;
}

void Board::SetShowCheck(bool bShow) {
    d->m_bShowCheck = bShow;
    UpdateMarks();
}

bool Board::ShowLegalMoves() const {
    return d->m_bShowLegalMoves;
}

void Board::SetShowLegalMoves(bool bShow) {
    d->m_bShowLegalMoves = bShow;
    UpdateMarks();
}

bool Board::ShowCoordinates() const {
    return d->m_bShowCoordinates;
}

void Board::SetShowCoordinates(bool bShow) {
    d->m_bShowCoordinates = bShow;
    UpdateMarks();
}

std::uint64_t Board::LegalTargets(int nSrc) {
    // The rules' own list, so the marks agree with what a drop or a click will accept. Kept
    // until the position or the piece changes.
    if (nSrc == d->m_nTargetsOf)
        return d->m_nTargets;
    MoveList oMoves;
    d->m_oRules.LegalMoves(oMoves);
    std::uint64_t nTargets = 0;
    for (const Move &o : oMoves) {
        if (o.nSrc == nSrc)
            nTargets |= std::uint64_t{1} << (o.nDest - 1);
    }
    d->m_nTargetsOf = nSrc;
    d->m_nTargets = nTargets;
    return nTargets;
}

SquareRenderer::Marks BoardPrivate::MarksOf(int nSquare) const {
    using R = SquareRenderer;
    R::Marks n = 0;
    const std::uint64_t nBit = std::uint64_t{1} << (nSquare - 1);
    if (m_bShowLegalMoves && (m_nSelected != 0 || m_nLiftedSquare != 0) && (m_nTargets & nBit))
        n |= R::Target;
    if (nSquare == m_nSelected)
        n |= R::Selected;
    if (m_bShowCoordinates) {
        const QPoint c = CellOf(nSquare, m_bIsWhitesView);
        if (c.y() == 7)
            n |= R::FileLabel;
        if (c.x() == 0)
            n |= R::RankLabel;
    }
    if (nSquare == m_nFocus && m_bFocusShown && q->hasFocus())
        n |= R::Focus;
    return n;
}

void Board::UpdateMarks() {
    d->m_bMarksScheduled = false;
    if (d->m_nSelected != 0) {
        // The rules may have moved the piece away behind the control's back.
        const clsSquare &o = d->m_oRules.Square(d->m_nSelected);
        if (!o.HasPiece || o.Piece->IsWhite != d->m_oRules.IsWhitesTurn())
            d->m_nSelected = 0;
    }
    const int nSource = d->m_nLiftedSquare != 0 ? d->m_nLiftedSquare : d->m_nSelected;
    if (!d->m_bShowLegalMoves || nSource == 0) {
        d->m_nTargetsOf = 0;
        d->m_nTargets = 0;
    } else {
        LegalTargets(nSource);
    }
    int nLastSrc = 0, nLastDest = 0, nCheck = 0;
    if (d->m_bShowLastMove && d->m_oRules.UndoCount() > 0) {
        const clsUndoInfo &o = d->m_oRules.UndoInfo(d->m_oRules.UndoCount());
        nLastSrc = o.SrcSquare();
        nLastDest = o.DestSquare();
    }
    if (d->m_bShowCheck && !d->m_oRules.MoveInProgress() && SideToMoveInCheck())
        nCheck = d->m_oRules.IsWhitesTurn() ? d->m_oRules.WhiteKingSquare()
                                            : d->m_oRules.BlackKingSquare();
    for (int n = 1; n <= 64; ++n) {
        SquareRenderer::Marks nMarks = d->MarksOf(n);
        if (n == nLastSrc || n == nLastDest)
            nMarks |= SquareRenderer::LastMove;
        if (n == nCheck)
            nMarks |= SquareRenderer::Check;
        auto &nOld = d->m_oMarks[static_cast<std::size_t>(n - 1)];
        if (nOld != nMarks) {
            nOld = nMarks;
            MarkDirty(n);
        }
    }
    const QString sName = SquareDescription(d->m_nFocus);
    if (sName != accessibleName())
        setAccessibleName(sName);
}

void Board::ScheduleMarks() {
    // Positions changed by the rules alone (a host's trial moves, the move being judged) get
    // their marks once control is back in the event loop.
    if (d->m_bMarksScheduled)
        return;
    d->m_bMarksScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (d->m_bMarksScheduled)
                UpdateMarks();
        },
        Qt::QueuedConnection);
}

// --- Selection and keyboard ---------------------------------------------------------------

void Board::Select(int nSquare) {
    d->m_nSelected = nSquare;
}

void Board::ClickSquare(int nSquare) {
    if (Busy())
        return;
    const int nSelected = d->m_nSelected;
    if (nSelected != 0 && nSquare != nSelected &&
        (LegalTargets(nSelected) & (std::uint64_t{1} << (nSquare - 1)))) {
        Select(0);
        UpdateMarks();
        PlayMove(nSelected, nSquare);
        return;
    }
    const clsSquare &o = d->m_oRules.Square(nSquare);
    const bool bOwn = o.HasPiece && o.Piece->IsWhite == d->m_oRules.IsWhitesTurn();
    Select(bOwn && nSquare != nSelected ? nSquare : 0);
    UpdateMarks();
}

QString Board::SquareDescription(int nSquare) const {
    // Whole phrases, indexed [white][kind], as other languages inflect the colour by the piece.
    static const char *const Pieces[2][6] = {
        {QT_TR_NOOP("black king"), QT_TR_NOOP("black queen"), QT_TR_NOOP("black rook"),
         QT_TR_NOOP("black knight"), QT_TR_NOOP("black bishop"), QT_TR_NOOP("black pawn")},
        {QT_TR_NOOP("white king"), QT_TR_NOOP("white queen"), QT_TR_NOOP("white rook"),
         QT_TR_NOOP("white knight"), QT_TR_NOOP("white bishop"), QT_TR_NOOP("white pawn")}};
    const clsSquare &o = d->m_oRules.Square(nSquare);
    const QString sState = o.HasPiece ? tr(Pieces[modConsts::IsWhiteClass(o.Piece->Class) ? 1 : 0]
                                                 [modConsts::KindOf(o.Piece->Class)])
                                      : tr("empty");
    return nSquare == d->m_nSelected ? tr("%1, %2, selected").arg(SquareName(nSquare), sState)
                                     : tr("%1, %2").arg(SquareName(nSquare), sState);
}

void Board::keyPressEvent(QKeyEvent *event) {
    d->m_bFocusShown = true;
    // Arrows move as seen: in Black's view the board is turned, so up is towards rank 1.
    const int nSign = d->m_bIsWhitesView ? 1 : -1;
    const QPoint c = CellOf(d->m_nFocus, true);
    int x = c.x(), y = c.y();
    switch (event->key()) {
    case Qt::Key_Up:
        y -= nSign;
        break;
    case Qt::Key_Down:
        y += nSign;
        break;
    case Qt::Key_Left:
        x -= nSign;
        break;
    case Qt::Key_Right:
        x += nSign;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ClickSquare(d->m_nFocus);
        return;
    case Qt::Key_Escape:
        if (d->m_nSelected == 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        Select(0);
        UpdateMarks();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    d->m_nFocus = clsRules::SquareIndex(std::clamp(x, 0, 7) + 1, std::clamp(y, 0, 7) + 1);
    UpdateMarks();
    // Assistive technology reads the focused square again, under its new name.
    QAccessibleEvent oFocus(this, QAccessible::Focus);
    QAccessible::updateAccessibility(&oFocus);
}

void Board::focusInEvent(QFocusEvent *event) {
    const Qt::FocusReason nReason = event->reason();
    if (nReason == Qt::TabFocusReason || nReason == Qt::BacktabFocusReason ||
        nReason == Qt::ShortcutFocusReason)
        d->m_bFocusShown = true;
    else if (nReason == Qt::MouseFocusReason)
        d->m_bFocusShown = false;
    UpdateMarks();
    QWidget::focusInEvent(event);
}

void Board::focusOutEvent(QFocusEvent *event) {
    UpdateMarks();
    QWidget::focusOutEvent(event);
}
