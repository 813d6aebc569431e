// The notation pane. The text is made again only when the tree changes; stepping through the
// game changes the marks of two moves, so that a long game steps without a pause.
#include "NotationPane.h"

#include "NotationModel.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>
#include <tavlon/Board.h>

NotationPane::NotationPane(Board *pBoard, std::function<QString(const QString &)> sanText,
                           QWidget *parent)
    : QWidget(parent), board(pBoard), oSanText(std::move(sanText)), text(new QTextBrowser(this)),
      comment(new QPlainTextEdit(this)) {
    text->setObjectName(QStringLiteral("txtNotation"));
    text->setOpenLinks(false);
    text->setContextMenuPolicy(Qt::CustomContextMenu);
    text->setFocusPolicy(Qt::ClickFocus);
    comment->setObjectName(QStringLiteral("txtComment"));
    comment->setPlaceholderText(tr("Comment on the move shown"));
    comment->setTabChangesFocus(true);
    comment->setAccessibleName(tr("Comment"));
    // About three lines: a note, not a document.
    comment->setFixedHeight(comment->fontMetrics().lineSpacing() * 3 + 2 * comment->frameWidth() +
                            8);
    comment->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(text, 1);
    layout->addWidget(comment);
    connect(text, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        CommitComment();
        board->ShowNode(url.fragment().toInt());
    });
    connect(text, &QWidget::customContextMenuRequested, this, [this](const QPoint &oAt) {
        const QString sAnchor = text->anchorAt(oAt);
        if (!sAnchor.isEmpty()) {
            CommitComment();
            board->ShowNode(QUrl(sAnchor).fragment().toInt());
        }
        if (oContextActions.isEmpty())
            return;
        // Not exec(): a menu's own event loop inside a click's handler is the nested loop that
        // a window closed meanwhile would not survive.
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addActions(oContextActions);
        menu->popup(text->viewport()->mapToGlobal(oAt));
    });
}

void NotationPane::SetContextActions(const QList<QAction *> &oActions) {
    oContextActions = oActions;
}

QString NotationPane::NagText(int nNag) {
    // The symbols of the PGN standard's NAGs as books and Informator print them; the White and
    // Black forms of a symbol are the same.
    static const QHash<int, QString> Symbols = {
        {1, QStringLiteral("!")},        {2, QStringLiteral("?")},
        {3, QStringLiteral("!!")},       {4, QStringLiteral("??")},
        {5, QStringLiteral("!?")},       {6, QStringLiteral("?!")},
        {7, QStringLiteral("\u25A1")},   {8, QStringLiteral("\u25A1")},
        {10, QStringLiteral("=")},       {11, QStringLiteral("=")},
        {12, QStringLiteral("=")},       {13, QStringLiteral("\u221E")},
        {14, QStringLiteral("\u2A72")},  {15, QStringLiteral("\u2A71")},
        {16, QStringLiteral("\u00B1")},  {17, QStringLiteral("\u2213")},
        {18, QStringLiteral("+\u2212")}, {19, QStringLiteral("\u2212+")},
        {20, QStringLiteral("+\u2212")}, {21, QStringLiteral("\u2212+")},
        {22, QStringLiteral("\u2A00")},  {23, QStringLiteral("\u2A00")},
        {32, QStringLiteral("\u27F3")},  {33, QStringLiteral("\u27F3")},
        {36, QStringLiteral("\u2191")},  {37, QStringLiteral("\u2191")},
        {40, QStringLiteral("\u2192")},  {41, QStringLiteral("\u2192")},
        {132, QStringLiteral("\u21C6")}, {133, QStringLiteral("\u21C6")},
        {138, QStringLiteral("\u2295")}, {139, QStringLiteral("\u2295")},
        {140, QStringLiteral("\u2206")}, {146, QStringLiteral("N")},
    };
    return Symbols.value(nNag, QLatin1Char('$') + QString::number(nNag));
}

bool NotationPane::IsAnnotated(const Board *board) {
    QList<int> oTodo{board->RootNode()};
    while (!oTodo.isEmpty()) {
        const int n = oTodo.takeLast();
        const QList<int> oChildren = board->ChildNodes(n);
        if (oChildren.size() > 1 || !board->NodeComment(n).isEmpty() ||
            !board->NodeComment(n, true).isEmpty() || !board->NodeNags(n).isEmpty())
            return true;
        oTodo << oChildren;
    }
    return false;
}

