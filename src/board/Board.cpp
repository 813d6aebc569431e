#include "Board.h"

#include "BoardGeometry.h"
#include "Notation.h"
#include "Pgn.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
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

} // namespace

Board::Board(QWidget *parent) : QWidget(parent) {
    static const bool bAssets = (InitBoardAssets(), true);
    Q_UNUSED(bAssets);
    m_nShown.fill(NeverDrawn);
    setFixedSize(Side, Side);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_oRules.SetDrawSquareHook([this](int nSquare) { SquareChanged(nSquare); });
    m_oRules.NewGame();
}

Board::~Board() {
    // A promotion wait still running further up the stack must end; it sees the board is gone.
    if (m_pPromotionLoop)
        m_pPromotionLoop->quit();
    m_oRules.SetDrawSquareHook(nullptr);
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
        m_oRules.NewGame(bIsWhitesTurn, sLayout.toStdString());
    } catch (const std::invalid_argument &) {
        return; // refused as the rules refuse it: nothing has changed
    }
    ++m_nGame;
    EndDrag();
}

void Board::BoardView(bool bIsWhitesView) {
    if (bIsWhitesView == m_bIsWhitesView)
        return;
    m_bIsWhitesView = bIsWhitesView;
    update(); // the square pictures stay as they are; only their cells move
}

bool Board::UndoLastMove() {
    if (Busy())
        return false;
    EndDrag();
    return m_oRules.UndoLastMove();
}

bool Board::PromotionChoice(qint16 nClass) {
    if (!m_oRules.AwaitingPromotion() || !m_oRules.PromotionChoice(nClass))
        return false;
    if (m_pPromotionLoop)
        m_pPromotionLoop->quit();
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
    return PlayMove(nSrc, nDest) == PlayResult::Played;
}

bool Board::IsWhitesTurn() const {
    return m_oRules.IsWhitesTurn();
}

// --- Playing a move -----------------------------------------------------------------------

Board::PlayResult Board::PlayMove(int nSrc, int nDest, qint16 nPromotion) {
    if (Busy() || nSrc == nDest)
        return PlayResult::Refused;
    const clsRules::MoveStart oStart = m_oRules.BeginMove(nSrc, nDest);
    if (!oStart.bAccepted)
        return PlayResult::Refused;
    if (oStart.bPromotionPending && nPromotion != modConsts::NoPiece) {
        m_oRules.PromotionChoice(nPromotion);
    } else if (oStart.bPromotionPending) {
        bool bGone = false;
        const bool bChosen = AwaitPromotion(bGone);
        if (bGone)
            return PlayResult::Gone;
        if (!bChosen) {
            // Nobody can answer any more (the application is quitting): the move never happened.
            m_oRules.AbandonMove();
            return PlayResult::Refused;
        }
    }
    const clsRules::MoveVerdict oVerdict = m_oRules.JudgeMove();
    if (!oVerdict.bPlayed)
        return PlayResult::Refused;

    // Handlers run with the mover still to move, and may delete the board or start a new game.
    const QPointer<Board> oSelf(this);
    const unsigned nGame = m_nGame;
    const bool bOpponentIsWhite = !m_oRules.IsWhitesTurn();
    // A handler that starts a new game ends the old move's story: the rest is not told.
    const auto Going = [&] { return oSelf && nGame == m_nGame; };
    m_bReporting = true;
    emit PieceMovement(SquareName(nSrc), SquareName(nDest));
    if (Going() && oStart.bIsCapture)
        emit PieceCapture(oStart.nCapturedClass);
    if (Going() && oVerdict.bOpponentInCheck)
        emit KingInCheck(bOpponentIsWhite, oVerdict.bOpponentMated);
    else if (Going() && oVerdict.bOpponentStalemated)
        emit Stalemate();
    if (!oSelf)
        return PlayResult::Gone;
    m_bReporting = false;
    if (nGame == m_nGame) {
        m_oRules.PassTurn(); // the game ends here, if this move ends it
        ReportGameOver();
    }
    return PlayResult::Played;
}

