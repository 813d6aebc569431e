#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray Read(const QString &sPath) {
    QFile f(sPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// A save into each kind of hostile target: the old file stays byte for byte, and the message
// names the cause. Targets that need root (a 16 KiB filesystem, a read-only one) are skipped
// where it cannot be mounted.
TEST(SafeWrite, AFailedWriteLeavesTheOldFileWholeAndSaysWhy) {
    QTemporaryDir oDir;
    const QString sMount = oDir.filePath("fs"), sOld = "old game\n";
    const QByteArray oBig(85 * 1024, 'x');
    QDir().mkpath(sMount);
    const bool bMounted = ::mount("tmpfs", sMount.toLocal8Bit(), "tmpfs", 0, "size=16k") == 0;
    struct Row {
        const char *sCase, *sCause;
        std::function<QString()> arrange; // the target, or empty when it cannot be made here
        std::function<void()> undo = [] {};
    };
    rlimit oLimit{};
    getrlimit(RLIMIT_FSIZE, &oLimit);
    const Row rows[] = {
        {"full device", "No space left on the device: game.pgn was not changed.",
         [&] { return bMounted ? sMount + "/game.pgn" : QString(); }},
        {"size limit", "The file would exceed the size limit: game.pgn was not changed.",
         [&] {
             rlimit oSmall = oLimit;
             oSmall.rlim_cur = 8192;
             setrlimit(RLIMIT_FSIZE, &oSmall);
             return oDir.filePath("game.pgn");
         },
         [&] { setrlimit(RLIMIT_FSIZE, &oLimit); }},
        {"read-only device", "The device is read-only: game.pgn was not changed.",
         [&] {
             return bMounted && ::mount(nullptr, sMount.toLocal8Bit(), nullptr,
                                        MS_REMOUNT | MS_RDONLY, nullptr) == 0
                        ? sMount + "/game.pgn"
                        : QString();
         }},
        {"vanished folder", "The folder does not exist: game.pgn was not written.",
         [&] { return oDir.filePath("gone/game.pgn"); }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.sCase);
        const QString sPath = row.arrange();
        if (sPath.isEmpty()) {
            std::printf("skipped %s: cannot mount a filesystem here\n", row.sCase);
            continue;
        }
        QFile oOld(sPath);
        if (oOld.open(QIODevice::WriteOnly))
            oOld.write(sOld.toUtf8());
        oOld.close();
        QString sError;
        EXPECT_FALSE(SaveFileAtomically(sPath, oBig, &sError));
        row.undo();
        EXPECT_EQ(sError.toStdString(), row.sCause);
        EXPECT_TRUE(Read(sPath) == (QFile::exists(sPath) ? sOld.toUtf8() : "(missing)"));
        EXPECT_EQ(QDir(QFileInfo(sPath).path()).entryList(QDir::Files | QDir::Hidden).size(),
                  QFile::exists(sPath) ? 1 : 0); // no temporary file left behind
    }
    if (bMounted)
        ::umount(sMount.toLocal8Bit());
    EXPECT_TRUE(SaveFileAtomically(oDir.filePath("game.pgn"), oBig));
    EXPECT_TRUE(Read(oDir.filePath("game.pgn")) == oBig);
}

} // namespace