QString NotationPane::Summary(const Board *board) {
    int nVariations = 0;
    int nComments = 0;
    int nNags = 0;
    int nShapes = 0;
    QList<int> oTodo{board->RootNode()};
    while (!oTodo.isEmpty()) {
        const int n = oTodo.takeLast();
        const QList<int> oChildren = board->ChildNodes(n);
        nVariations += std::max<int>(0, static_cast<int>(oChildren.size()) - 1);
        nComments += (board->NodeComment(n).isEmpty() ? 0 : 1) +
                     (board->NodeComment(n, true).isEmpty() ? 0 : 1);
        nNags += static_cast<int>(board->NodeNags(n).size());
        nShapes += static_cast<int>(board->NodeShapes(n).size());
        oTodo << oChildren;
    }
    // One and many said apart: the program ships no English plural forms.
    QStringList o;
    if (nVariations > 0)
        o << (nVariations == 1 ? tr("1 variation") : tr("%1 variations").arg(nVariations));
    if (nComments > 0)
        o << (nComments == 1 ? tr("1 comment") : tr("%1 comments").arg(nComments));
    if (nNags > 0)
        o << (nNags == 1 ? tr("1 move mark") : tr("%1 move marks").arg(nNags));
    if (nShapes > 0)
        o << (nShapes == 1 ? tr("1 arrow or circle") : tr("%1 arrows or circles").arg(nShapes));
    return o.join(QStringLiteral(", "));
}

void NotationPane::Rebuild() {
    CommitComment();
    const int nScroll = text->verticalScrollBar()->value();
    QTextDocument *document = text->document();
    document->setUndoRedoEnabled(false); // read only: an undo stack would only hold every text
    document->clear();
    oRanges.clear();
    nMarked = -1;
    QTextCursor c(document);
    c.beginEditBlock();
    const int nRoot = board->RootNode();
    nRootPly = NotationModel::PlyOfFen(board->NodeFen(nRoot));
    const QString sFirst = board->NodeComment(nRoot);
    if (!sFirst.isEmpty()) {
        WriteComment(c, sFirst);
        c.insertBlock();
    }
    if (const int nFirst = board->MainChildNode(nRoot); nFirst != -1)
        WriteLine(c, nFirst, 0, true);
    WriteResult(c);
    c.endEditBlock();
    text->verticalScrollBar()->setValue(nScroll);
    nCommentNode = -1;
    MarkShown();
}

bool NotationPane::AppendLive() {
    CommitComment(); // may itself change the tree, and so the text
    const int nLive = board->LiveNode();
    const int nParent = board->ParentNode(nLive);
    const auto it = oRanges.constFind(nParent);
    QTextDocument *document = text->document();
    // Only a move whose parent ends the text (nothing after it: no comment, variation or
    // result) and which has no alternative and no note of its own: WriteLine would write it
    // there and nothing more. The text's layout is then kept, not made again for every move.
    if (oRanges.contains(nLive) || it == oRanges.constEnd() ||
        it->second != document->characterCount() - 1 || board->ChildNodes(nParent).size() != 1 ||
        !board->NodeComment(nLive, true).isEmpty() || !board->NodeComment(nLive).isEmpty())
        return false;
    QTextCursor c(document);
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    WriteMove(c, nLive, false);
    WriteResult(c);
    c.endEditBlock();
    MarkShown();
    return true;
}

void NotationPane::WriteResult(QTextCursor &c) {
    if (board->Result() == QLatin1String("*"))
        return;
    QTextCharFormat oBold;
    oBold.setFontWeight(QFont::Bold);
    c.insertText(c.positionInBlock() > 0 ? QStringLiteral(" ") : QString());
    c.insertText(board->Result(), oBold);
}

void NotationPane::WriteLine(QTextCursor &c, int nNode, int nDepth, bool bNumber) {
    QTextBlockFormat oIndented;
    oIndented.setIndent(1);
    QTextBlockFormat oMain;
    for (int n = nNode; n != -1; n = board->MainChildNode(n)) {
        if (const QString s = board->NodeComment(n, true); !s.isEmpty()) {
            WriteComment(c, s);
            bNumber = true;
        }
        WriteMove(c, n, bNumber);
        bNumber = false;
        if (const QString s = board->NodeComment(n); !s.isEmpty()) {
            WriteComment(c, s);
            bNumber = true;
        }
        // The alternatives to this move follow it, as PGN writes them: in a paragraph of their
        // own below the main line, in parentheses inside a variation.
        const QList<int> oSiblings = board->ChildNodes(board->ParentNode(n));
        if (oSiblings.size() < 2 || oSiblings[0] != n)
            continue;
        for (int i = 1; i < oSiblings.size(); ++i) {
            if (nDepth == 0) {
                c.insertBlock(oIndented);
            } else {
                c.insertText(QStringLiteral(" ("));
            }
            WriteLine(c, oSiblings[i], nDepth + 1, true);
            if (nDepth > 0)
                c.insertText(QStringLiteral(")"));
        }
        if (nDepth == 0)
            c.insertBlock(oMain);
        bNumber = true;
    }
}