bool Board::AwaitPromotion(bool &bGone) {
    const QPointer<Board> oSelf(this);
    // The whole wait, the handler included, belongs to the move: an answer given inside the
    // handler does not open the board to other calls before the move has been reported.
    m_bPromoting = true;
    emit PawnPromotion(m_oRules.PromotionIsWhite());
    if (!oSelf) {
        bGone = true;
        return false;
    }
    // Read after the handler, so a host that disabled the board there keeps it disabled.
    const bool bHostDisabled = testAttribute(Qt::WA_ForceDisabled);
    setEnabled(false);
    // The host may already have answered inside its handler; then there is nothing to wait for.
    if (m_oRules.AwaitingPromotion() && !QCoreApplication::closingDown()) {
        QEventLoop oLoop;
        connect(qApp, &QCoreApplication::aboutToQuit, &oLoop, &QEventLoop::quit);
        m_pPromotionLoop = &oLoop;
        oLoop.exec();
        if (!oSelf) {
            bGone = true;
            return false;
        }
        m_pPromotionLoop = nullptr;
    }
    m_bPromoting = false;
    if (!bHostDisabled)
        setEnabled(true);
    return !m_oRules.AwaitingPromotion();
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

bool Board::Refuse(const QString &sWhy) {
    m_sLastError = sWhy;
    return false;
}

void Board::ReportGameOver() {
    if (m_oRules.IsGameOver())
        emit GameOver(QString::fromStdString(m_oRules.Result()),
                      QString::fromLatin1(clsRules::EndReasonText(m_oRules.EndReason())));
}

QString Board::Fen() const {
    if (!Busy())
        return QString::fromStdString(m_oRules.Fen());
    // The game as recorded: without a move waiting for its promotion piece, with the turn passed
    // after a move whose events are being raised.
    clsRules oSettled;
    ::Pgn::Replay(m_oRules, oSettled);
    return QString::fromStdString(oSettled.Fen());
}

bool Board::SetFen(const QString &sFen) {
    if (Waiting())
        return Refuse(tr("a promotion is waiting for its piece"));
    try {
        m_oRules.SetFen(sFen.toStdString());
    } catch (const std::invalid_argument &e) {
        return Refuse(QString::fromStdString(e.what()));
    }
    ++m_nGame;
    EndDrag();
    m_sLastError.clear();
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
    std::swap(m_oRules, oRead);
    oRead.SetDrawSquareHook(nullptr);
    m_oRules.SetDrawSquareHook([this](int nSquare) { SquareChanged(nSquare); });
    m_nDirty = ~std::uint64_t{0};
    update();
    ++m_nGame;
    EndDrag();
    m_sLastError.clear();
    return true;
}

QString Board::Pgn() const {
    return QString::fromStdString(::Pgn::Write(m_oRules));
}

QStringList Board::SanMoves() const {
    return ToQt(Notation::SanMoves(m_oRules));
}

QStringList Board::CoordinateMoves() const {
    return ToQt(Notation::CoordinateMoves(m_oRules));
}

bool Board::MovePieceSan(const QString &sSan) {
    if (Busy())
        return Refuse(tr("a move is still being played"));
    if (m_oRules.IsGameOver())
        return Refuse(tr("the game is over"));
    Move oMove;
    try {
        oMove = Notation::ParseSan(m_oRules, sSan.toStdString(), true);
    } catch (const std::invalid_argument &e) {
        return Refuse(QString::fromStdString(e.what()));
    }
    EndDrag();
    m_sLastError.clear();
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
    return QString::fromStdString(m_oRules.Result());
}

bool Board::CanClaimDraw() const {
    return !Busy() && m_oRules.CanClaimDraw();
}

bool Board::EndGame(bool (clsRules::*pEnd)(), const char *sWhy) {
    if (Busy())
        return Refuse(tr("a move is still being played"));
    if (m_oRules.IsGameOver())
        return Refuse(tr("the game is over"));
    if (!(m_oRules.*pEnd)())
        return Refuse(tr(sWhy));
    EndDrag();
    m_sLastError.clear();
    ReportGameOver();
    return true;
}

bool Board::ClaimDraw() {
    return EndGame(&clsRules::ClaimDraw, QT_TR_NOOP("no draw can be claimed"));
}

bool Board::Resign() {
    return EndGame(&clsRules::Resign, QT_TR_NOOP("resigning was refused"));
}

bool Board::AgreeDraw() {
    return EndGame(&clsRules::AgreeDraw, QT_TR_NOOP("a draw was refused"));
}

// --- Drawing ------------------------------------------------------------------------------

void Board::SquareChanged(int nSquare) {
    // The exact searches call this for every trial move they take back: keep it to a bit test.
    const std::uint64_t nBit = std::uint64_t{1} << (nSquare - 1);
    if (m_nDirty & nBit)
        return;
    m_nDirty |= nBit;
    update(CellRect(nSquare, m_bIsWhitesView));
}

void Board::RenderDirtySquares() {
    const qreal dRatio = devicePixelRatioF();
    if (dRatio != m_oRenderer.DevicePixelRatio()) {
        m_oRenderer.SetDevicePixelRatio(dRatio);
        m_oRenderer.Render(m_oEmptyPictures[0], false, modConsts::NoPiece);
        m_oRenderer.Render(m_oEmptyPictures[1], true, modConsts::NoPiece);
        m_nShown.fill(NeverDrawn);
        m_nDirty = ~std::uint64_t{0};
    }
    for (std::uint64_t n = m_nDirty; n != 0; n &= n - 1) {
        const int i = std::countr_zero(n);
        const clsSquare &o = m_oRules.Square(i + 1);
        const qint16 nClass = o.HasPiece ? o.Piece->Class : modConsts::NoPiece;
        auto &nShown = m_nShown[static_cast<std::size_t>(i)];
        if (nClass == nShown)
            continue;
        m_oRenderer.Render(m_oSquarePictures[static_cast<std::size_t>(i)], o.IsDark, nClass);
        nShown = nClass;
        ++m_nRenderedSquares;
    }
    m_nDirty = 0;
}

void Board::paintEvent(QPaintEvent *event) {
    RenderDirtySquares();
    QPainter p(this);
    const QRect oArea = event->rect();
    const QRect oGrid(Margin, Margin, 8 * Cell, 8 * Cell);
    if (!oGrid.contains(oArea)) {
        for (const QRect &r : QRegion(oArea) - QRegion(oGrid))
            p.fillRect(r, palette().window());
    }
    for (int n = 1; n <= 64; ++n) {
        const QRect r = CellRect(n, m_bIsWhitesView);
        if (!r.intersects(oArea))
            continue;
        const bool bLifted = n == m_nLiftedSquare;
        const QPixmap &o = bLifted ? m_oEmptyPictures[m_oRules.Square(n).IsDark ? 1 : 0]
                                   : m_oSquarePictures[static_cast<std::size_t>(n - 1)];
        p.drawPixmap(r.topLeft(), o);
    }
    if (m_nLiftedSquare != 0)
        p.drawPixmap(DragRect(), m_oRenderer.DragPicture(m_nLiftedClass));
}

// --- Dragging -----------------------------------------------------------------------------

QRect Board::DragRect() const {
    return {m_oPointer.x() - PieceSize / 2, m_oPointer.y() - PieceSize / 2, PieceSize, PieceSize};
}

void Board::EndDrag() {
    if (m_nLiftedSquare == 0)
        return;
    update(CellRect(m_nLiftedSquare, m_bIsWhitesView));
    update(DragRect());
    m_nLiftedSquare = 0;
    setMouseTracking(false);
}

void Board::mousePressEvent(QMouseEvent *event) {
    // A release we never saw (the grab was lost) must not leave a piece in the air.
    EndDrag();
    if (event->button() != Qt::LeftButton || Busy())
        return;
    const QPoint oPos = event->position().toPoint();
    const int n = SquareAt(oPos, m_bIsWhitesView);
    if (n == 0)
        return;
    const clsSquare &o = m_oRules.Square(n);
    if (!o.HasPiece || o.Piece->IsWhite != m_oRules.IsWhitesTurn())
        return;
    m_nLiftedSquare = n;
    m_nLiftedClass = o.Piece->Class;
    m_oRules.SetDragSquare(n);
    m_oPointer = oPos;
    // Tracking lets a move without the button held end a drag whose release went elsewhere.
    setMouseTracking(true);
    update(CellRect(n, m_bIsWhitesView));
    update(DragRect());
}

void Board::mouseMoveEvent(QMouseEvent *event) {
    if (m_nLiftedSquare == 0)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        EndDrag();
        return;
    }
    update(DragRect());
    m_oPointer = event->position().toPoint();
    update(DragRect());
}

void Board::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_nLiftedSquare == 0)
        return;
    const int nSrc = m_nLiftedSquare;
    const int nDest = SquareAt(event->position().toPoint(), m_bIsWhitesView);
    EndDrag(); // the piece shows again unless the move below carries it away
    if (nDest != 0 && nDest != nSrc)
        PlayMove(nSrc, nDest);
}

void Board::changeEvent(QEvent *event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        EndDrag();
    QWidget::changeEvent(event);
}

void Board::hideEvent(QHideEvent *event) {
    EndDrag();
    QWidget::hideEvent(event);
}
