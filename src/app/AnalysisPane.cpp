#include "AnalysisPane.h"

#include "EvalGraph.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// More of a line than this does not fit beside the others, and says little.
constexpr std::size_t MaxPlies = 20;

QString Eval(const Uci::Score &o) {
    QString s = QString::fromStdString(Review::DisplayText(o));
    // A bound is the engine's word that the search has not settled yet.
    if (o.eBound == Uci::Score::Bound::Lower)
        s += QStringLiteral("≥");
    else if (o.eBound == Uci::Score::Bound::Upper)
        s += QStringLiteral("≤");
    return s;
}

} // namespace

AnalysisPane::AnalysisPane(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AnalysisPane"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);

    auto *header = new QHBoxLayout;
    lblEval = new QLabel(this);
    lblEval->setObjectName(QStringLiteral("lblEval"));
    QFont oBig = lblEval->font();
    oBig.setBold(true);
    oBig.setPointSizeF(oBig.pointSizeF() * 1.4);
    lblEval->setFont(oBig);
    lblEval->setMinimumWidth(QFontMetrics(oBig).horizontalAdvance(QStringLiteral("+88.88≥")));
    lblDepth = new QLabel(this);
    lblDepth->setObjectName(QStringLiteral("lblDepth"));
    lblDepth->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // The pane's settings in one small button, so that the evaluation keeps the room.
    auto *cmdOptions = new QToolButton(this);
    cmdOptions->setObjectName(QStringLiteral("cmdAnalysisOptions"));
    cmdOptions->setText(tr("&Options"));
    cmdOptions->setPopupMode(QToolButton::InstantPopup);
    cmdOptions->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *mnuOptions = new QMenu(cmdOptions);
    mnuOptions->setObjectName(QStringLiteral("mnuAnalysisOptions"));
    mnuArrow = mnuOptions->addAction(tr("Best Move &Arrow"));
    mnuArrow->setObjectName(QStringLiteral("mnuAnalysisArrow"));
    mnuArrow->setCheckable(true);
    connect(mnuArrow, &QAction::toggled, this, &AnalysisPane::ArrowToggled);
    QMenu *mnuLines = mnuOptions->addMenu(tr("Best &Lines"));
    mnuLines->setObjectName(QStringLiteral("mnuAnalysisLines"));
    auto *group = new QActionGroup(mnuLines);
    for (int n = 1; n <= 5; ++n) {
        QAction *action = mnuLines->addAction(QStringLiteral("&%1").arg(n));
        action->setObjectName(QStringLiteral("mnuAnalysisLines%1").arg(n));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, n] { emit LineCountChanged(n); });
        oLineCounts.push_back(action);
    }
    QAction *mnuAddBest = mnuOptions->addAction(tr("Add Best Line as &Variation"));
    mnuAddBest->setObjectName(QStringLiteral("mnuAnalysisAddLine"));
    connect(mnuAddBest, &QAction::triggered, this, [this] { emit AddLineClicked(0); });
    QAction *mnuEngine = mnuOptions->addAction(tr("&Engine..."));
    mnuEngine->setObjectName(QStringLiteral("mnuAnalysisEngine"));
    connect(mnuEngine, &QAction::triggered, this, &AnalysisPane::EngineClicked);
    cmdOptions->setMenu(mnuOptions);
    header->addWidget(lblEval);
    header->addWidget(lblDepth, 1);
    header->addWidget(cmdOptions);
    layout->addLayout(header);

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->hide();
    layout->addWidget(lblMessage);

    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblLine%1").arg(i + 1));
        label->setTextFormat(Qt::RichText);
        // A long line is cut at the pane's edge rather than widening it.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        connect(label, &QLabel::linkActivated, this,
                [this, i](const QString &sLink) { emit MoveClicked(i, sLink.toInt()); });
        // Each line offers itself to the game on a right click.
        auto *add = new QAction(tr("Add Line as &Variation"), label);
        add->setObjectName(QStringLiteral("mnuAnalysisAddLine%1").arg(i + 1));
        connect(add, &QAction::triggered, this, [this, i] { emit AddLineClicked(i); });
        label->addAction(add);
        label->setContextMenuPolicy(Qt::ActionsContextMenu);
        label->hide();
        layout->addWidget(label);
        oLineLabels.push_back(label);
    }

    auto *review = new QHBoxLayout;
    graph = new EvalGraph(this);
    graph->hide();
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->hide();
    review->addWidget(graph, 1);
    review->addWidget(lblSummary);
    layout->addLayout(review, 1);
    layout->addStretch();
}

