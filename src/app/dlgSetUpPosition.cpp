#include "dlgSetUpPosition.h"

#include "PositionCheck.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDrag>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>
#include <bit>
#include <limits>
#include <tavlon/Board.h>

using PositionCheck::Problem;

namespace {

const QString sGeometryKey = QStringLiteral("setUpPosition/geometry");
const char *const StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr char FenLetters[] = "kqrnbpKQRNBP"; // by class code

// A palette piece: a click chooses it as the tool, a drag carries it to the board.
class PaletteButton : public QToolButton {
public:
    PaletteButton(char cLetter, QWidget *parent) : QToolButton(parent), cPiece(cLetter) {}

protected:
    void mousePressEvent(QMouseEvent *event) override {
        oPressed = event->position().toPoint();
        QToolButton::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent *event) override {
        if (cPiece == 0 || !(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - oPressed).manhattanLength() <
                QApplication::startDragDistance()) {
            QToolButton::mouseMoveEvent(event);
            return;
        }
        setDown(false); // a drag is no click
        auto *drag = new QDrag(this);
        auto *oData = new QMimeData;
        oData->setData(QLatin1String(Board::PieceMimeType), QByteArray(1, cPiece));
        drag->setMimeData(oData);
        drag->setPixmap(icon().pixmap(iconSize() * 3 / 2, devicePixelRatioF()));
        drag->exec(Qt::CopyAction);
    }

private:
    char cPiece; // FEN letter; 0 for the delete tool
    QPoint oPressed;
};

// What the player wrote, cut short for a message.
QString Quoted(const std::string &s) {
    const QString t = QString::fromStdString(s);
    return t.size() > 24 ? t.left(23) + QChar(0x2026) : t;
}

} // namespace

struct dlgSetUpPosition::State {
    PositionCheck::Setup o;
    bool bFenUnread = false; // the field holds text that is no FEN
    bool b960 = false;       // rights by rook file, as Chess960 has them
    bool bWhitesView = true;
};

