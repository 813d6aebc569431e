#include "dlgGames.h"

#include "GameCollection.h"
#include "PgnIndex.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>

namespace {

// Each column of the list, in the order of GameListModel::Column: its heading, the tag it shows
// (FieldCount for the numbers the list works out) and its width in characters (0 for the last,
// which takes the rest).
struct ColumnFacts {
    const char *sTitle;
    Pgn::Index::Field eField;
    int nChars;
};
constexpr ColumnFacts Columns[GameListModel::ColumnCount] = {
    {QT_TRANSLATE_NOOP("GameListModel", "No."), Pgn::Index::FieldCount, 6},
    {QT_TRANSLATE_NOOP("GameListModel", "White"), Pgn::Index::White, 18},
    {QT_TRANSLATE_NOOP("GameListModel", "Black"), Pgn::Index::Black, 18},
    {QT_TRANSLATE_NOOP("GameListModel", "Result"), Pgn::Index::Result, 7},
    {QT_TRANSLATE_NOOP("GameListModel", "Date"), Pgn::Index::Date, 12},
    {QT_TRANSLATE_NOOP("GameListModel", "Event"), Pgn::Index::Event, 24},
    {QT_TRANSLATE_NOOP("GameListModel", "Round"), Pgn::Index::Round, 6},
    {QT_TRANSLATE_NOOP("GameListModel", "Moves"), Pgn::Index::FieldCount, 0}};

} // namespace

namespace {

constexpr std::size_t CheckEvery = 1 << 14; // games between looks at whether to stop

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return (c & 0x80) == 0; });
}

// A cell's bytes as the list shows them: UTF-8, Latin-1 turned into UTF-8 first.
std::string_view CellBytes(const Pgn::Index &o, std::size_t n, Pgn::Index::Field eField,
                           std::string &sScratch) {
    const std::string_view s = o.Tag(n, eField);
    if (IsAscii(s))
        return s;
    const QByteArray oUtf8 =
        DecodeUtf8OrLatin1(QByteArrayView(s.data(), static_cast<qsizetype>(s.size()))).toUtf8();
    sScratch.assign(oUtf8.constData(), static_cast<std::size_t>(oUtf8.size()));
    return sScratch;
}

// Letters in lower case, a byte at a time.
constexpr std::array<unsigned char, 256> LowerCase = [] {
    std::array<unsigned char, 256> o{};
    for (std::size_t c = 0; c < o.size(); ++c)
        o[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return o;
}();

// Bytes nFrom to nFrom + 8, in any case, as a number that orders as they do.
std::uint64_t Head(std::string_view s, std::size_t nFrom) {
    std::uint64_t n = 0;
    for (std::size_t i = nFrom; i < nFrom + 8; ++i)
        n = n << 8 | (i < s.size() ? LowerCase[static_cast<unsigned char>(s[i])] : 0u);
    return n;
}

// Whether sHay holds sNeedle (already in lower case), ASCII letters in any case. sHay is at most
// a cell: 255 bytes.
bool ContainsFolded(std::string_view sHay, std::string_view sNeedle) {
    if (sNeedle.size() > sHay.size())
        return false;
    char sLower[256];
    const std::size_t n = std::min(sHay.size(), sizeof sLower);
    for (std::size_t i = 0; i < n; ++i)
        sLower[i] = static_cast<char>(LowerCase[static_cast<unsigned char>(sHay[i])]);
    return std::string_view(sLower, n).find(sNeedle) != std::string_view::npos;
}

} // namespace

GameListModel::GameListModel(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
                             QObject *parent)
    : QAbstractTableModel(parent), m_pIndex(std::move(pIndex)), m_oBad(std::move(oBad)) {
    m_oWorker.setMaxThreadCount(1);
    // The file's order at once: a million numbers in a millisecond.
    auto pOrder = std::make_shared<std::vector<std::uint32_t>>(m_pIndex->Count());
    std::iota(pOrder->begin(), pOrder->end(), 0u);
    m_oShown.oRows = *pOrder;
    m_oShown.pOrder = std::move(pOrder);
}

GameListModel::~GameListModel() {
    ++m_nAsked; // the work under way stops at its next look
    m_oWorker.waitForDone();
}

int GameListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_oShown.oRows.size());
}

int GameListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

int GameListModel::GameAt(int nRow) const {
    return nRow >= 0 && static_cast<std::size_t>(nRow) < m_oShown.oRows.size()
               ? static_cast<int>(m_oShown.oRows[static_cast<std::size_t>(nRow)])
               : -1;
}

