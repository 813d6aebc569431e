#include "SafeWrite.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Tr(const char *sText) {
    return QCoreApplication::translate("SafeWrite", sText);
}

// The cause in the player's words; errno is read right after the call that failed, because
// QFileDevice keeps only the system's untranslated text.
QString Cause(int nErrno, const QString &sFallback) {
    switch (nErrno) {
    case ENOSPC:
    case EDQUOT:
        return Tr(QT_TRANSLATE_NOOP("SafeWrite", "No space left on the device"));
    case EFBIG:
        return Tr(QT_TRANSLATE_NOOP("SafeWrite", "The file would exceed the size limit"));
    case EROFS:
        return Tr(QT_TRANSLATE_NOOP("SafeWrite", "The device is read-only"));
    case EACCES:
    case EPERM:
        return Tr(QT_TRANSLATE_NOOP("SafeWrite", "Permission denied"));
    case ENOENT:
    case ENOTDIR:
        return Tr(QT_TRANSLATE_NOOP("SafeWrite", "The folder does not exist"));
    default:
        return sFallback.isEmpty()
                   ? Tr(QT_TRANSLATE_NOOP("SafeWrite", "The file could not be written"))
                   : sFallback;
    }
}

// What a file that is not a regular one is, in the player's words.
QString KindOf(mode_t nMode, const QString &sPath) {
    QString sKind;
    if (S_ISFIFO(nMode))
        sKind = Tr(QT_TRANSLATE_NOOP("SafeWrite", "a named pipe"));
    else if (S_ISCHR(nMode) || S_ISBLK(nMode))
        sKind = Tr(QT_TRANSLATE_NOOP("SafeWrite", "a device"));
    else if (S_ISDIR(nMode))
        sKind = Tr(QT_TRANSLATE_NOOP("SafeWrite", "a folder"));
    else if (S_ISSOCK(nMode))
        sKind = Tr(QT_TRANSLATE_NOOP("SafeWrite", "a socket"));
    else
        sKind = Tr(QT_TRANSLATE_NOOP("SafeWrite", "something else"));
    return Tr(QT_TRANSLATE_NOOP("SafeWrite", "%1 is %2, not a regular file"))
        .arg(QFileInfo(sPath).fileName(), sKind);
}

} // namespace

QString NotRegularFile(const QString &sPath) {
    struct stat oStat {};
    // A dangling link is a new name: the save makes the file it names.
    if (::stat(QFile::encodeName(sPath).constData(), &oStat) != 0 || S_ISREG(oStat.st_mode))
        return {};
    return KindOf(oStat.st_mode, sPath);
}

bool OpenRegularFile(QFile &oFile, QString &sCause) {
    // Not even opened when it is no file: opening some devices does something.
    if (sCause = NotRegularFile(oFile.fileName()); !sCause.isEmpty())
        return false;
    // Without blocking, should it have become a pipe since: that would wait for a writer.
    const int fd =
        ::open(QFile::encodeName(oFile.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        sCause = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat oStat {};
    if (::fstat(fd, &oStat) != 0 || !S_ISREG(oStat.st_mode)) {
        sCause = KindOf(oStat.st_mode, oFile.fileName());
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!oFile.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        sCause = oFile.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool SaveFileAtomically(const QString &sPath, const QByteArray &oData, QString *pError) {
    IgnoreFileSizeSignal(); // a host embedding the window may not have done it
    if (const QString sKind = NotRegularFile(sPath); !sKind.isEmpty()) {
        if (pError != nullptr)
            *pError = Tr(QT_TRANSLATE_NOOP("SafeWrite", "%1: it was not changed.")).arg(sKind);
        return false;
    }
    const bool bExisted = QFileInfo::exists(sPath);
    // Unbuffered: every write reaches the system here, where its failure can be seen. Qt 6.4's
    // commit() would otherwise flush late, ignore ENOSPC and rename a short file over the old.
    QSaveFile oFile(sPath);
    int nErrno = 0;
    bool bOk = false;
    errno = 0;
    if (oFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const qint64 nWritten = oFile.write(oData);
        nErrno = errno;
        if (nWritten == oData.size() && oFile.flush() && oFile.error() == QFileDevice::NoError) {
            // The data must be on the device before the old file is replaced by it.
            if (::fsync(oFile.handle()) != 0 && errno != EINVAL) {
                nErrno = errno;
            } else {
                errno = 0;
                bOk = oFile.commit();
                nErrno = errno;
            }
        }
    } else {
        nErrno = errno;
    }
    if (bOk)
        return true;
    if (pError != nullptr) {
        const QString sName = QFileInfo(sPath).fileName();
        *pError = (bExisted ? Tr(QT_TRANSLATE_NOOP("SafeWrite", "%1: %2 was not changed."))
                            : Tr(QT_TRANSLATE_NOOP("SafeWrite", "%1: %2 was not written.")))
                      .arg(Cause(nErrno, oFile.errorString()), sName);
    }
    return false;
}