dlgSetUpPosition::dlgSetUpPosition(const QString &sFen, const QString &sPieceFolder,
                                   bool bWhitesView, QWidget *parent)
    : QDialog(parent), p(std::make_unique<State>()) {
    setWindowTitle(tr("Set Up Position"));
    setObjectName(QStringLiteral("dlgSetUpPosition"));
    brdSetUp = new Board(this);
    brdSetUp->setObjectName(QStringLiteral("brdSetUp"));
    brdSetUp->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    brdSetUp->SetPieceSet(sPieceFolder);
    brdSetUp->SetShowCoordinates(true);
    brdSetUp->BoardView(bWhitesView);
    p->bWhitesView = bWhitesView;
    brdSetUp->SetEditing(true);
    connect(brdSetUp, &Board::PositionEdited, this, &dlgSetUpPosition::BoardEdited);

    // The palette: White's pieces, Black's below, and the delete tool.
    auto *palette = new QGridLayout;
    palette->setSpacing(2);
    const QString sPieces =
        sPieceFolder.isEmpty() ? QStringLiteral(":/tavlon/pieces") : sPieceFolder;
    static const char *const Names[] = {
        QT_TR_NOOP("Black king"),   QT_TR_NOOP("Black queen"),  QT_TR_NOOP("Black rook"),
        QT_TR_NOOP("Black knight"), QT_TR_NOOP("Black bishop"), QT_TR_NOOP("Black pawn"),
        QT_TR_NOOP("White king"),   QT_TR_NOOP("White queen"),  QT_TR_NOOP("White rook"),
        QT_TR_NOOP("White knight"), QT_TR_NOOP("White bishop"), QT_TR_NOOP("White pawn")};
    for (int c = 0; c <= 12; ++c) {
        const bool bDelete = c == 12;
        auto *button = new PaletteButton(bDelete ? 0 : FenLetters[c], this);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIconSize(QSize(32, 32));
        if (bDelete) {
            button->setText(tr("&Delete"));
            button->setToolTip(tr("A click empties a square"));
        } else {
            const QString sName = QString(QChar(c >= 6 ? u'w' : u'b')) + QChar(u"KQRNBP"[c % 6]) +
                                  QStringLiteral(".svg");
            button->setIcon(QIcon(QDir(sPieces).filePath(sName)));
            button->setToolTip(
                tr("%1: click to choose, then click squares; or drag it").arg(tr(Names[c])));
            button->setAccessibleName(tr(Names[c]));
        }
        button->setObjectName(bDelete ? QStringLiteral("tbnDelete")
                                      : QStringLiteral("tbnPiece_") + QChar(FenLetters[c]));
        oTools[static_cast<std::size_t>(c)] = button;
        // White's row first, in the order the keyboard's letters go: K Q R B N P.
        static constexpr int Column[6] = {0, 1, 2, 4, 3, 5};
        if (bDelete)
            palette->addWidget(button, 0, 6, 2, 1);
        else
            palette->addWidget(button, c >= 6 ? 0 : 1, Column[c % 6]);
        connect(button, &QToolButton::clicked, this, [this, button] { UseTool(button); });
    }

    auto *side = new QGroupBox(tr("Side to move"), this);
    auto *sideLayout = new QHBoxLayout(side);
    optWhite = new QRadioButton(tr("&White"), side);
    optBlack = new QRadioButton(tr("&Black"), side);
    optWhite->setObjectName(QStringLiteral("optWhite"));
    optBlack->setObjectName(QStringLiteral("optBlack"));
    sideLayout->addWidget(optWhite);
    sideLayout->addWidget(optBlack);
    connect(optWhite, &QRadioButton::toggled, this, [this](bool bOn) {
        p->o.bWhiteToMove = bOn;
        p->o.nEnPassantColumn = 0; // the other side's step, if any
        Show(true);
    });

    auto *castling = new QGroupBox(tr("Castling"), this);
    auto *castlingLayout = new QGridLayout(castling);
    chk960 = new QCheckBox(tr("Chess&960"), castling);
    chk960->setObjectName(QStringLiteral("chk960"));
    chk960->setToolTip(tr("Castling rights by the rook's file, as in Chess960: the king anywhere "
                          "on its first rank, with a rook on either side"));
    castlingLayout->addWidget(chk960, 0, 0, 1, 4);
    connect(chk960, &QCheckBox::toggled, this, [this](bool bOn) {
        p->b960 = bOn;
        // Standard chess knows only the rooks of the a and h files.
        if (bOn)
            FitRookFiles();
        else
            p->o.nCastlingFile = {};
        p->o.nCastling =
            static_cast<std::int8_t>(p->o.nCastling & PositionCheck::SupportedCastling(p->o, bOn));
        Show(true);
    });
    const QString sCastling[] = {tr("White &kingside"), tr("White &queenside"),
                                 tr("Black ki&ngside"), tr("Black q&ueenside")};
    static const char *const RookNames[] = {QT_TR_NOOP("White's kingside castling rook"),
                                            QT_TR_NOOP("White's queenside castling rook"),
                                            QT_TR_NOOP("Black's kingside castling rook"),
                                            QT_TR_NOOP("Black's queenside castling rook")};
    for (int r = 0; r < 4; ++r) {
        QCheckBox *box = chkCastling[static_cast<std::size_t>(r)] = new QCheckBox(sCastling[r]);
        box->setObjectName(QStringLiteral("chkCastling") + QChar("KQkq"[r]));
        castlingLayout->addWidget(box, 1 + r / 2, r % 2 * 2);
        connect(box, &QCheckBox::toggled, this, [this, r](bool bOn) {
            p->o.nCastling = static_cast<std::int8_t>(bOn ? p->o.nCastling | 1 << r
                                                          : p->o.nCastling & ~(1 << r));
            Show(true);
        });
        // Chess960's choice of rook where several stand on the right's side of the king.
        QComboBox *combo = cboRookFile[static_cast<std::size_t>(r)] = new QComboBox(castling);
        combo->setObjectName(QStringLiteral("cboRookFile") + QChar("KQkq"[r]));
        combo->setAccessibleName(tr(RookNames[r]));
        combo->setToolTip(tr("The rook this castling right belongs to"));
        combo->setVisible(false);
        castlingLayout->addWidget(combo, 1 + r / 2, r % 2 * 2 + 1);
        connect(combo, &QComboBox::activated, this, [this, r, combo](int nIndex) {
            p->o.nCastlingFile[static_cast<std::size_t>(r)] =
                static_cast<std::int8_t>(combo->itemData(nIndex).toInt());
            Show(true);
        });
    }

    auto *numbers = new QGridLayout;
    cboEnPassant = new QComboBox(this);
    cboEnPassant->setObjectName(QStringLiteral("cboEnPassant"));
    connect(cboEnPassant, &QComboBox::activated, this, [this](int nIndex) {
        p->o.nEnPassantColumn = static_cast<std::int8_t>(cboEnPassant->itemData(nIndex).toInt());
        if (p->o.nEnPassantColumn)
            p->o.nHalfmove = 0; // a pawn has just moved
        Show(true);
    });
    spnHalfmove = new QSpinBox(this);
    spnHalfmove->setObjectName(QStringLiteral("spnHalfmove"));
    spnHalfmove->setRange(0, std::numeric_limits<int>::max());
    spnFullmove = new QSpinBox(this);
    spnFullmove->setObjectName(QStringLiteral("spnFullmove"));
    spnFullmove->setRange(1, std::numeric_limits<int>::max());
    for (QSpinBox *spin : {spnHalfmove, spnFullmove})
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            p->o.nHalfmove = spnHalfmove->value();
            p->o.nFullmove = spnFullmove->value();
            Show(true);
        });
    const std::pair<QString, QWidget *> oNumbers[] = {{tr("En p&assant:"), cboEnPassant},
                                                      {tr("&Halfmove clock:"), spnHalfmove},
                                                      {tr("Full&move number:"), spnFullmove}};
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(oNumbers[i].first, this);
        label->setBuddy(oNumbers[i].second);
        numbers->addWidget(label, i, 0);
        numbers->addWidget(oNumbers[i].second, i, 1);
    }

    auto *cmdStartingPosition = new QPushButton(tr("Starting &Position"), this);
    auto *cmdClear = new QPushButton(tr("&Clear Board"), this);
    auto *cmdFlip = new QPushButton(tr("&Flip Board"), this);
    cmdStartingPosition->setObjectName(QStringLiteral("cmdStartingPosition"));
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdFlip->setObjectName(QStringLiteral("cmdFlip"));
    for (QPushButton *button : {cmdStartingPosition, cmdClear, cmdFlip})
        button->setAutoDefault(false); // Return starts the game
    connect(cmdStartingPosition, &QPushButton::clicked, this, [this] { ReadFen(StartFen, true); });
    connect(cmdClear, &QPushButton::clicked, this, [this] {
        p->o.nClass.fill(modConsts::NoPiece);
        p->o.nCastling = 0;
        p->o.nEnPassantColumn = 0;
        brdSetUp->SetPlacement(QStringLiteral("8/8/8/8/8/8/8/8"));
        Show(true);
    });
    connect(cmdFlip, &QPushButton::clicked, this, [this] {
        p->bWhitesView = !p->bWhitesView;
        brdSetUp->BoardView(p->bWhitesView);
    });

    auto *lblFen = new QLabel(tr("F&EN:"), this);
    txtFen = new QLineEdit(this);
    txtFen->setObjectName(QStringLiteral("txtFen"));
    txtFen->setMinimumWidth(txtFen->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 56);
    lblFen->setBuddy(txtFen);
    connect(txtFen, &QLineEdit::textEdited, this, [this](const QString &s) { ReadFen(s, false); });
    auto *cmdCopy = new QPushButton(tr("C&opy FEN"), this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopyFen"));
    cmdCopy->setAutoDefault(false);
    connect(cmdCopy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(Fen()); });
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->setTextFormat(Qt::PlainText);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    cmdStart = buttons->addButton(tr("&Start Game"), QDialogButtonBox::AcceptRole);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgSetUpPosition::StartGame);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *controls = new QVBoxLayout;
    controls->addLayout(palette);
    controls->addWidget(side);
    controls->addWidget(castling);
    controls->addLayout(numbers);
    for (QPushButton *button : {cmdStartingPosition, cmdClear, cmdFlip})
        controls->addWidget(button);
    controls->addStretch();
    auto *fenRow = new QHBoxLayout;
    fenRow->addWidget(lblFen);
    fenRow->addWidget(txtFen, 1);
    fenRow->addWidget(cmdCopy);
    auto *layout = new QGridLayout(this);
    layout->addWidget(brdSetUp, 0, 0);
    layout->addLayout(controls, 0, 1);
    layout->addLayout(fenRow, 1, 0, 1, 2);
    layout->addWidget(lblProblem, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);

    restoreGeometry(QSettings().value(sGeometryKey).toByteArray());
    // The position given, as far as it reads; else the starting position.
    if (!PositionCheck::ReadFen(sFen.toStdString(), p->o).Read())
        PositionCheck::ReadFen(StartFen, p->o);
    brdSetUp->SetPlacement(QString::fromStdString(clsRules::FenOf(p->o)).section(u' ', 0, 0));
    Show(true);
    txtFen->setFocus();
    txtFen->selectAll();
}

