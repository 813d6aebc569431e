// The public face of the board and a move's events.
#include "BoardGeometry.h"
#include "BoardPrivate.h"
#include "Notation.h"
#include "Pgn.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QRegularExpression>
#include <algorithm>
#include <stdexcept>
#include <utility>

// The pictures are compiled into this static library; nothing in a host names them, so the
// constructor registers them. Q_INIT_RESOURCE must be used outside any namespace.
static void InitBoardAssets() {
    Q_INIT_RESOURCE(tavlon_board_assets);
}

// The public header's "no piece" for PlayMove's promotion and PieceAt, without the core's header.
static_assert(modConsts::NoPiece == -1);

Board::Board(QWidget *parent) : QWidget(parent), d(std::make_unique<BoardPrivate>(this)) {
    static const bool bAssets = (InitBoardAssets(), true);
    Q_UNUSED(bAssets);
    d->m_nShown.fill(BoardPrivate::NeverDrawn);
    setFixedSize(BoardGeometry::Side, BoardGeometry::Side);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    d->m_oRules.SetDrawSquareHook([this](int nSquare) { d->SquareChanged(nSquare); });
    d->m_oRules.NewGame();
    ::Pgn::SetStartTags(d->m_oRules);
    d->UpdateMarks();
}

Board::~Board() {
    // A promotion wait still running further up the stack must end; it sees the board is gone.
    if (d->m_pPromotionLoop)
        d->m_pPromotionLoop->quit();
    d->m_oRules.SetDrawSquareHook(nullptr);
}

bool BoardPrivate::Waiting() const {
    return m_bPromoting || m_pPromotionLoop != nullptr || m_oRules.AwaitingPromotion();
}

bool BoardPrivate::Busy() const {
    return Waiting() || m_bReporting;
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
    return {BoardGeometry::Side, BoardGeometry::Side};
}

// --- Public operations --------------------------------------------------------------------

void Board::NewGame(bool bIsWhitesTurn, const QString &sLayout) {
    if (d->Waiting())
        return;
    try {
        d->m_oRules.NewGame(bIsWhitesTurn, sLayout.toStdString());
        ::Pgn::SetStartTags(d->m_oRules);
    } catch (const std::invalid_argument &) {
        return; // refused as the rules refuse it: nothing has changed
    }
    ++d->m_nGame;
    d->EndDrag();
    d->Select(0);
    d->UpdateMarks();
    emit PositionChanged();
}

void Board::BoardView(bool bIsWhitesView) {
    if (bIsWhitesView == d->m_bIsWhitesView)
        return;
    d->m_bIsWhitesView = bIsWhitesView;
    update(); // the square pictures stay as they are; only their cells move
    d->EndDrag();
    d->Select(0);
    d->UpdateMarks(); // the coordinates stay at the bottom and left
}

bool Board::UndoLastMove() {
    if (d->Busy())
        return false;
    d->EndDrag();
    d->Select(0);
    const bool bUndone = d->m_oRules.UndoLastMove();
    d->UpdateMarks();
    if (bUndone)
        emit PositionChanged();
    return bUndone;
}

bool Board::PromotionChoice(qint16 nClass) {
    if (!d->m_oRules.AwaitingPromotion() || d->m_bPromotionCancelled ||
        !d->m_oRules.PromotionChoice(nClass))
        return false;
    if (d->m_pPromotionLoop)
        d->m_pPromotionLoop->quit();
    return true;
}

bool Board::MovePiece(const QString &sSrc, const QString &sDest) {
    if (d->Busy())
        return false;
    const int nSrc = SquareOf(sSrc);
    const int nDest = SquareOf(sDest);
    if (nSrc < 1 || nDest < 1)
        return false;
    d->EndDrag();
    d->Select(0);
    return d->PlayMove(nSrc, nDest) == BoardPrivate::PlayResult::Played;
}

bool Board::IsWhitesTurn() const {
    return d->m_oRules.IsWhitesTurn();
}

// --- Playing a move -----------------------------------------------------------------------

