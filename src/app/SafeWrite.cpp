#include "SafeWrite.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <csignal>
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

} // namespace

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool SaveFileAtomically(const QString &sPath, const QByteArray &oData, QString *pError) {
    IgnoreFileSizeSignal(); // a host embedding the window may not have done it
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