int GameListModel::RowOf(int nGame) const {
    const auto &o = m_oShown.oRows;
    const auto it = std::find(o.begin(), o.end(), static_cast<std::uint32_t>(nGame));
    return it == o.end() ? -1 : static_cast<int>(it - o.begin());
}

QVariant GameListModel::data(const QModelIndex &index, int role) const {
    const int nGame = GameAt(index.row());
    if (nGame < 0)
        return {};
    const auto n = static_cast<std::size_t>(nGame);
    if (role == Qt::ToolTipRole && m_oBad.contains(nGame))
        return m_oBad.value(nGame);
    if (role == Qt::ForegroundRole && m_oBad.contains(nGame))
        return QColor(Qt::red);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case No:
        return nGame + 1;
    case Moves:
        return static_cast<int>((m_pIndex->At(n).nPlies + 1) / 2);
    default: {
        // A tag, read as the board reads it.
        const std::string_view s = m_pIndex->Tag(n, Columns[index.column()].eField);
        return DecodeUtf8OrLatin1(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    }
    }
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section >= 0 && section < ColumnCount ? tr(Columns[section].sTitle) : QVariant();
}

void GameListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    m_oAsked.nColumn = column;
    m_oAsked.eOrder = order;
    Ask();
}

void GameListModel::SetFilter(const QString &sText) {
    if (sText == m_oAsked.sFilter)
        return;
    m_oAsked.sFilter = sText;
    Ask();
}

void GameListModel::Ask() {
    const unsigned nAsk = ++m_nAsked;
    if (m_oAsked.nColumn == m_oMade.nColumn && m_oAsked.eOrder == m_oMade.eOrder &&
        m_oAsked.sFilter == m_oMade.sFilter) {
        m_nShown = nAsk; // back to what shows
        return;
    }
    m_oWorker.start(
        [this, oRequest = m_oAsked, oMadeFor = m_oMade, oMade = m_oShown, nAsk]() mutable {
            std::optional<Arrangement> o = Work(oRequest, oMadeFor, std::move(oMade), nAsk);
            if (!o)
                return;
            QMetaObject::invokeMethod(
                this,
                [this, oRequest, nAsk, oNew = std::move(*o)]() mutable {
                    if (nAsk == m_nAsked)
                        Show(std::move(oNew), oRequest, nAsk);
                },
                Qt::QueuedConnection);
        });
}

void GameListModel::Settle() {
    if (!Busy())
        return;
    // Here and now; the thread's work, for an older request, is dropped when it comes.
    const unsigned nAsk = ++m_nAsked;
    if (std::optional<Arrangement> o = Work(m_oAsked, m_oMade, m_oShown, nAsk))
        Show(std::move(*o), m_oAsked, nAsk);
}

