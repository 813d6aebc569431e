// The public face of the board and a move's events.
#include "BoardGeometry.h"
#include "BoardPrivate.h"
#include "Chess960.h"
#include "Notation.h"
#include "Pgn.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>
#include <cctype>
#include <limits>
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
    // Today's control for a host that asks for nothing; one that lets it grow gets larger squares.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMinimumSize(BoardGeometry::Side, BoardGeometry::Side);
    resize(BoardGeometry::Side, BoardGeometry::Side);
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

Board::Refusal Board::LastRefusal() const {
    return d->m_eRefusal;
}

Board::EndReason Board::GameOverReason() const {
    return static_cast<EndReason>(d->m_oRules.EndReason());
}

// The host's values are the core's.
static_assert(static_cast<int>(Board::EndReason::TimeForfeitDraw) ==
              static_cast<int>(clsRules::GameEnd::TimeForfeitDraw));
static_assert(static_cast<int>(Board::EndReason::Checkmate) ==
              static_cast<int>(clsRules::GameEnd::Checkmate));

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
    d->m_oSans.clear();
    d->m_nLineAt = -1;
    d->m_bEndTold = false;
    d->LeaveEditing();
    const bool bEnded = d->EndReview();
    d->EndDrag();
    d->Select(0);
    d->UpdateMarks();
    if (bEnded && !d->TellShown())
        return;
    emit PositionChanged();
}

void Board::BoardView(bool bIsWhitesView) {
    if (bIsWhitesView == d->m_bIsWhitesView)
        return;
    d->m_bIsWhitesView = bIsWhitesView;
    update(); // every cell shows another square now; the squares themselves keep their contents
    d->EndDrag();
    d->Select(0);
    d->UpdateMarks(); // the coordinates stay at the bottom and left
}

bool Board::UndoLastMove() {
    if (d->Busy())
        return false;
    if (d->m_bEditing)
        return d->Refuse(Refusal::Editing);
    d->EndDrag();
    d->Select(0);
    const bool bUndone = d->m_oRules.UndoLastMove();
    if (d->m_oSans.size() > PlyCount())
        d->m_oSans.resize(PlyCount());
    d->m_bEndTold = d->m_bEndTold && !bUndone; // undo reopens the game
    const bool bEnded = bUndone && d->EndReview();
    d->UpdateMarks();
    if (bEnded && !d->TellShown())
        return bUndone;
    if (bUndone)
        emit PositionChanged();
    return bUndone;
}

bool Board::PromotionChoice(qint16 nClass) {
    if (d->m_bVariationPromotion) {
        const bool bWhite = d->m_nVariationPromotionSquare <= 8;
        const qint16 nBase = bWhite ? modConsts::WhiteOffset : 0;
        if (d->m_bPromotionCancelled || d->m_nVariationChoice >= 0 ||
            nClass < nBase + modConsts::BlackQueen || nClass > nBase + modConsts::BlackBishop)
            return false;
        d->m_nVariationChoice = nClass;
        if (d->m_pPromotionLoop)
            d->m_pPromotionLoop->quit();
        return true;
    }
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
    if (d->m_bEditing)
        return d->Refuse(Refusal::Editing);
    if (!d->MayPlayShown())
        return d->Refuse(Refusal::EarlierPositionShown);
    d->EndDrag();
    d->Select(0);
    return d->PlayMove(nSrc, nDest) == BoardPrivate::PlayResult::Played;
}

bool Board::IsWhitesTurn() const {
    return d->m_oRules.IsWhitesTurn();
}

// --- Playing a move -----------------------------------------------------------------------

BoardPrivate::PlayResult BoardPrivate::PlayMove(int nSrc, int nDest, qint16 nPromotion) {
    if (Busy() || nSrc == nDest || !MayPlayShown())
        return PlayResult::Refused;
    // A castling by either gesture becomes the move in the game's own form, on the position
    // shown.
    if (const Move oCastling = ShownRules().CastlingOf(nSrc, nDest); oCastling.nSrc != 0)
        nDest = oCastling.nDest;
    if (Reviewing())
        return PlayVariationMove(nSrc, nDest, nPromotion);
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
    m_oSans.clear(); // a new game
    m_nLineAt = -1;
    LeaveEditing();
    const bool bEnded = EndReview();
    EndDrag();
    Select(0);
    Succeeded();
    UpdateMarks();
    if (bEnded && !TellShown())
        return;
    emit q->PositionChanged();
}