dlgSetUpPosition::~dlgSetUpPosition() = default;

void dlgSetUpPosition::SetBeforeStart(std::function<bool()> oAsk) {
    oBeforeStart = std::move(oAsk);
}

QString dlgSetUpPosition::Fen() const {
    return QString::fromStdString(clsRules::FenOf(p->o));
}

bool dlgSetUpPosition::Is960() const {
    return p->b960;
}

void dlgSetUpPosition::SetChess960(bool bOn) {
    chk960->setChecked(bOn);
}

void dlgSetUpPosition::FitRookFiles() {
    for (std::size_t r = 0; r < 4; ++r) {
        const unsigned nFiles = PositionCheck::RookFiles(p->o, static_cast<int>(r));
        std::int8_t &nFile = p->o.nCastlingFile[r];
        if (nFiles == 0 || (nFile != 0 && ((nFiles >> (nFile - 1)) & 1)))
            continue;
        // The outermost, as KQkq name it: the highest file on the kingside, the lowest on the
        // queenside.
        nFile = static_cast<std::int8_t>(r % 2 == 0 ? std::bit_width(nFiles)
                                                    : std::countr_zero(nFiles) + 1);
    }
}

void dlgSetUpPosition::done(int nResult) {
    QSettings().setValue(sGeometryKey, saveGeometry());
    QDialog::done(nResult);
}

