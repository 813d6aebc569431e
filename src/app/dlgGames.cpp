#include "dlgGames.h"

#include "GameCollection.h"
#include "PgnIndex.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

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

// Keeps the games with the filter text in any column's text, in any case. A new text rebuilds
// the whole list at once: QSortFilterProxyModel's own filter change removes and inserts the rows
// block by block, seconds per keystroke when the kept games are scattered through a big file.
class GameFilterModel : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetText(const QString &sText) {
        m_sText = sText;
        invalidate();
    }

protected:
    bool filterAcceptsRow(int nRow, const QModelIndex &parent) const override {
        if (m_sText.isEmpty())
            return true;
        const QAbstractItemModel *model = sourceModel();
        for (int nColumn = 0; nColumn < model->columnCount(parent); ++nColumn) {
            const QString sCell = model->index(nRow, nColumn, parent).data().toString();
            if (sCell.contains(m_sText, Qt::CaseInsensitive))
                return true;
        }
        return false;
    }

private:
    QString m_sText;
};

} // namespace

GameListModel::GameListModel(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
                             QObject *parent)
    : QAbstractTableModel(parent), m_pIndex(std::move(pIndex)), m_oBad(std::move(oBad)) {}

int GameListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_pIndex->Count());
}

int GameListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GameListModel::data(const QModelIndex &index, int role) const {
    const int nRow = index.row();
    const auto n = static_cast<std::size_t>(nRow);
    if (role == Qt::ToolTipRole && m_oBad.contains(nRow))
        return m_oBad.value(nRow);
    if (role == Qt::ForegroundRole && m_oBad.contains(nRow))
        return QColor(Qt::red);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case No:
        return nRow + 1;
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

dlgGames::dlgGames(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
                   const QString &sFile, int nCurrent, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dlgGames"));
    setWindowTitle(sFile.isEmpty() ? tr("Choose a Game") : tr("Choose a Game - %1").arg(sFile));
    auto *model = new GameListModel(std::move(pIndex), std::move(oBad), this);
    auto *filter = new GameFilterModel(this);
    m_pProxy = filter;
    m_pProxy->setSourceModel(model);
    m_pProxy->setSortCaseSensitivity(Qt::CaseInsensitive);

    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(tr("Filter"));
    txtFilter->setClearButtonEnabled(true);
    txtFilter->installEventFilter(this);
    tblGames = new QTableView(this);
    tblGames->setObjectName(QStringLiteral("tblGames"));
    tblGames->setModel(m_pProxy);
    tblGames->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblGames->setSelectionMode(QAbstractItemView::SingleSelection);
    tblGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The indicator first: turning sorting on then sorts once, by it.
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

    // The narrowed list keeps a row chosen, so Enter always has a game to open.
    auto SelectFirst = [this] {
        if (!tblGames->currentIndex().isValid() && m_pProxy->rowCount() > 0)
            tblGames->setCurrentIndex(m_pProxy->index(0, 0));
    };
    connect(txtFilter, &QLineEdit::textChanged, this, [filter, SelectFirst](const QString &s) {
        filter->SetText(s);
        SelectFirst();
    });
    if (nCurrent >= 0 && nCurrent < model->rowCount()) {
        const QModelIndex oAt = m_pProxy->mapFromSource(model->index(nCurrent, 0));
        tblGames->setCurrentIndex(oAt);
        tblGames->scrollTo(oAt, QAbstractItemView::PositionAtCenter);
    }
    SelectFirst();
    txtFilter->setFocus();
}

int dlgGames::Chosen() const {
    const QModelIndex oAt = tblGames->currentIndex();
    return oAt.isValid() ? m_pProxy->mapToSource(oAt).row() : -1;
}

bool dlgGames::eventFilter(QObject *watched, QEvent *event) {
    // From the filter box, the keys that move through a list move through the games.
    if (watched == txtFilter && event->type() == QEvent::KeyPress) {
        const int nKey = static_cast<QKeyEvent *>(event)->key();
        if (nKey == Qt::Key_Up || nKey == Qt::Key_Down || nKey == Qt::Key_PageUp ||
            nKey == Qt::Key_PageDown) {
            QKeyEvent oCopy(QEvent::KeyPress, nKey, static_cast<QKeyEvent *>(event)->modifiers());
            QCoreApplication::sendEvent(tblGames, &oCopy);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