BoardPrivate::PlayResult BoardPrivate::PlayMove(int nSrc, int nDest, qint16 nPromotion) {
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
            // The host took it back, or nobody can answer any more (the application is
            // quitting): the move never happened.
            m_oRules.AbandonMove();
            UpdateMarks();
            return PlayResult::Refused;
        }
    }
    const clsRules::MoveVerdict oVerdict = m_oRules.JudgeMove();
    if (!oVerdict.bPlayed)
        return PlayResult::Refused;

    // Handlers run with the mover still to move, and may delete the board or start a new game;
    // nothing of this object may be touched once the board is gone.
    const QPointer<Board> oSelf(q);
    const unsigned nGame = m_nGame;
    const bool bOpponentIsWhite = !m_oRules.IsWhitesTurn();
    // A handler that starts a new game ends the old move's story: the rest is not told.
    const auto Going = [&] { return oSelf && nGame == m_nGame; };
    m_bReporting = true;
    emit q->PieceMovement(SquareName(nSrc), SquareName(nDest));
    if (Going() && oStart.bIsCapture)
        emit q->PieceCapture(oStart.nCapturedClass);
    if (Going() && oVerdict.bOpponentInCheck)
        emit q->KingInCheck(bOpponentIsWhite, oVerdict.bOpponentMated);
    else if (Going() && oVerdict.bOpponentStalemated)
        emit q->Stalemate();
    if (!oSelf)
        return PlayResult::Gone;
    m_bReporting = false;
    if (nGame != m_nGame)
        return PlayResult::Played;
    m_oRules.PassTurn(); // the game ends here, if this move ends it
    UpdateMarks();
    emit q->PositionChanged();
    if (!oSelf)
        return PlayResult::Gone;
    if (nGame == m_nGame)
        ReportGameOver();
    return oSelf ? PlayResult::Played : PlayResult::Gone;
}

bool BoardPrivate::AwaitPromotion(bool &bGone) {
    const QPointer<Board> oSelf(q);
    // The whole wait, the handler included, belongs to the move: an answer given inside the
    // handler does not open the board to other calls before the move has been reported.
    m_bPromoting = true;
    m_bPromotionCancelled = false;
    emit q->PawnPromotion(m_oRules.PromotionIsWhite());
    if (!oSelf) {
        bGone = true;
        return false;
    }
    // Read after the handler, so a host that disabled the board there keeps it disabled.
    const bool bHostDisabled = q->testAttribute(Qt::WA_ForceDisabled);
    q->setEnabled(false);
    // The host may already have answered inside its handler; then there is nothing to wait for.
    if (m_oRules.AwaitingPromotion() && !m_bPromotionCancelled &&
        !QCoreApplication::closingDown()) {
        QEventLoop oLoop;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &oLoop, &QEventLoop::quit);
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
        q->setEnabled(true);
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

void BoardPrivate::Settled() {
    EndDrag();
    Select(0);
    m_sLastError.clear();
    UpdateMarks();
    emit q->PositionChanged();
}

bool BoardPrivate::Refuse(const QString &sWhy) {
    m_sLastError = sWhy;
    return false;
}

void BoardPrivate::ReportGameOver() {
    if (m_oRules.IsGameOver())
        emit q->GameOver(QString::fromStdString(m_oRules.Result()),
                         QString::fromLatin1(clsRules::EndReasonText(m_oRules.EndReason())));
}

QString Board::Fen() const {
    if (!d->Busy())
        return QString::fromStdString(d->m_oRules.Fen());
    // The game as recorded: without a move waiting for its promotion piece, with the turn passed
    // after a move whose events are being raised.
    clsRules oSettled;
    ::Pgn::Replay(d->m_oRules, oSettled);
    return QString::fromStdString(oSettled.Fen());
}

bool Board::SetFen(const QString &sFen) {
    if (d->Waiting())
        return d->Refuse(tr("a promotion is waiting for its piece"));
    try {
        d->m_oRules.SetFen(sFen.toStdString());
        ::Pgn::SetStartTags(d->m_oRules);
    } catch (const std::invalid_argument &e) {
        return d->Refuse(QString::fromStdString(e.what()));
    }
    ++d->m_nGame;
    d->Settled();
    return true;
}

bool Board::LoadPgn(const QString &sPgn) {
    if (d->Waiting())
        return d->Refuse(tr("a promotion is waiting for its piece"));
    clsRules oRead;
    try {
        const QByteArray oText = sPgn.toUtf8();
        ::Pgn::Read(oRead,
                    std::string_view(oText.constData(), static_cast<std::size_t>(oText.size())));
    } catch (const std::invalid_argument &e) {
        return d->Refuse(QString::fromStdString(e.what()));
    }
    // The game read becomes the board's own, without a second replay; the whole picture is
    // brought up to date once.
    std::swap(d->m_oRules, oRead);
    oRead.SetDrawSquareHook(nullptr);
    d->m_oRules.SetDrawSquareHook([this](int nSquare) { d->SquareChanged(nSquare); });
    d->m_nDirty = ~std::uint64_t{0};
    update();
    ++d->m_nGame;
    d->Settled();
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
    if (d->Busy())
        return d->Refuse(tr("a move is still being played"));
    if (d->m_oRules.IsGameOver())
        return d->Refuse(tr("the game is over"));
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
        return d->Refuse(tr(e.what()));
    }
    d->EndDrag();
    d->Select(0);
    d->m_sLastError.clear();
    switch (d->PlayMove(oMove.nSrc, oMove.nDest, oMove.nPromotion)) {
    case BoardPrivate::PlayResult::Played:
        return true;
    case BoardPrivate::PlayResult::Refused:
        return d->Refuse(tr("no piece was chosen for the promotion"));
    case BoardPrivate::PlayResult::Gone:
        break;
    }
    return false;
}