// Every refusal's words, in one place. A file's or a FEN's fault comes in the core's words.
bool BoardPrivate::Refuse(Board::Refusal eWhy, const QString &sDetail) {
    using R = Board::Refusal;
    static const char *const Texts[] = {
        "",
        QT_TRANSLATE_NOOP("Board", "a move is still being played"),
        QT_TRANSLATE_NOOP("Board", "a promotion is waiting for its piece"),
        QT_TRANSLATE_NOOP("Board", "the game is over"),
        QT_TRANSLATE_NOOP("Board", "no move given"),
        QT_TRANSLATE_NOOP("Board", "unreadable move"),
        QT_TRANSLATE_NOOP("Board", "ambiguous move"),
        QT_TRANSLATE_NOOP("Board", "no legal move matches"),
        QT_TRANSLATE_NOOP("Board", "castling is not legal here"),
        QT_TRANSLATE_NOOP("Board", "the promotion piece is missing"),
        QT_TRANSLATE_NOOP("Board", "not a legal move"),
        QT_TRANSLATE_NOOP("Board", "no piece was chosen for the promotion"),
        QT_TRANSLATE_NOOP("Board", "no draw can be claimed"),
        QT_TRANSLATE_NOOP("Board", "resigning was refused"),
        QT_TRANSLATE_NOOP("Board", "a draw was refused"),
        "",
        "",
        QT_TRANSLATE_NOOP("Board", "an earlier position is shown"),
        QT_TRANSLATE_NOOP("Board", "not a tag a game may be given"),
        "",
        QT_TRANSLATE_NOOP("Board", "a position is being set up"),
        QT_TRANSLATE_NOOP("Board", "no position is being set up"),
        QT_TRANSLATE_NOOP("Board", "no Chess960 start position has that number"),
        QT_TRANSLATE_NOOP("Board", "no such move in the game"),
        QT_TRANSLATE_NOOP("Board", "the main line is no variation"),
        QT_TRANSLATE_NOOP("Board", "a comment cannot hold \"}\""),
        QT_TRANSLATE_NOOP("Board", "only the first move of a variation has a comment before it"),
        QT_TRANSLATE_NOOP("Board", "the game would end before the line does"),
        QT_TRANSLATE_NOOP("Board", "not a NAG or shape")};
    static_assert(std::size(Texts) == static_cast<std::size_t>(R::BadNote) + 1);
    m_eRefusal = eWhy;
    m_sLastError = eWhy == R::BadFen || eWhy == R::BadPgn || eWhy == R::BadPieceSet
                       ? sDetail
                       : Board::tr(Texts[static_cast<std::size_t>(eWhy)]);
    return false;
}

void BoardPrivate::Succeeded() {
    m_eRefusal = Board::Refusal::None;
    m_sLastError.clear();
}

void BoardPrivate::ReportGameOver() {
    // The signal keeps its English words; hosts that show them translate GameOverReason().
    static const char *const Reasons[] = {"",
                                          "checkmate",
                                          "stalemate",
                                          "insufficient material",
                                          "fivefold repetition",
                                          "seventy-five-move rule",
                                          "threefold repetition",
                                          "fifty-move rule",
                                          "resignation",
                                          "agreement",
                                          "time forfeit",
                                          "time forfeit against insufficient material"};
    static_assert(std::size(Reasons) ==
                  static_cast<std::size_t>(Board::EndReason::TimeForfeitDraw) + 1);
    if (m_oRules.IsGameOver() && !std::exchange(m_bEndTold, true))
        emit q->GameOver(
            QString::fromStdString(m_oRules.Result()),
            QString::fromLatin1(Reasons[static_cast<std::size_t>(m_oRules.EndReason())]));
}

QString Board::Fen() const {
    if (!d->Busy())
        return QString::fromStdString(d->m_oRules.Fen());
    // The game as recorded: without a move waiting for its promotion piece, with the turn passed
    // after a move whose events are being raised.
    return QString::fromStdString(clsRules::FenOf(d->m_oRules.PositionAt(d->m_oRules.PlyCount())));
}

bool Board::SetFen(const QString &sFen, bool bChess960) {
    if (d->Waiting())
        return d->Refuse(Refusal::PromotionWaiting);
    try {
        d->m_oRules.SetFen(sFen.toStdString(), bChess960);
        ::Pgn::SetStartTags(d->m_oRules);
    } catch (const std::invalid_argument &e) {
        return d->Refuse(Refusal::BadFen, QString::fromStdString(e.what()));
    }
    ++d->m_nGame;
    d->m_bEndTold = false;
    d->Settled();
    return true;
}