void AnalysisPane::ShowLines(const std::vector<UciEngine::Line> &oLines, const QString &sEngine) {
    if (oLines.empty()) {
        ClearLines();
        return;
    }
    const Uci::Info &oBest = oLines.front().oInfo;
    lblEval->setText(Eval(oBest.oScore));
    const QLocale oLocale;
    QString sDepth = tr("depth %1").arg(oBest.nDepth);
    if (oBest.nNps > 0)
        sDepth += QStringLiteral(" · ") +
                  tr("%1 kN/s").arg(oLocale.toString(static_cast<qlonglong>(oBest.nNps / 1000)));
    lblDepth->setText(sEngine.isEmpty() ? sDepth : sEngine + QStringLiteral(" · ") + sDepth);
    const QString sLink = QStringLiteral("<a href=\"%1\" style=\"color:%2; "
                                         "text-decoration:none\">%3</a>")
                              .arg("%1", palette().color(QPalette::WindowText).name(), "%2");
    for (std::size_t i = 0; i < oLineLabels.size(); ++i) {
        QLabel *label = oLineLabels[i];
        if (i >= oLines.size() || oLines[i].oSan.empty()) {
            label->hide();
            continue;
        }
        const UciEngine::Line &o = oLines[i];
        QString sText = QStringLiteral("<b>%1</b>").arg(Eval(o.oInfo.oScore).toHtmlEscaped());
        int nFullmove = o.nFullmove;
        bool bWhite = o.bWhiteToMove;
        for (std::size_t k = 0; k < std::min(o.oSan.size(), MaxPlies); ++k, bWhite = !bWhite) {
            sText += QLatin1Char(' ');
            if (bWhite || k == 0)
                sText += QStringLiteral("%1%2 ").arg(nFullmove).arg(bWhite ? "." : "...");
            sText += sLink.arg(k).arg(QString::fromStdString(o.oSan[k]).toHtmlEscaped());
            nFullmove += bWhite ? 0 : 1;
        }
        label->setText(sText);
        label->show();
    }
}

void AnalysisPane::ShowVerdict(const QString &sEval, const QString &sText) {
    ClearLines();
    lblEval->setText(sEval);
    lblDepth->setText(sText);
}

void AnalysisPane::ClearLines() {
    lblEval->setText(QStringLiteral("…"));
    lblDepth->clear();
    for (QLabel *label : oLineLabels)
        label->hide();
}

void AnalysisPane::ShowMessage(const QString &sText) {
    lblMessage->setText(sText);
    lblMessage->setVisible(!sText.isEmpty());
}

QString AnalysisPane::Message() const {
    return lblMessage->text();
}

QStringList AnalysisPane::Shown() const {
    QStringList o{(lblEval->text() + QLatin1Char(' ') + lblDepth->text()).trimmed()};
    for (const QLabel *label : oLineLabels) {
        if (label->isHidden())
            continue;
        o << QString(label->text()).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    }
    return o;
}

void AnalysisPane::SetLineCount(int n) {
    for (std::size_t i = 0; i < oLineCounts.size(); ++i)
        oLineCounts[i]->setChecked(static_cast<int>(i) + 1 == n);
}

void AnalysisPane::SetArrow(bool bOn) {
    mnuArrow->setChecked(bOn);
}

void AnalysisPane::ShowSummary(const std::array<Review::PlayerSummary, 2> &oPlayers, bool bAny) {
    graph->setVisible(bAny);
    lblSummary->setVisible(bAny);
    if (!bAny)
        return;
    const QLocale oLocale;
    QString sRows;
    const QString sRow = QStringLiteral("<tr><td>%1</td><td align=\"right\">&nbsp;&nbsp;%2</td>"
                                        "<td align=\"right\">&nbsp;&nbsp;%3</td></tr>");
    const auto Cells = [&](const QString &sWhat, int nWhite, int nBlack) {
        sRows += sRow.arg(sWhat).arg(nWhite).arg(nBlack);
    };
    sRows += sRow.arg(QString(), tr("White"), tr("Black"));
    Cells(tr("Inaccuracies"), oPlayers[0].nInaccuracies, oPlayers[1].nInaccuracies);
    Cells(tr("Mistakes"), oPlayers[0].nMistakes, oPlayers[1].nMistakes);
    Cells(tr("Blunders"), oPlayers[0].nBlunders, oPlayers[1].nBlunders);
    const auto Accuracy = [&](const std::optional<double> &d) {
        return d ? tr("%1%").arg(oLocale.toString(*d, 'f', 0)) : QStringLiteral("–");
    };
    sRows +=
        sRow.arg(tr("Accuracy"), Accuracy(oPlayers[0].dAccuracy), Accuracy(oPlayers[1].dAccuracy));
    lblSummary->setText(
        QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">%1</table>").arg(sRows));
}
