#include "dlgAnalyseGame.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

using Kind = UciEngine::Limit::Kind;

const QString sKindKey = QStringLiteral("analysis/budget");
const QString sDepthKey = QStringLiteral("analysis/depth");
const QString sNodesKey = QStringLiteral("analysis/nodes");
const QString sTimeKey = QStringLiteral("analysis/moveTime");

// In the order of the kinds' list.
constexpr Kind Kinds[] = {Kind::Nodes, Kind::Depth, Kind::MoveTime};

} // namespace

dlgAnalyseGame::dlgAnalyseGame(const EngineSettings &o, std::string sFen,
                               std::vector<std::string> oGameMoves, bool bChess960, QWidget *parent)
    : QDialog(parent), oEngine(o), sStartFen(std::move(sFen)), oMoves(std::move(oGameMoves)),
      b960(bChess960) {
    setWindowTitle(tr("Analyse Game"));
    auto *layout = new QFormLayout(this);
    const QSettings oSettings;
    cboKind = new QComboBox(this);
    cboKind->setObjectName(QStringLiteral("cboKind"));
    //: Kinds of budget for each position of Analyse Game.
    cboKind->addItems(
        {tr("Nodes (the same result on every run)"), tr("Depth"), tr("Time per position")});
    cboKind->setCurrentIndex(std::clamp(oSettings.value(sKindKey, 0).toInt(), 0, 2));
    stkValue = new QStackedWidget(this);
    spnNodes = new QSpinBox(this);
    spnNodes->setObjectName(QStringLiteral("spnNodes"));
    spnNodes->setRange(1, 2'000'000'000);
    spnNodes->setSingleStep(100'000);
    spnNodes->setGroupSeparatorShown(true);
    spnNodes->setValue(oSettings.value(sNodesKey, 1'000'000).toInt());
    spnDepth = new QSpinBox(this);
    spnDepth->setObjectName(QStringLiteral("spnDepth"));
    spnDepth->setRange(1, 99);
    spnDepth->setValue(oSettings.value(sDepthKey, 18).toInt());
    spnSeconds = new QDoubleSpinBox(this);
    spnSeconds->setObjectName(QStringLiteral("spnSeconds"));
    spnSeconds->setRange(0.1, 3600);
    spnSeconds->setDecimals(1);
    spnSeconds->setSuffix(tr(" s"));
    spnSeconds->setValue(oSettings.value(sTimeKey, 1000).toInt() / 1000.0);
    for (QWidget *value : {static_cast<QWidget *>(spnNodes), static_cast<QWidget *>(spnDepth),
                           static_cast<QWidget *>(spnSeconds)})
        stkValue->addWidget(value);
    stkValue->setCurrentIndex(cboKind->currentIndex());
    stkValue->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(cboKind, &QComboBox::currentIndexChanged, stkValue, &QStackedWidget::setCurrentIndex);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    const QString sProgram = oEngine.Program();
    lblStatus->setText(sProgram.isEmpty()
                           ? tr("No engine found: install Stockfish, or choose an engine in the "
                                "Analysis pane.")
                           : tr("%1 searches each of the %2 positions of the main line.")
                                 .arg(sProgram)
                                 .arg(oMoves.size() + 1));
    barProgress = new QProgressBar(this);
    barProgress->setObjectName(QStringLiteral("barProgress"));
    barProgress->setRange(0, static_cast<int>(oMoves.size()) + 1);
    barProgress->setValue(0);
    oButtons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    cmdStart = oButtons->addButton(tr("&Analyse"), QDialogButtonBox::AcceptRole);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setEnabled(!sProgram.isEmpty());
    connect(cmdStart, &QPushButton::clicked, this, &dlgAnalyseGame::Start);
    connect(oButtons, &QDialogButtonBox::rejected, this, &dlgAnalyseGame::reject);
    layout->addRow(tr("&Budget:"), cboKind);
    layout->addRow(tr("&Each position:"), stkValue);
    layout->addRow(lblStatus);
    layout->addRow(barProgress);
    layout->addRow(oButtons);
    setMinimumWidth(380);

    connect(&oAnalyser, &GameAnalyser::Progress, this, [this](int nDone, int nTotal) {
        barProgress->setValue(nDone);
        lblStatus->setText(tr("Position %1 of %2 searched").arg(nDone).arg(nTotal));
    });
    connect(&oAnalyser, &GameAnalyser::Finished, this, &dlgAnalyseGame::Finished);
    connect(&oAnalyser, &GameAnalyser::Failed, this, [this](const QString &sMessage) {
        lblStatus->setText(sMessage);
        SetRunning(false); // the players may try again, perhaps with another budget
        barProgress->setValue(0);
    });
}

GameAnalyser::Budget dlgAnalyseGame::Budget() const {
    GameAnalyser::Budget o;
    const Kind e = Kinds[cboKind->currentIndex()];
    o.oLimit = {e, e == Kind::Nodes   ? spnNodes->value()
                   : e == Kind::Depth ? spnDepth->value()
                                      : qRound64(spnSeconds->value() * 1000)};
    o.nThreads = oEngine.nThreads;
    o.nHashMb = oEngine.nHashMb;
    return o;
}

void dlgAnalyseGame::Start() {
    QSettings oSettings;
    oSettings.setValue(sKindKey, cboKind->currentIndex());
    oSettings.setValue(sNodesKey, spnNodes->value());
    oSettings.setValue(sDepthKey, spnDepth->value());
    oSettings.setValue(sTimeKey, qRound(spnSeconds->value() * 1000));
    SetRunning(true);
    QString sError;
    if (!oAnalyser.Start(oEngine.Program(), sStartFen, oMoves, b960, Budget(), &sError)) {
        lblStatus->setText(sError);
        SetRunning(false);
    }
}

void dlgAnalyseGame::SetRunning(bool bRunning) {
    cboKind->setEnabled(!bRunning);
    stkValue->setEnabled(!bRunning);
    cmdStart->setEnabled(!bRunning);
}

void dlgAnalyseGame::Finished() {
    oResult = oAnalyser.Result();
    accept();
}

void dlgAnalyseGame::reject() {
    // Cancel while it runs keeps what was done, through Finished.
    if (oAnalyser.IsRunning()) {
        oAnalyser.Cancel();
        return;
    }
    QDialog::reject();
}