void NotationPane::WriteMove(QTextCursor &c, int nNode, bool bNumber) {
    // The character before, not the block's text, which would copy a long line at every move.
    const QChar cBefore =
        c.positionInBlock() > 0 ? text->document()->characterAt(c.position() - 1) : QChar(u'(');
    const bool bSpace = cBefore != QLatin1Char('(') && cBefore != QLatin1Char(' ');
    QTextCharFormat oPlain;
    if (bSpace)
        c.insertText(QStringLiteral(" "), oPlain);
    const QString sSan = board->NodeSan(nNode);
    if (sSan.isEmpty()) {
        // A variation kept as it was written, its moves not playable here.
        QTextCharFormat oKept;
        oKept.setForeground(palette().color(QPalette::PlaceholderText));
        c.insertText(board->NodeText(nNode).simplified(), oKept);
        return;
    }
    const qint64 nPly = nRootPly + board->NodePly(nNode) - 1;
    if (nPly % 2 == 0 || bNumber)
        c.insertText(NotationModel::MoveNumber(nPly), oPlain);
    // The move quality glyphs follow the move; the other NAGs stand apart.
    QString sMove = oSanText(sSan);
    QString sAfter;
    for (const int nNag : board->NodeNags(nNode))
        (nNag >= 1 && nNag <= 6 ? sMove : sAfter) +=
            (nNag >= 1 && nNag <= 6 ? QString() : QStringLiteral(" ")) + NagText(nNag);
    QTextCharFormat oMove;
    oMove.setAnchor(true);
    oMove.setAnchorHref(QStringLiteral("#") + QString::number(nNode));
    oMove.setForeground(palette().color(QPalette::Text));
    if (board->IsMainLineNode(nNode))
        oMove.setFontWeight(QFont::DemiBold);
    const int nStart = c.position();
    c.insertText(sMove, oMove);
    oRanges.insert(nNode, {nStart, c.position()});
    if (!sAfter.isEmpty())
        c.insertText(sAfter, oPlain);
}

void NotationPane::WriteComment(QTextCursor &c, const QString &s) {
    QTextCharFormat oComment;
    oComment.setForeground(QColor(0x1F, 0x6F, 0x3F));
    if (c.positionInBlock() > 0 &&
        text->document()->characterAt(c.position() - 1) != QLatin1Char('('))
        c.insertText(QStringLiteral(" "), QTextCharFormat());
    c.insertText(s.simplified(), oComment);
}

void NotationPane::SetMark(int nNode, bool bOn) {
    const auto it = oRanges.constFind(nNode);
    if (it == oRanges.constEnd())
        return;
    QTextCursor c(text->document());
    c.setPosition(it->first);
    c.setPosition(it->second, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setBackground(bOn ? palette().brush(QPalette::Highlight) : QBrush(Qt::NoBrush));
    f.setForeground(palette().brush(bOn ? QPalette::HighlightedText : QPalette::Text));
    c.mergeCharFormat(f);
}

void NotationPane::MarkShown() {
    const int nShown = board->ShownNode();
    if (nShown != nMarked) {
        SetMark(nMarked, false);
        SetMark(nShown, true);
        nMarked = nShown;
        if (const auto it = oRanges.constFind(nShown); it != oRanges.constEnd()) {
            QTextCursor c(text->document());
            c.setPosition(it->first);
            text->setTextCursor(c);
            text->ensureCursorVisible();
        }
    }
    if (nShown != nCommentNode) {
        CommitComment();
        nCommentNode = nShown;
        comment->setPlainText(board->NodeComment(nShown));
    }
}

void NotationPane::CommitComment() {
    if (nCommentNode < 0)
        return;
    const QString s = comment->toPlainText().trimmed();
    if (s == board->NodeComment(nCommentNode))
        return;
    // Cleared meanwhile: the change rebuilds the text, which must not commit it again.
    const int nNode = std::exchange(nCommentNode, -1);
    if (!board->SetNodeComment(nNode, s)) {
        nCommentNode = nNode;
        emit Said(s.contains(QLatin1Char('}'))
                      ? tr("A comment cannot hold \"}\": in the file it would end the comment")
                      : tr("The comment cannot be kept on this move"));
        return;
    }
    if (nCommentNode == -1)
        nCommentNode = nNode;
}

bool NotationPane::eventFilter(QObject *watched, QEvent *event) {
    if (watched == comment) {
        if (event->type() == QEvent::FocusOut)
            CommitComment();
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                key->modifiers().testFlag(Qt::ControlModifier)) {
                CommitComment();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString NotationPane::Text() const {
    return text->toPlainText();
}

QRect NotationPane::MoveRect(int nNode) const {
    const auto it = oRanges.constFind(nNode);
    if (it == oRanges.constEnd())
        return {};
    QTextCursor c(text->document());
    c.setPosition(it->first);
    const QRect oStart = text->cursorRect(c);
    c.setPosition(it->second);
    return oStart.united(text->cursorRect(c));
}
