// The notation pane: the whole game as players read it, its variations, comments and NAGs, with
// the move shown marked and a box for the comment on it.
#pragma once

#include <QHash>
#include <QWidget>
#include <functional>

class Board;
class QPlainTextEdit;
class QTextBrowser;
class QTextCursor;
class QTextCharFormat;

class NotationPane : public QWidget {
    Q_OBJECT
public:
    // sanText turns a move's SAN into the letters the window shows.
    NotationPane(Board *board, std::function<QString(const QString &)> sanText,
                 QWidget *parent = nullptr);

    // The text again from the game tree; the move shown is marked.
    void Rebuild();
    // The move just played at the end of the main line, added to the text as Rebuild would
    // write it, and marked; false, changing nothing, where Rebuild must write more than that.
    bool AppendLive();
    // Marks the node shown, scrolled into view, and puts its comment in the box.
    void MarkShown();
    // Actions offered on a right click over the notation.
    void SetContextActions(const QList<QAction *> &oActions);

    // Whether the game holds anything the two lists cannot show: a comment, a NAG or a
    // variation.
    static bool IsAnnotated(const Board *board);
    // What the game holds besides its moves, as "2 variations, 3 comments, 1 move mark, 2
    // arrows or circles"; empty for a plain game.
    static QString Summary(const Board *board);
    // A NAG as players write it: "!", "±", "N"; "$n" for those without a symbol.
    static QString NagText(int nNag);
    // The notation as shown, for tests: moves, NAGs, comments and parentheses.
    QString Text() const;
    // The text's position of a node's move, -1 for none (tests click there).
    QRect MoveRect(int nNode) const;
    QTextBrowser *Notation() const { return text; }

signals:
    // A refusal or a note for the status line.
    void Said(const QString &sText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void WriteLine(QTextCursor &c, int nNode, int nDepth, bool bNumber);
    void WriteMove(QTextCursor &c, int nNode, bool bNumber);
    void WriteComment(QTextCursor &c, const QString &s);
    void WriteResult(QTextCursor &c);
    void CommitComment();
    void SetMark(int nNode, bool bOn);

    Board *board;
    std::function<QString(const QString &)> oSanText;
    QTextBrowser *text;
    QPlainTextEdit *comment;
    QList<QAction *> oContextActions;
    QHash<int, std::pair<int, int>> oRanges; // node -> [start, end) of its move in the text
    qint64 nRootPly = 0;                     // the start position's ply from the game's first
    int nMarked = -1;
    int nCommentNode = -1; // the node the box's text belongs to
};