bool Board::LoadPgn(const QString &sPgn) {
    if (d->Waiting())
        return d->Refuse(Refusal::PromotionWaiting);
    clsRules oRead;
    try {
        const QByteArray oText = sPgn.toUtf8();
        ::Pgn::Read(oRead,
                    std::string_view(oText.constData(), static_cast<std::size_t>(oText.size())));
    } catch (const std::invalid_argument &e) {
        return d->Refuse(Refusal::BadPgn, QString::fromStdString(e.what()));
    }
    // The game read becomes the board's own, without a second replay.
    d->m_oRules.Adopt(std::move(oRead));
    ++d->m_nGame;
    d->m_bEndTold = false;
    d->Settled();
    return true;
}

QString Board::Pgn() const {
    return QString::fromStdString(::Pgn::Write(d->m_oRules));
}

bool Board::SetMoveClock(int nPly, qint64 nMs) {
    if (nPly < 1 || nPly > PlyCount())
        return false;
    d->m_oRules.Record()[static_cast<std::size_t>(nPly - 1)].nClockMs = nMs < 0 ? -1 : nMs;
    return true;
}

qint64 Board::MoveClock(int nPly) const {
    return nPly < 1 || nPly > PlyCount()
               ? -1
               : d->m_oRules.Record()[static_cast<std::size_t>(nPly - 1)].nClockMs;
}

QStringList Board::SanMoves() const {
    const auto &oRecord = d->m_oRules.Record();
    for (auto i = static_cast<std::size_t>(d->m_oSans.size()); i < oRecord.size(); ++i)
        d->m_oSans.append(QString::fromStdString(oRecord[i].sSan));
    return d->m_oSans;
}

QStringList Board::CoordinateMoves() const {
    return ToQt(Notation::CoordinateMoves(d->m_oRules));
}