std::optional<GameListModel::Arrangement> GameListModel::Work(const Request &oRequest,
                                                              const Request &oMadeFor,
                                                              Arrangement oMade,
                                                              unsigned nAsk) const {
    const Pgn::Index &oIndex = *m_pIndex;
    const std::size_t nGames = oIndex.Count();
    const auto Dropped = [&](std::size_t n) { return n % CheckEvery == 0 && m_nAsked != nAsk; };
    Arrangement o;
    if (oRequest.nColumn == oMadeFor.nColumn && oRequest.eOrder == oMadeFor.eOrder) {
        o.pOrder = std::move(oMade.pOrder);
    } else {
        auto pOrder = std::make_shared<std::vector<std::uint32_t>>(nGames);
        std::vector<std::uint32_t> &oOrder = *pOrder;
        if (oRequest.nColumn == No) {
            std::iota(oOrder.begin(), oOrder.end(), 0u);
        } else if (oRequest.nColumn == Moves) {
            // The count and the number in one: no ties to break.
            std::vector<std::uint64_t> oKeys(nGames);
            for (std::size_t n = 0; n < nGames; ++n)
                oKeys[n] = std::uint64_t{oIndex.At(n).nPlies} << 32 | n;
            std::sort(oKeys.begin(), oKeys.end());
            for (std::size_t n = 0; n < nGames; ++n)
                oOrder[n] = static_cast<std::uint32_t>(oKeys[n]);
        } else {
            // Twenty-four bytes at a time, then the number: sorted by the first twenty-four, and
            // only where those tie between longer cells by the next twenty-four of those.
            // Each cell is fetched once for each sixteen bytes it is compared by; comparing
            // cells in the pool at random would take seconds for a million games.
            const auto eField = Columns[oRequest.nColumn].eField;
            struct Key {
                std::uint64_t nHead, nNext, nLast;
                std::uint32_t nGame, nLength;
            };
            std::vector<Key> oKeys(nGames);
            std::string sScratch;
            for (std::size_t n = 0; n < nGames; ++n) {
                if (Dropped(n))
                    return std::nullopt;
                const std::string_view sCell = CellBytes(oIndex, n, eField, sScratch);
                oKeys[n] = {Head(sCell, 0), Head(sCell, 8), Head(sCell, 16),
                            static_cast<std::uint32_t>(n),
                            static_cast<std::uint32_t>(sCell.size())};
            }
            const auto Sort = [&](auto &Self, std::vector<Key>::iterator itBegin,
                                  std::vector<Key>::iterator itEnd, std::size_t nFrom) -> void {
                std::sort(itBegin, itEnd, [](const Key &a, const Key &b) {
                    return a.nHead != b.nHead   ? a.nHead < b.nHead
                           : a.nNext != b.nNext ? a.nNext < b.nNext
                           : a.nLast != b.nLast ? a.nLast < b.nLast
                                                : a.nGame < b.nGame;
                });
                for (auto itRun = itBegin; itRun != itEnd;) {
                    auto itRunEnd = itRun + 1;
                    bool bLonger = itRun->nLength > nFrom + 24;
                    while (itRunEnd != itEnd && itRunEnd->nHead == itRun->nHead &&
                           itRunEnd->nNext == itRun->nNext && itRunEnd->nLast == itRun->nLast)
                        bLonger |= (itRunEnd++)->nLength > nFrom + 24;
                    if (bLonger) {
                        for (auto it = itRun; it != itRunEnd; ++it) {
                            const std::string_view sCell =
                                CellBytes(oIndex, it->nGame, eField, sScratch);
                            it->nHead = Head(sCell, nFrom + 24);
                            it->nNext = Head(sCell, nFrom + 32);
                            it->nLast = Head(sCell, nFrom + 40);
                        }
                        Self(Self, itRun, itRunEnd, nFrom + 24);
                    }
                    itRun = itRunEnd;
                }
            };
            Sort(Sort, oKeys.begin(), oKeys.end(), 0);
            for (std::size_t n = 0; n < nGames; ++n)
                oOrder[n] = oKeys[n].nGame;
        }
        if (oRequest.eOrder == Qt::DescendingOrder)
            std::reverse(oOrder.begin(), oOrder.end());
        o.pOrder = std::move(pOrder);
    }
    if (m_nAsked != nAsk)
        return std::nullopt;
    if (oRequest.sFilter.isEmpty()) {
        o.oRows = *o.pOrder;
        return o;
    }
    if (oRequest.sFilter == oMadeFor.sFilter && oMade.pMatch) {
        o.pMatch = std::move(oMade.pMatch);
    } else {
        // Every cell's text as the list shows it, letters in any case.
        const QByteArray oNeedle = oRequest.sFilter.toUtf8().toLower();
        const std::string_view sNeedle(oNeedle.constData(),
                                       static_cast<std::size_t>(oNeedle.size()));
        const bool bAscii = IsAscii(sNeedle);
        auto pMatch = std::make_shared<std::vector<bool>>(nGames);
        std::vector<bool> &oMatch = *pMatch;
        char sNumber[16];
        const auto Number = [&](std::uint32_t n) {
            return std::string_view(
                sNumber,
                static_cast<std::size_t>(std::to_chars(sNumber, sNumber + 16, n).ptr - sNumber));
        };
        for (std::size_t n = 0; n < nGames; ++n) {
            if (Dropped(n))
                return std::nullopt;
            bool bFound =
                bAscii && (ContainsFolded(Number(static_cast<std::uint32_t>(n + 1)), sNeedle) ||
                           ContainsFolded(Number((oIndex.At(n).nPlies + 1) / 2), sNeedle));
            for (const std::string_view s : oIndex.Tags(n)) {
                if (bFound)
                    break;
                if (bAscii)
                    bFound = ContainsFolded(s, sNeedle);
                else if (!IsAscii(s)) // only letters beyond ASCII match those
                    bFound = DecodeUtf8OrLatin1(
                                 QByteArrayView(s.data(), static_cast<qsizetype>(s.size())))
                                 .contains(oRequest.sFilter, Qt::CaseInsensitive);
            }
            oMatch[n] = bFound;
        }
        o.pMatch = std::move(pMatch);
    }
    if (m_nAsked != nAsk)
        return std::nullopt;
    o.oRows.reserve(nGames);
    for (const std::uint32_t n : *o.pOrder)
        if ((*o.pMatch)[n])
            o.oRows.push_back(n);
    return o;
}

void GameListModel::Show(Arrangement oArrangement, const Request &oRequest, unsigned nAsk) {
    beginResetModel();
    m_oShown = std::move(oArrangement);
    m_oMade = oRequest;
    m_nShown = nAsk;
    endResetModel();
    emit Arranged();
}

