#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QHash>
#include <memory>

namespace Pgn {
class Index;
}
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

// The games of a collection as rows: No., White, Black, Result, Date, Event, Round, Moves. A
// game that failed to read is shown in red, with the reason as its tool tip.
class GameListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, White, Black, Result, Date, Event, Round, Moves, ColumnCount };
    GameListModel(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
                  QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const Pgn::Index> m_pIndex;
    QHash<int, QString> m_oBad;
};

// Choose a Game: the collection's list, sortable by any column, narrowed by the filter box as
// the player types. Enter or a double-click opens the chosen game; Escape keeps the current one.
class dlgGames : public QDialog {
    Q_OBJECT
public:
    // sFile: the file's name for the title, empty for a pasted text. nCurrent: the row to
    // select first (the game on the board), or -1.
    dlgGames(std::shared_ptr<const Pgn::Index> pIndex, QHash<int, QString> oBad,
             const QString &sFile, int nCurrent, QWidget *parent = nullptr);
    // The chosen game's number in the collection (from 0), or -1.
    int Chosen() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *txtFilter = nullptr;
    QTableView *tblGames = nullptr;
    QSortFilterProxyModel *m_pProxy = nullptr;
};