void dlgSetUpPosition::UseTool(QAbstractButton *button) {
    // One tool at most: a click on the chosen one puts it down again.
    for (QAbstractButton *other : oTools)
        if (other != button)
            other->setChecked(false);
    const auto n = std::find(oTools.begin(), oTools.end(), button) - oTools.begin();
    brdSetUp->SetEditTool(!button->isChecked() ? Board::NoTool
                          : n == 12            ? qint16(modConsts::NoPiece)
                                               : static_cast<qint16>(n));
}

void dlgSetUpPosition::BoardEdited() {
    PositionCheck::ReadPlacement(brdSetUp->Placement().toStdString(), p->o.nClass);
    p->o.nCastling =
        static_cast<std::int8_t>(p->o.nCastling & PositionCheck::SupportedCastling(p->o, p->b960));
    if (p->b960)
        FitRookFiles();
    if (p->o.nEnPassantColumn &&
        !((PositionCheck::EnPassantColumns(p->o) >> (p->o.nEnPassantColumn - 1)) & 1))
        p->o.nEnPassantColumn = 0;
    Show(true);
}

void dlgSetUpPosition::ReadFen(const QString &sText, bool bWriteFen) {
    bool bNeeds960 = false;
    const PositionCheck::FenFault e = PositionCheck::ReadFen(sText.toStdString(), p->o, &bNeeds960);
    p->bFenUnread = !e.Read();
    if (e.Read()) {
        // A FEN whose castling needs Chess960 ticks the box; one that does not leaves it.
        if (bNeeds960 && !p->b960) {
            const QSignalBlocker oBlock(chk960);
            chk960->setChecked(true);
            p->b960 = true;
        }
        if (p->b960)
            FitRookFiles();
        brdSetUp->SetPlacement(QString::fromStdString(clsRules::FenOf(p->o)).section(u' ', 0, 0));
        Show(bWriteFen);
        return;
    }
    using F = PositionCheck::FenField;
    const QString sField = Quoted(e.sText);
    QString sWhy;
    switch (e.eField) {
    case F::Count:
    case F::None:
        sWhy = tr("a FEN has six fields separated by spaces (the last two may be left out)");
        break;
    case F::Placement:
        sWhy = tr("the placement \"%1\" is not eight ranks of eight squares, written with "
                  "KQRBNP, kqrbnp, digits and /")
                   .arg(sField);
        break;
    case F::Side:
        sWhy = tr("the side to move \"%1\" is neither w nor b").arg(sField);
        break;
    case F::Castling:
        sWhy = tr("the castling field \"%1\" is neither - nor letters of KQkq, nor the files of "
                  "rooks beside their king (such as HAha)")
                   .arg(sField);
        break;
    case F::EnPassant:
        sWhy = tr("the en passant field \"%1\" is neither - nor a square of the sixth rank "
                  "(White to move) or the third (Black to move)")
                   .arg(sField);
        break;
    case F::Halfmove:
        sWhy = tr("the halfmove clock \"%1\" is not a number").arg(sField);
        break;
    case F::Fullmove:
        sWhy = tr("the fullmove number \"%1\" is not a number from 1").arg(sField);
        break;
    }
    lblProblem->setText(tr("This is not a FEN: %1.").arg(sWhy));
    cmdStart->setEnabled(false);
}