dlgGames::dlgGames(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
                   const QString &sFile, int nCurrent, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgGames"));
    setWindowTitle(sFile.isEmpty() ? tr("Choose a Game") : tr("Choose a Game - %1").arg(sFile));
    m_pModel = new GameListModel(std::move(pIndex), std::move(oBad), this);

    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(tr("Filter"));
    txtFilter->setClearButtonEnabled(true);
    txtFilter->installEventFilter(this);
    tblGames = new QTableView(this);
    tblGames->setObjectName(QStringLiteral("tblGames"));
    tblGames->setModel(m_pModel);
    tblGames->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblGames->setSelectionMode(QAbstractItemView::SingleSelection);
    tblGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblGames->installEventFilter(this);
    // The indicator first: turning sorting on then sorts once, by it, which the list is already.
    tblGames->horizontalHeader()->setSortIndicator(GameListModel::No, Qt::AscendingOrder);
    tblGames->setSortingEnabled(true);
    tblGames->verticalHeader()->hide();
    // Fixed row heights: the view never measures 60,000 rows.
    tblGames->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblGames->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Each column as wide as its title and what it holds (the header measures a thousand rows),
    // at least its usual letters and at most forty: names are not cut while Moves takes the room.
    tblGames->resizeColumnsToContents();
    for (int nColumn = 0; nColumn < GameListModel::ColumnCount; ++nColumn)
        tblGames->setColumnWidth(
            nColumn, std::clamp(tblGames->columnWidth(nColumn),
                                fontMetrics().averageCharWidth() * Columns[nColumn].nChars + 12,
                                fontMetrics().averageCharWidth() * 40));
    connect(tblGames, &QAbstractItemView::doubleClicked, this, &QDialog::accept);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtFilter);
    layout->addWidget(tblGames);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 140, fontMetrics().height() * 32);

    // The game chosen stays chosen while the rows change, as long as it is among them; else the
    // first row is, so that Enter always has a game to open.
    connect(tblGames->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &oAt) {
                if (oAt.isValid())
                    m_nCurrent = m_pModel->GameAt(oAt.row());
            });
    connect(m_pModel, &GameListModel::Arranged, this, [this] { SelectGame(m_nCurrent); });
    // The filter applies once typing pauses: a keystroke never waits for the list.
    m_pPause = new QTimer(this);
    m_pPause->setSingleShot(true);
    m_pPause->setInterval(150);
    connect(txtFilter, &QLineEdit::textChanged, m_pPause, qOverload<>(&QTimer::start));
    connect(m_pPause, &QTimer::timeout, this, [this] { m_pModel->SetFilter(txtFilter->text()); });
    SelectGame(nCurrent);
    txtFilter->setFocus();
}

void dlgGames::SelectGame(int nGame) {
    int nRow = m_pModel->RowOf(nGame);
    if (nRow < 0 && m_pModel->rowCount() > 0)
        nRow = 0;
    if (nRow < 0)
        return;
    const QModelIndex oAt = m_pModel->index(nRow, 0);
    tblGames->setCurrentIndex(oAt);
    tblGames->scrollTo(oAt, QAbstractItemView::PositionAtCenter);
}

void dlgGames::Settle() {
    if (m_pPause->isActive()) {
        m_pPause->stop();
        m_pModel->SetFilter(txtFilter->text());
    }
    m_pModel->Settle();
}

void dlgGames::accept() {
    Settle();
    QDialog::accept();
}

int dlgGames::Chosen() const {
    const QModelIndex oAt = tblGames->currentIndex();
    return oAt.isValid() ? m_pModel->GameAt(oAt.row()) : -1;
}

bool dlgGames::eventFilter(QObject *watched, QEvent *event) {
    // From the filter box, the keys that move through a list move through the games, once the
    // text typed so far has narrowed it.
    if ((watched == txtFilter || watched == tblGames) && event->type() == QEvent::KeyPress) {
        const int nKey = static_cast<QKeyEvent *>(event)->key();
        const bool bMoves = nKey == Qt::Key_Up || nKey == Qt::Key_Down || nKey == Qt::Key_PageUp ||
                            nKey == Qt::Key_PageDown;
        if (bMoves || nKey == Qt::Key_Return || nKey == Qt::Key_Enter)
            Settle();
        if (watched == txtFilter && bMoves) {
            QKeyEvent oCopy(QEvent::KeyPress, nKey, static_cast<QKeyEvent *>(event)->modifiers());
            QCoreApplication::sendEvent(tblGames, &oCopy);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
