#include "Recovery.h"

#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QUuid>
#include <utility>

namespace {

const QByteArray SourceLine = "% tavlon-source: ";

QString LockOf(const QString &sPath) {
    return sPath.chopped(4) + QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> Lock(const QString &sPath) {
    auto p = std::make_unique<QLockFile>(sPath);
    // Held for a whole session: stale only when its process is gone, never by age.
    p->setStaleLockTime(0);
    return p->tryLock(0) ? std::move(p) : nullptr;
}

} // namespace

Recovery::Recovery(const QString &sFolder) : m_sFolder(sFolder) {
    m_sPath = QDir(sFolder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                     QStringLiteral(".pgn"));
    m_oWriter.setMaxThreadCount(1);
}

Recovery::~Recovery() {
    Wait();
}

void Recovery::Write(const QString &sPgn, const QString &sSource) {
    // An escape line, which every PGN reader skips, names the file the game came from.
    QByteArray oText = SourceLine + sSource.toUtf8() + '\n';
    oText += sPgn.toUtf8();
    // The folder and the lock wait for the first game worth keeping, so a start-up touches
    // neither the disk nor a second file.
    if (!m_pLock) {
        QDir().mkpath(m_sFolder);
        m_pLock = Lock(LockOf(m_sPath));
    }
    const QMutexLocker oLock(&m_oMutex);
    m_oPending = std::move(oText);
    if (std::exchange(m_bWriting, true))
        return; // the running writer takes it next
    m_oWriter.start([this] {
        for (;;) {
            QByteArray oNext;
            {
                const QMutexLocker oLocked(&m_oMutex);
                if (m_oPending.isNull()) {
                    m_bWriting = false;
                    return;
                }
                oNext = std::exchange(m_oPending, QByteArray());
            }
            SaveFileAtomically(m_sPath, oNext);
        }
    });
}

void Recovery::Wait() {
    m_oWriter.waitForDone();
}

void Recovery::Remove() {
    {
        const QMutexLocker oLock(&m_oMutex);
        m_oPending = QByteArray();
    }
    Wait();
    QFile::remove(m_sPath);
}

std::unique_ptr<Recovery::Orphan> Recovery::TakeOrphan() {
    // Filtered by hand: a name filter is a wildcard pattern, and compiling one at start-up loads
    // the regular expression library.
    const QFileInfoList oFiles = QDir(m_sFolder).entryInfoList(QDir::Files, QDir::Time);
    for (const QFileInfo &oInfo : oFiles) {
        if (oInfo.suffix() != QLatin1String("pgn") ||
            oInfo.absoluteFilePath() == QFileInfo(m_sPath).absoluteFilePath())
            continue;
        std::shared_ptr<QLockFile> pLock = Lock(LockOf(oInfo.absoluteFilePath()));
        if (!pLock)
            continue; // its window still runs
        QFile oFile(oInfo.absoluteFilePath());
        if (!oFile.open(QIODevice::ReadOnly))
            continue;
        auto p = std::make_unique<Orphan>();
        p->sPath = oInfo.absoluteFilePath();
        p->oText = oFile.readAll();
        p->oWhen = oInfo.lastModified();
        p->pLock = std::move(pLock);
        if (p->oText.startsWith(SourceLine)) {
            const qsizetype nEnd = p->oText.indexOf('\n');
            p->sSource =
                QString::fromUtf8(p->oText.mid(SourceLine.size(), nEnd - SourceLine.size()));
        }
        return p;
    }
    return {};
}

void Recovery::Discard(const Orphan &oOrphan) {
    QFile::remove(oOrphan.sPath);
}
