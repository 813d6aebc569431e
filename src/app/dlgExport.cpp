#include "dlgExport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <tavlon/Board.h>
#include <tavlon/BoardRenderer.h>

dlgExport::dlgExport(Kind eKind, const Board &b, int nPly, const ExportOptions &o, QWidget *parent)
    : QDialog(parent), m_eKind(eKind), m_oBoard(b), m_oOptions(o), m_nPly(nPly),
      m_pRenderer(std::make_unique<BoardRenderer>()) {
    setObjectName(QStringLiteral("dlgExport"));
    setWindowTitle(eKind == Kind::Game ? tr("Export Game as GIF") : tr("Export Position as Image"));
    m_pRenderer->SetPieceSet(b.PieceSetFolder());

    auto *form = new QFormLayout;
    spnSize = new QSpinBox(this);
    spnSize->setObjectName(QStringLiteral("spnSize"));
    spnSize->setRange(ExportOptions::MinSize, ExportOptions::MaxSize);
    // Steps of 8 keep every square the same whole number of pixels.
    spnSize->setSingleStep(8);
    spnSize->setSuffix(tr(" px"));
    spnSize->setValue(o.nSize);
    auto *lblSizeCaption = new QLabel(tr("&Size:"), this);
    lblSizeCaption->setBuddy(spnSize);
    form->addRow(lblSizeCaption, spnSize);
    if (eKind == Kind::Game) {
        spnFrameTime = new QDoubleSpinBox(this);
        spnFrameTime->setObjectName(QStringLiteral("spnFrameTime"));
        spnFrameTime->setRange(ExportOptions::MinFrameMs / 1000.0,
                               ExportOptions::MaxFrameMs / 1000.0);
        spnFrameTime->setDecimals(1);
        spnFrameTime->setSingleStep(0.1);
        spnFrameTime->setSuffix(tr(" s"));
        spnFrameTime->setValue(o.nFrameMs / 1000.0);
        spnFrameTime->setToolTip(tr("How long each position shows; the last stays 3 s"));
        auto *lblFrame = new QLabel(tr("&Time per move:"), this);
        lblFrame->setBuddy(spnFrameTime);
        form->addRow(lblFrame, spnFrameTime);
    }
    const auto Check = [this](const char *name, const QString &sText, bool bOn) {
        auto *box = new QCheckBox(sText, this);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(bOn);
        connect(box, &QCheckBox::toggled, this, &dlgExport::UpdatePreview);
        return box;
    };
    chkCoordinates = Check("chkCoordinates", tr("&Coordinates"), o.bCoordinates);
    chkMarks = Check("chkMarks", tr("&Marks: last move, check, arrows and circles"), o.bMarks);
    chkNames = Check("chkNames", tr("Players' &names"), o.bNames);
    form->addRow(chkCoordinates);
    form->addRow(chkMarks);
    form->addRow(chkNames);

    lblPreview = new QLabel(this);
    lblPreview->setObjectName(QStringLiteral("lblPreview"));
    lblPreview->setAlignment(Qt::AlignCenter);
    lblPreview->setMinimumSize(PreviewSide, PreviewSide * 7 / 6);
    lblSize = new QLabel(this);
    lblSize->setObjectName(QStringLiteral("lblSize"));
    lblSize->setAlignment(Qt::AlignCenter);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Save..."));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblPreview, 1);
    layout->addWidget(lblSize);
    layout->addWidget(buttons);
    connect(spnSize, &QSpinBox::valueChanged, this, &dlgExport::UpdatePreview);

    if (eKind == Kind::Game) {
        // The preview plays the game at the chosen pace, from the start.
        m_nPly = 0;
        m_pFrames = new QTimer(this);
        m_pFrames->setSingleShot(true);
        connect(m_pFrames, &QTimer::timeout, this, &dlgExport::NextFrame);
        connect(spnFrameTime, &QDoubleSpinBox::valueChanged, this, &dlgExport::UpdatePreview);
    }
    UpdatePreview();
}

dlgExport::~dlgExport() = default;

ExportOptions dlgExport::Options() const {
    ExportOptions o = m_oOptions;
    o.nSize = spnSize->value();
    o.bCoordinates = chkCoordinates->isChecked();
    o.bMarks = chkMarks->isChecked();
    o.bNames = chkNames->isChecked();
    if (spnFrameTime != nullptr)
        o.nFrameMs = qRound(spnFrameTime->value() * 1000);
    return o;
}

void dlgExport::UpdatePreview() {
    const ExportOptions o = Options();
    const BoardScene oScene = Export::SceneOf(m_oBoard, m_nPly, o);
    // Drawn at the preview's own size, so the letters and names show as they will read.
    const qreal r = devicePixelRatioF();
    lblPreview->setPixmap(QPixmap::fromImage(m_pRenderer->Image(oScene, PreviewSide, r)));
    const QSize oSize = BoardRenderer::PictureSize(oScene, o.nSize);
    lblSize->setText(tr("%1 × %2 pixels").arg(oSize.width()).arg(oSize.height()));
    if (m_pFrames != nullptr)
        m_pFrames->start(m_nPly == m_oBoard.PlyCount() ? ExportOptions::LastFrameMs : o.nFrameMs);
}

void dlgExport::NextFrame() {
    m_nPly = m_nPly >= m_oBoard.PlyCount() ? 0 : m_nPly + 1;
    UpdatePreview();
}
