#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QHash>
#include <QThreadPool>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace Pgn {
class Index;
}
class QLineEdit;
class QTableView;
class QTimer;

// The games of a collection as rows: No., White, Black, Result, Date, Event, Round, Moves. A
// game that failed to read is shown in red, with the reason as its tool tip.
//
// Sorted by any column and narrowed to the games with a text in any column, in any case. A
// million games sort or narrow in a fraction of a second; still, the work runs on a thread of
// its own, so the list never blocks a keystroke, and each new request drops the one before.
class GameListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, White, Black, Result, Date, Event, Round, Moves, ColumnCount };
    GameListModel(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
                  QObject *parent = nullptr);
    ~GameListModel() override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Narrows the list to the games with sText in a cell (all games when empty).
    void SetFilter(const QString &sText);
    // Finishes the sort and filter asked for last, here and now.
    void Settle();
    // Whether a sort or filter is still being worked out.
    bool Busy() const { return m_nAsked != m_nShown; }
    // The game a row shows, and the row showing a game (-1 when narrowed away).
    int GameAt(int nRow) const;
    int RowOf(int nGame) const;

signals:
    // The rows were replaced by a finished sort or filter.
    void Arranged();

private:
    struct Request {
        int nColumn = No;
        Qt::SortOrder eOrder = Qt::AscendingOrder;
        QString sFilter;
    };
    struct Arrangement {
        std::shared_ptr<const std::vector<std::uint32_t>> pOrder; // every game, sorted
        std::shared_ptr<const std::vector<bool>> pMatch;          // none: all games
        std::vector<std::uint32_t> oRows;
    };
    void Ask();
    // The arrangement for a request, on any thread, reusing the sort or the filter of the one
    // made for oMadeFor where they are the same; empty when a later request came meanwhile.
    std::optional<Arrangement> Work(const Request &oRequest, const Request &oMadeFor,
                                    Arrangement oMade, unsigned nAsk) const;
    void Show(Arrangement oArrangement, const Request &oRequest, unsigned nAsk);

    std::shared_ptr<const Pgn::Index> m_pIndex;
    QHash<int, QString> m_oBad;
    Request m_oAsked, m_oMade;
    Arrangement m_oShown;
    std::atomic<unsigned> m_nAsked{0};
    unsigned m_nShown = 0;
    QThreadPool m_oWorker; // one thread
};

// Choose a Game: the collection's list, sortable by any column, narrowed by the filter box once
// the player pauses in typing. Enter or a double-click opens the chosen game; Escape keeps the
// current one.
class dlgGames : public QDialog {
    Q_OBJECT
public:
    // sFile: the file's name for the title, empty for a pasted text. nCurrent: the row to
    // select first (the game on the board), or -1.
    dlgGames(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
             const QString &sFile, int nCurrent, QWidget *parent = nullptr);
    // The chosen game's number in the collection (from 0), or -1.
    int Chosen() const;
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The text typed so far narrows the list now: before a key that moves through it.
    void Settle();
    void SelectGame(int nGame);

    QLineEdit *txtFilter = nullptr;
    QTableView *tblGames = nullptr;
    GameListModel *m_pModel = nullptr;
    QTimer *m_pPause = nullptr;
    int m_nCurrent = -1; // the game chosen, kept while the rows change
};
