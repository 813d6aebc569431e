#include "dlgEngine.h"

#include "UciEngine.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QThread>
#include <algorithm>
#include <unistd.h>

namespace {

const QString sPathKey = QStringLiteral("engine/path");
const QString sThreadsKey = QStringLiteral("engine/threads");
const QString sHashKey = QStringLiteral("engine/hash");
const QString sLinesKey = QStringLiteral("engine/lines");

int Cores() {
    return std::max(1, QThread::idealThreadCount());
}

// Half the memory, so that a large table never pushes the players' programs into swap.
int HashLimitMb() {
    const long nPages = ::sysconf(_SC_PHYS_PAGES), nPage = ::sysconf(_SC_PAGESIZE);
    if (nPages <= 0 || nPage <= 0)
        return 1024;
    return static_cast<int>(std::clamp<long long>(
        static_cast<long long>(nPages) * nPage / 2 / (1024 * 1024), 16, 1 << 20));
}

} // namespace

EngineSettings EngineSettings::Load() {
    const QSettings o;
    EngineSettings s;
    s.sPath = o.value(sPathKey).toString();
    // Half the cores by default: the players' window keeps the rest.
    s.nThreads = std::clamp(o.value(sThreadsKey, std::max(1, Cores() / 2)).toInt(), 1, Cores());
    s.nHashMb = std::clamp(o.value(sHashKey, 64).toInt(), 1, HashLimitMb());
    s.nLines = std::clamp(o.value(sLinesKey, 2).toInt(), 1, 5);
    return s;
}

void EngineSettings::Save() const {
    QSettings o;
    o.setValue(sPathKey, sPath);
    o.setValue(sThreadsKey, nThreads);
    o.setValue(sHashKey, nHashMb);
    o.setValue(sLinesKey, nLines);
}

QString EngineSettings::Program() const {
    return UciEngine::Locate(sPath.trimmed());
}

dlgEngine::dlgEngine(const EngineSettings &o, QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Analysis Engine"));
    auto *layout = new QFormLayout(this);
    txtPath = new QLineEdit(o.sPath, this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    txtPath->setPlaceholderText(tr("Stockfish"));
    txtPath->setMinimumWidth(260);
    auto *cmdBrowse = new QPushButton(tr("&Browse..."), this);
    connect(cmdBrowse, &QPushButton::clicked, this, [this] {
        const QString s = QFileDialog::getOpenFileName(this, tr("Choose a UCI Engine"));
        if (!s.isEmpty())
            txtPath->setText(s);
    });
    auto *row = new QHBoxLayout;
    row->addWidget(txtPath, 1);
    row->addWidget(cmdBrowse);
    lblFound = new QLabel(this);
    lblFound->setObjectName(QStringLiteral("lblFound"));
    lblFound->setWordWrap(true);
    connect(txtPath, &QLineEdit::textChanged, this, &dlgEngine::ShowFound);
    const auto Spin = [this](const char *name, int nMax, int nValue, const QString &sSuffix) {
        auto *spin = new QSpinBox(this);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(1, nMax);
        spin->setValue(nValue);
        spin->setSuffix(sSuffix);
        return spin;
    };
    spnThreads = Spin("spnThreads", Cores(), o.nThreads, {});
    spnHash = Spin("spnHash", HashLimitMb(), o.nHashMb, tr(" MB"));
    spnLines = Spin("spnLines", 5, o.nLines, {});
    layout->addRow(tr("&Engine:"), row);
    layout->addRow(QString(), lblFound);
    layout->addRow(tr("&Threads:"), spnThreads);
    layout->addRow(tr("&Hash table:"), spnHash);
    layout->addRow(tr("Best &lines:"), spnLines);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
    ShowFound();
}

void dlgEngine::ShowFound() {
    const QString sProgram = Settings().Program();
    lblFound->setText(sProgram.isEmpty() ? tr("No engine found: install Stockfish, or name a UCI "
                                              "engine.")
                                         : tr("Runs %1").arg(sProgram));
}

EngineSettings dlgEngine::Settings() const {
    return {txtPath->text().trimmed(), spnThreads->value(), spnHash->value(), spnLines->value()};
}