void dlgSetUpPosition::Show(bool bWriteFen) {
    const PositionCheck::Setup &o = p->o;
    {
        const QSignalBlocker oWhite(optWhite), oBlack(optBlack);
        (o.bWhiteToMove ? optWhite : optBlack)->setChecked(true);
    }
    // A box can be ticked only while its king and rook stand at home; one ticked without them
    // (a FEN typed so) can still be unticked.
    const int nSupported = PositionCheck::SupportedCastling(o, p->b960);
    for (int r = 0; r < 4; ++r) {
        QCheckBox *box = chkCastling[static_cast<std::size_t>(r)];
        const QSignalBlocker oBlock(box);
        box->setChecked((o.nCastling >> r) & 1);
        box->setEnabled(((nSupported | o.nCastling) >> r) & 1);
        // In Chess960 the rooks the right may belong to, the one it does chosen.
        QComboBox *combo = cboRookFile[static_cast<std::size_t>(r)];
        combo->setVisible(p->b960);
        if (!p->b960)
            continue;
        const QSignalBlocker oCombo(combo);
        combo->clear();
        const unsigned nFiles = PositionCheck::RookFiles(o, r);
        for (int x = 1; x <= 8; ++x)
            if ((nFiles >> (x - 1)) & 1)
                combo->addItem(QChar(u'a' + x - 1) + QString(QChar(r < 2 ? u'1' : u'8')), x);
        combo->setCurrentIndex(combo->findData(int{o.nCastlingFile[static_cast<std::size_t>(r)]}));
        combo->setEnabled(combo->count() > 1);
    }
    // The choices are made anew only when they change: most pieces placed leave them alone.
    const unsigned nColumns = PositionCheck::EnPassantColumns(o) |
                              (o.nEnPassantColumn ? 1u << (o.nEnPassantColumn - 1) : 0);
    QStringList oChoices{tr("none")};
    for (int x = 1; x <= 8; ++x)
        if ((nColumns >> (x - 1)) & 1)
            oChoices << QChar(u'a' + x - 1) + QString(o.bWhiteToMove ? u'6' : u'3');
    const QSignalBlocker oCombo(cboEnPassant);
    if (cboEnPassant->count() != oChoices.size() ||
        cboEnPassant->itemText(cboEnPassant->count() - 1) != oChoices.last()) {
        cboEnPassant->clear();
        for (qsizetype i = 0; i < oChoices.size(); ++i)
            cboEnPassant->addItem(oChoices[i], i == 0 ? 0 : oChoices[i][0].unicode() - u'a' + 1);
    }
    cboEnPassant->setCurrentIndex(cboEnPassant->findData(int{o.nEnPassantColumn}));
    cboEnPassant->setEnabled(cboEnPassant->count() > 1);
    for (const auto &[spin, nValue] :
         {std::pair{spnHalfmove, o.nHalfmove}, {spnFullmove, o.nFullmove}}) {
        const QSignalBlocker oBlock(spin);
        spin->setValue(nValue);
    }
    if (bWriteFen) {
        p->bFenUnread = false;
        txtFen->setText(Fen());
        txtFen->setCursorPosition(0);
    }
    Judge();
}