QString Board::Result() const {
    return QString::fromStdString(d->m_oRules.Result());
}

bool Board::CanClaimDraw() const {
    return !d->Busy() && d->m_oRules.CanClaimDraw();
}

bool BoardPrivate::EndGame(const std::function<bool(clsRules &)> &end, const char *sWhy) {
    if (Busy())
        return Refuse(Board::tr("a move is still being played"));
    if (m_oRules.IsGameOver())
        return Refuse(Board::tr("the game is over"));
    if (!end(m_oRules))
        return Refuse(Board::tr(sWhy));
    EndDrag();
    m_sLastError.clear();
    ReportGameOver();
    return true;
}

bool Board::ClaimDraw() {
    return d->EndGame(&clsRules::ClaimDraw, QT_TR_NOOP("no draw can be claimed"));
}

bool Board::Resign() {
    return Resign(d->m_oRules.IsWhitesTurn());
}

bool Board::Resign(bool bIsWhite) {
    return d->EndGame([bIsWhite](clsRules &o) { return o.Resign(bIsWhite); },
                      QT_TR_NOOP("resigning was refused"));
}

QString Board::EndReason() const {
    return d->m_oRules.IsGameOver()
               ? QString::fromLatin1(clsRules::EndReasonText(d->m_oRules.EndReason()))
               : QString();
}

QString Board::Tag(const QString &sName) const {
    const std::string sKey = sName.toStdString();
    for (const auto &[sTag, sValue] : d->m_oRules.Tags())
        if (sTag == sKey)
            return QString::fromStdString(sValue);
    return {};
}

bool Board::SetTag(const QString &sName, const QString &sValue) {
    // A PGN tag name: a letter, then letters, digits and underscores.
    static const QRegularExpression oName(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    if (!oName.match(sName).hasMatch() || sName == QLatin1String("Result") ||
        sName == QLatin1String("SetUp") || sName == QLatin1String("FEN"))
        return d->Refuse(tr("%1 is not a tag a game may be given").arg(sName));
    // The standard forbids control characters in a value; a line break becomes a space.
    QString sClean = sValue;
    for (QChar &c : sClean)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    sClean = sClean.trimmed();
    auto &oTags = d->m_oRules.Tags();
    const std::string sKey = sName.toStdString();
    const auto it = std::find_if(oTags.begin(), oTags.end(),
                                 [&sKey](const auto &oTag) { return oTag.first == sKey; });
    if (sClean.isEmpty()) {
        if (it != oTags.end())
            oTags.erase(it);
    } else if (it != oTags.end()) {
        it->second = sClean.toStdString();
    } else {
        oTags.emplace_back(sKey, sClean.toStdString());
    }
    d->m_sLastError.clear();
    return true;
}

bool Board::CancelPromotion() {
    if (!d->m_bPromoting || !d->m_oRules.AwaitingPromotion())
        return false;
    d->m_bPromotionCancelled = true;
    if (d->m_pPromotionLoop)
        d->m_pPromotionLoop->quit();
    return true;
}

QRect Board::PromotionSquareRect() const {
    if (!d->m_bPromoting || !d->m_oRules.AwaitingPromotion())
        return {};
    return BoardGeometry::CellRect(d->m_oRules.PromotionSquare(), d->m_bIsWhitesView);
}

bool Board::AgreeDraw() {
    return d->EndGame(&clsRules::AgreeDraw, QT_TR_NOOP("a draw was refused"));
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
    d->UpdateMarks();
}

bool Board::ShowCheck() const {
    return d->m_bShowCheck;
}

void Board::SetShowCheck(bool bShow) {
    d->m_bShowCheck = bShow;
    d->UpdateMarks();
}

bool Board::ShowLegalMoves() const {
    return d->m_bShowLegalMoves;
}

void Board::SetShowLegalMoves(bool bShow) {
    d->m_bShowLegalMoves = bShow;
    d->UpdateMarks();
}

bool Board::ShowCoordinates() const {
    return d->m_bShowCoordinates;
}

void Board::SetShowCoordinates(bool bShow) {
    d->m_bShowCoordinates = bShow;
    d->UpdateMarks();
}
