// The game's notation beside the board: White's and Black's move lists under their headings,
// or in their place the notation pane, one view over the game's tree and its main line.
#pragma once

#include "NotationModel.h"

#include <QWidget>
#include <functional>

class Board;
class NotationPane;
class QLabel;
class QListWidget;
class QListWidgetItem;

class NotationView : public QWidget {
    Q_OBJECT
public:
    // sanText turns a move's SAN into the letters the window shows. Hidden until placed.
    NotationView(Board *board, std::function<QString(const QString &)> sanText,
                 QWidget *parent = nullptr);

    // View > Moves: "auto" (the pane for a game that holds what the lists cannot show),
    // "lists" or "pane"; anything else reads as "auto".
    void SetMode(const QString &sMode);
    QString Mode() const { return sMode; }
    // Comment on Move asks for the pane, whatever the mode: the box is in it.
    void WantPane();
    // A game that holds nothing forgets that the pane was asked for.
    void ForgetPane() { bPaneWanted = bPaneKept = false; }
    // The pane is laid out and shows.
    bool PaneShown() const;
    NotationPane *Pane() const { return pane; }
    const NotationModel &Model() const { return oModel; }

    // Standard notation or coordinates in the lists, from the next entry or Fill on.
    void SetStandard(bool bSan);
    // Another game is on the board: its entries, its start, and its own choice of the pane.
    void GameReplaced();
    // The lists again from the game's main line.
    void Fill();
    // The move the board is playing, added to its list (raised before the turn passes).
    void Append(const QString &sSquares);
    // The last move taken back.
    void RemoveLast();
    // The game or its tree changed: the pane or the lists as the mode says, the pane's text
    // again (bRebuild) or as it was.
    void Update(bool bRebuild);
    // Selects the list entry of the position shown, and returns it (none at the live game).
    QListWidgetItem *SelectShownEntry();
    // The lists show the newest move, unless an earlier position is shown.
    void ScrollToEnd();

    // Sizes: the narrowest a list may be, and the height of the lists with nRows entries each.
    int ListWidth() const { return nListWidth; }
    int HeightForRows(int nRows) const;
    // Takes oArea in its parent, shown or not; the lists keep the newest or the shown move in
    // view.
    void Place(const QRect &oArea, bool bShown);

signals:
    // The lists' arrow keys: the move before (-1) or after (1) the one shown.
    void Step(int nStep);
    // The pane came up for a game's notes in the automatic mode: shown, even in a window that
    // shows no moves.
    void NotesWanted();
    // A refusal or a note for the status line.
    void Said(const QString &sText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool PaneChosen() const;
    // Lists or pane, as laid out; the pane made again as it shows, as it is not kept up hidden.
    void ShowChosen();
    bool Reviewing() const;

    Board *board;
    NotationModel oModel;
    NotationPane *pane = nullptr;
    QListWidget *lstWhiteMoves = nullptr;
    QListWidget *lstBlackMoves = nullptr;
    QLabel *lblWhiteMoves = nullptr;
    QLabel *lblBlackMoves = nullptr;
    int nListWidth = 0;
    int nListScroll[2] = {0, 0}; // how far White's and Black's lists would scroll by themselves
    bool bAligning = false;
    QString sMode = QStringLiteral("auto"); // or "lists" or "pane"
    bool bPaneWanted = false;               // Comment on Move showed the pane for this game
    bool bPaneKept = false;    // shown for this game's notes, it stays while they are edited
    bool bPaneLaidOut = false; // the pane, not the lists, has their place
    bool bMoveAdded = false;   // a move was played since the last Update
};