void dlgSetUpPosition::Judge() {
    if (p->bFenUnread)
        return; // the field says what is wrong with its text
    const PositionCheck::Verdict v = PositionCheck::Judge(p->o, p->b960);
    QString sWhy;
    switch (v.eProblem) {
    case Problem::None:
        break;
    case Problem::KingCount:
        sWhy = v.nCount == 0 ? (v.bWhite ? tr("White has no king") : tr("Black has no king"))
                             : (v.bWhite ? tr("White has more than one king")
                                         : tr("Black has more than one king"));
        break;
    case Problem::TooManyPieces:
        sWhy = (v.bWhite ? tr("White has %1 pieces, more than 16")
                         : tr("Black has %1 pieces, more than 16"))
                   .arg(v.nCount);
        break;
    case Problem::PawnOnBackRank:
        sWhy = tr("a pawn stands on %1, on the first or last rank")
                   .arg(QString::fromStdString(clsRules::SquareToNotation(v.nSquare)));
        break;
    case Problem::TooMuchMaterial:
        sWhy = v.bWhite ? tr("White has more pieces of a kind than its missing pawns could have "
                             "become")
                        : tr("Black has more pieces of a kind than its missing pawns could have "
                             "become");
        break;
    case Problem::CastlingRight: {
        if (p->b960) {
            static const char *const Rights[] = {
                QT_TR_NOOP("White's kingside castling"), QT_TR_NOOP("White's queenside castling"),
                QT_TR_NOOP("Black's kingside castling"), QT_TR_NOOP("Black's queenside castling")};
            sWhy = tr("%1 needs the king on its first rank and the rook on %2 on that side of it")
                       .arg(tr(Rights[v.nRight]),
                            QString::fromStdString(clsRules::SquareToNotation(v.nSquare)));
            break;
        }
        const PositionCheck::CastlingSquares s = PositionCheck::SquaresOf(v.nRight);
        sWhy = tr("the castling right %1 needs the king on %2 and a rook on %3")
                   .arg(QChar("KQkq"[v.nRight]),
                        QString::fromStdString(clsRules::SquareToNotation(s.nKing)),
                        QString::fromStdString(clsRules::SquareToNotation(s.nRook)));
        break;
    }
    case Problem::EnPassant:
        sWhy = tr("no pawn can just have stepped over %1")
                   .arg(QString::fromStdString(clsRules::SquareToNotation(v.nSquare)));
        break;
    case Problem::OpponentInCheck:
        sWhy = v.bWhite ? tr("White is in check, but it is Black's turn")
                        : tr("Black is in check, but it is White's turn");
        break;
    case Problem::TooManyCheckers:
        sWhy = tr("%1 pieces give check, and no move gives more than two").arg(v.nCount);
        break;
    case Problem::ImpossibleCheck:
        sWhy = tr("no last move can have given this check");
        break;
    }
    lblProblem->setText(sWhy.isEmpty() ? QString()
                                       : tr("This position cannot be played: %1.").arg(sWhy));
    cmdStart->setEnabled(sWhy.isEmpty());
}

void dlgSetUpPosition::StartGame() {
    if (!cmdStart->isEnabled())
        return; // Return in the field while the position cannot be played
    const QPointer<dlgSetUpPosition> oSelf(this);
    if (oBeforeStart && !oBeforeStart())
        return;
    if (oSelf)
        accept();
}
