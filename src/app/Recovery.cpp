#include "Recovery.h"

#include "SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QUuid>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <limits>
#include <unistd.h>
#include <utility>

namespace {

const QByteArray SourceLine = "% tavlon-source: ";
const QLatin1String AsideSuffix(".set-aside");

QString Tr(const char *s) {
    return QCoreApplication::translate("Recovery", s);
}

QString LockOf(const QString &sPath) {
    return sPath.chopped(4) + QStringLiteral(".lock");
}

// When a running process began, in seconds since the epoch; -1 when that cannot be told.
qint64 ProcessStart(qint64 nPid) {
    QFile oStat(QStringLiteral("/proc/%1/stat").arg(nPid));
    QFile oSystem(QStringLiteral("/proc/stat"));
    if (!oStat.open(QIODevice::ReadOnly) || !oSystem.open(QIODevice::ReadOnly))
        return -1;
    // The start is the 22nd field, in clock ticks since boot; the command's name, the 2nd,
    // is in parentheses and may hold anything, so the fields are counted after its last ')'.
    const QByteArray oLine = oStat.readAll();
    const QList<QByteArray> oFields = oLine.mid(oLine.lastIndexOf(')') + 2).split(' ');
    bool bOk = false;
    const qint64 nTicks = oFields.value(19).toLongLong(&bOk);
    const long nPerSecond = ::sysconf(_SC_CLK_TCK);
    if (!bOk || nPerSecond <= 0)
        return -1;
    for (const QByteArray &oSystemLine : oSystem.readAll().split('\n'))
        if (oSystemLine.startsWith("btime "))
            return oSystemLine.mid(6).trimmed().toLongLong() + nTicks / nPerSecond;
    return -1;
}

// Whether the lock is held by a process still running on this host since this boot, which
// wrote it: the lock file's lines are its number, name, host, machine and boot.
bool IsLive(const QString &sLock) {
    QFile oFile(sLock);
    QString sCause;
    if (!OpenRegularFile(oFile, sCause))
        return false;
    const QList<QByteArray> oLines = oFile.read(4096).split('\n');
    bool bOk = false;
    const qint64 nPid = oLines.value(0).toLongLong(&bOk);
    if (!bOk || nPid <= 0 || nPid > std::numeric_limits<pid_t>::max() ||
        QString::fromUtf8(oLines.value(2)) != QSysInfo::machineHostName())
        return false;
    const QByteArray oBoot = oLines.value(4);
    if (!oBoot.isEmpty() && oBoot != QSysInfo::bootUniqueId())
        return false;
    if (::kill(static_cast<pid_t>(nPid), 0) != 0 && errno != EPERM)
        return false;
    // A process that began after the lock was written only took its number again.
    const qint64 nStart = ProcessStart(nPid);
    const qint64 nWritten = QFileInfo(sLock).lastModified().toSecsSinceEpoch();
    return nStart < 0 || nStart <= nWritten + 1;
}

std::unique_ptr<QLockFile> Lock(const QString &sPath) {
    auto p = std::make_unique<QLockFile>(sPath);
    // Held for a whole session: stale only when its process is gone, never by age.
    p->setStaleLockTime(0);
    if (p->tryLock(0))
        return p;
    if (p->error() != QLockFile::LockFailedError || IsLive(sPath))
        return nullptr;
    // Stale by our judgement. Qt removes it only when no process holds the lock file's own
    // system lock, so even a judgement gone wrong never takes a live window's game; the second
    // lock keeps two starts from removing it at once, as QLockFile does itself.
    QLockFile oRemoving(sPath + QStringLiteral(".rmlock"));
    if (!oRemoving.tryLock(0) || IsLive(sPath) || !p->removeStaleLockFile())
        return nullptr;
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

std::unique_ptr<Recovery::Orphan> Recovery::TakeOrphan(QStringList &oSetAside) {
    // Filtered by hand: a name filter is a wildcard pattern, and compiling one at start-up loads
    // the regular expression library. Sorted by time, not followed into what a link names.
    const QFileInfoList oFiles =
        QDir(m_sFolder).entryInfoList(QDir::Files | QDir::System, QDir::Time);
    const auto Aside = [&oSetAside](const QString &sPath, const QString &sWhy) {
        if (SetAside(sPath))
            oSetAside << QStringLiteral("%1: %2").arg(QFileInfo(sPath).fileName(), sWhy);
    };
    for (const QFileInfo &oInfo : oFiles) {
        const QString sPath = oInfo.absoluteFilePath();
        if (oInfo.suffix() == QLatin1String("lock") && sPath != LockOf(m_sPath) &&
            !QFileInfo::exists(sPath.chopped(5) + QStringLiteral(".pgn"))) {
            // A stale lock left with no game goes; a live one stays, and one that is no file
            // is set aside unread.
            if (const QString sKind = NotRegularFile(sPath); !sKind.isEmpty())
                Aside(sPath, sKind);
            else
                Lock(sPath);
            continue;
        }
        if (oInfo.suffix() != QLatin1String("pgn") ||
            sPath == QFileInfo(m_sPath).absoluteFilePath())
            continue;
        // What cannot be a kept game is set aside before any lock is taken for it: no window
        // keeps such a file, and a lock that is no file would stop the lock's own reading.
        for (const QString &sFile : {sPath, LockOf(sPath)})
            if (const QString sKind = NotRegularFile(sFile); !sKind.isEmpty())
                Aside(sFile, sKind);
        if (!QFileInfo::exists(sPath))
            continue;
        if (QFileInfo(sPath).size() > MaxFileSize) {
            Aside(sPath, Tr(QT_TRANSLATE_NOOP("Recovery", "larger than %1 MB, which no kept "
                                                          "game is"))
                             .arg(MaxFileSize >> 20));
            continue;
        }
        std::shared_ptr<QLockFile> pLock = Lock(LockOf(sPath));
        if (!pLock)
            continue; // its window still runs
        QFile oFile(sPath);
        QString sCause;
        if (!OpenRegularFile(oFile, sCause)) {
            Aside(sPath, sCause);
            continue;
        }
        auto p = std::make_unique<Orphan>();
        p->sPath = sPath;
        p->oText = oFile.read(MaxFileSize);
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

bool Recovery::SetAside(const QString &sPath) {
    // The name itself, whatever it is (a link stays a link): QFile::rename would fall back on
    // copying the contents, which a pipe or a device never ends.
    return std::rename(QFile::encodeName(sPath).constData(),
                       QFile::encodeName(sPath + AsideSuffix).constData()) == 0;
}