bool Board::MovePieceSan(const QString &sSan) {
    if (d->Busy())
        return d->Refuse(Refusal::MoveInProgress);
    if (d->m_bEditing)
        return d->Refuse(Refusal::Editing);
    if (!d->MayPlayShown())
        return d->Refuse(Refusal::EarlierPositionShown);
    if (!d->Reviewing() && d->m_oRules.IsGameOver())
        return d->Refuse(Refusal::GameIsOver);
    Move oMove;
    try {
        oMove = Notation::ParseSan(d->ShownRules(), sSan.toStdString(), true);
    } catch (const Notation::Error &e) {
        using N = Notation::Refusal;
        switch (e.Cause()) {
        case N::NoMoveGiven:
            return d->Refuse(Refusal::NoMoveGiven);
        case N::Unreadable:
            return d->Refuse(Refusal::UnreadableMove);
        case N::Ambiguous:
            return d->Refuse(Refusal::AmbiguousMove);
        case N::NoMatch:
            return d->Refuse(Refusal::NoLegalMoveMatches);
        case N::CastlingIllegal:
            return d->Refuse(Refusal::CastlingNotLegal);
        case N::PromotionPieceMissing:
            return d->Refuse(Refusal::PromotionPieceMissing);
        case N::NotLegal:
            break;
        }
        return d->Refuse(Refusal::IllegalMove);
    }
    d->EndDrag();
    d->Select(0);
    d->Succeeded();
    switch (d->PlayMove(oMove.nSrc, oMove.nDest, oMove.nPromotion)) {
    case BoardPrivate::PlayResult::Played:
        return true;
    case BoardPrivate::PlayResult::Refused:
        return d->Refuse(Refusal::NoPromotionPiece);
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

bool BoardPrivate::EndGame(const std::function<bool(clsRules &)> &end, Board::Refusal eWhy) {
    if (Busy())
        return Refuse(Board::Refusal::MoveInProgress);
    if (m_bEditing)
        return Refuse(Board::Refusal::Editing);
    if (m_oRules.IsGameOver())
        return Refuse(Board::Refusal::GameIsOver);
    if (!end(m_oRules))
        return Refuse(eWhy);
    EndDrag();
    Succeeded();
    ReportGameOver();
    return true;
}

bool Board::ClaimDraw() {
    return d->EndGame(&clsRules::ClaimDraw, Refusal::NoDrawToClaim);
}

bool Board::Resign() {
    return Resign(d->m_oRules.IsWhitesTurn());
}

bool Board::Resign(bool bIsWhite) {
    return d->EndGame([bIsWhite](clsRules &o) { return o.Resign(bIsWhite); },
                      Refusal::ResignationRefused);
}

QString Board::Tag(const QString &sName) const {
    const std::string sKey = sName.toStdString();
    for (const auto &[sTag, sValue] : d->m_oRules.Tags())
        if (sTag == sKey)
            return QString::fromStdString(sValue);
    return {};
}

bool Board::SetTag(const QString &sName, const QString &sValue) {
    // A PGN tag name, and one that begins with a letter, as every tag written should.
    const std::string sKey = sName.toStdString();
    // A Variant that says Chess960 would make another game of a standard one when read back.
    const bool bVariant = sName == QLatin1String("Variant") &&
                          (Is960() || Chess960::IsVariantName(sValue.toStdString()));
    if (!::Pgn::IsTagName(sKey) || !std::isalpha(static_cast<unsigned char>(sKey[0])) ||
        sName == QLatin1String("Result") || sName == QLatin1String("SetUp") ||
        sName == QLatin1String("FEN") || bVariant)
        return d->Refuse(Refusal::BadTag);
    // The standard forbids control characters in a value; a line break becomes a space.
    QString sClean = sValue;
    for (QChar &c : sClean)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    sClean = sClean.trimmed();
    auto &oTags = d->m_oRules.Tags();
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
    d->Succeeded();
    return true;
}

bool Board::CancelPromotion() {
    if (!d->m_bPromoting || (!d->m_oRules.AwaitingPromotion() &&
                             !(d->m_bVariationPromotion && d->m_nVariationChoice < 0)))
        return false;
    d->m_bPromotionCancelled = true;
    if (d->m_pPromotionLoop)
        d->m_pPromotionLoop->quit();
    return true;
}

QRect Board::PromotionSquareRect() const {
    if (d->m_bPromoting && d->m_bVariationPromotion)
        return d->m_oGrid.CellRect(d->m_nVariationPromotionSquare, d->m_bIsWhitesView);
    if (!d->m_bPromoting || !d->m_oRules.AwaitingPromotion())
        return {};
    return d->m_oGrid.CellRect(d->m_oRules.PromotionSquare(), d->m_bIsWhitesView);
}

bool Board::AgreeDraw() {
    return d->EndGame(&clsRules::AgreeDraw, Refusal::DrawRefused);
}

bool Board::FlagFall() {
    // The rules refuse a flag fall only when the game is over or a move is under way, which
    // EndGame has turned away already.
    return d->EndGame(&clsRules::FlagFall, Refusal::MoveInProgress);
}

// --- Chess960 -----------------------------------------------------------------------------

bool Board::NewGame960(int nNumber) {
    if (d->Waiting())
        return d->Refuse(Refusal::PromotionWaiting);
    if (nNumber < 0 || nNumber >= Chess960::Count)
        return d->Refuse(Refusal::NoSuchStartPosition);
    d->m_oRules.NewGame960(nNumber);
    ::Pgn::SetStartTags(d->m_oRules);
    ++d->m_nGame;
    d->m_bEndTold = false;
    d->Settled();
    return true;
}

bool Board::Is960() const {
    return d->m_oRules.Is960();
}

int Board::Chess960Number() const {
    return Chess960::StartNumber(d->m_oRules);
}

// --- Reviewing ----------------------------------------------------------------------------

int Board::PlyCount() const {
    return d->m_oRules.PlyCount();
}

int Board::ViewedPly() const {
    return d->Reviewing() ? d->m_oRules.Depth(d->m_nShownNode) : PlyCount();
}

bool Board::ViewPly(int nPly) {
    if (d->Busy() || d->m_bEditing || nPly < 0 || nPly > PlyCount())
        return false;
    const int nView = nPly == PlyCount() ? -1 : d->m_oRules.MainLineNode(nPly);
    if (nView == d->m_nShownNode)
        return true;
    d->EndDrag();
    d->Select(0);
    d->ShowNodeAt(nView);
    d->UpdateMarks();
    d->TellShown();
    return true;
}

QString Board::FenAt(int nPly) const {
    if (nPly < 0 || nPly > PlyCount())
        return {};
    return QString::fromStdString(clsRules::FenOf(d->m_oRules.PositionAt(nPly)));
}

void BoardPrivate::ShowNodeAt(int nNode) {
    if (nNode == m_oRules.LiveNode())
        nNode = -1;
    const std::vector<Annotation::Shape> oOld = ShownShapes();
    m_nShownNode = nNode;
    m_nTargetsOf = -1; // another position: the destinations must be judged again
    // Only squares whose piece differs are drawn again; the marks bring their own.
    for (int n = 1; n <= 64; ++n)
        if (ShownClass(n) != m_nShown[static_cast<std::size_t>(n - 1)])
            MarkDirty(n);
    if (oOld != ShownShapes()) {
        MarkShapeCells(oOld);
        MarkShapeCells(ShownShapes());
    }
}

bool BoardPrivate::TellShown() {
    const QPointer<Board> oSelf(q);
    emit q->ViewChanged(q->ViewedPly());
    if (oSelf)
        emit q->NodeShown(q->ShownNode());
    return !oSelf.isNull();
}

bool BoardPrivate::EndReview() {
    if (!Reviewing())
        return false;
    ShowNodeAt(-1);
    return true;
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
