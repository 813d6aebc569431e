#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// A save into each kind of hostile target leaves the old file byte for byte, leaves no temporary
// file, and names the cause. The 16 KiB and read-only filesystems need root to mount; where the
// test cannot, those rows are skipped.
TEST(SafeWrite, AFailedWriteLeavesTheOldFileWholeAndSaysWhy) {
    QTemporaryDir oDir;
    const QString sFs = oDir.filePath("fs");
    QDir().mkpath(sFs);
    const bool bMounted = ::mount("tmpfs", sFs.toLocal8Bit(), "tmpfs", 0, "size=16k") == 0;
    rlimit oLimit{};
    getrlimit(RLIMIT_FSIZE, &oLimit);
    const std::tuple<const char *, QString, std::function<void()>> rows[] = {
        {"No space left on the device: game.pgn was not changed.", sFs, [] {}},
        {"The file would exceed the size limit: game.pgn was not changed.", oDir.path(),
         [&] {
             rlimit oSmall = oLimit;
             oSmall.rlim_cur = 8192;
             setrlimit(RLIMIT_FSIZE, &oSmall);
         }},
        {"The device is read-only: game.pgn was not changed.", sFs,
         [&] { ::mount(nullptr, sFs.toLocal8Bit(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr); }},
        {"The folder does not exist: game.pgn was not written.", oDir.filePath("gone"), [] {}},
    };
    for (const auto &[sCause, sDir, arrange] : rows) {
        SCOPED_TRACE(sCause);
        if (sDir == sFs && !bMounted)
            continue;
        const QString sPath = sDir + "/game.pgn";
        QFile oFile(sPath);
        if (oFile.open(QIODevice::WriteOnly))
            oFile.write("old\n");
        oFile.close();
        arrange();
        QString sError;
        EXPECT_FALSE(SaveFileAtomically(sPath, QByteArray(85 * 1024, 'x'), &sError));
        setrlimit(RLIMIT_FSIZE, &oLimit);
        EXPECT_EQ(sError.toStdString(), sCause);
        const bool bOld = oFile.open(QIODevice::ReadOnly);
        EXPECT_EQ(bOld ? oFile.readAll().left(10) : "", bOld ? "old\n" : "");
        oFile.close();
        EXPECT_EQ(QDir(sDir).entryList(QDir::Files | QDir::Hidden).size(), bOld ? 1 : 0);
    }
    if (bMounted)
        ::umount(sFs.toLocal8Bit());
    EXPECT_TRUE(SaveFileAtomically(sFs + "/game.pgn", "new\n"));
}

// Only regular files and new names are written or read: a pipe, a device (through a link, even
// as root) or a folder is refused with its kind named, left as it was, and never waited on.
TEST(SafeWrite, OnlyRegularFilesAreWrittenOrRead) {
    QTemporaryDir oDir;
    const auto Path = [&](const char *s) { return oDir.filePath(s); };
    ::mkfifo(Path("pipe.pgn").toLocal8Bit(), 0600);
    QFile::link("/dev/null", Path("null.pgn"));
    QDir().mkdir(Path("folder.pgn"));
    const std::pair<const char *, const char *> rows[] = {
        {"pipe.pgn", "pipe.pgn is a named pipe, not a regular file"},
        {"null.pgn", "null.pgn is a device, not a regular file"},
        {"folder.pgn", "folder.pgn is a folder, not a regular file"},
        {"new.pgn", ""},
    };
    for (const auto &[sName, sKind] : rows) {
        SCOPED_TRACE(sName);
        const QFileInfo oBefore(Path(sName));
        QString sError;
        EXPECT_EQ(SaveFileAtomically(Path(sName), "1. e4 *\n", &sError), *sKind == 0);
        EXPECT_EQ(sError.toStdString(), *sKind ? std::string(sKind) + ": it was not changed." : "");
        QFile oFile(Path(sName));
        QString sCause;
        EXPECT_EQ(OpenRegularFile(oFile, sCause), *sKind == 0);
        EXPECT_EQ(sCause.toStdString(), sKind);
        EXPECT_EQ(QFileInfo(Path(sName)).isSymLink(), oBefore.isSymLink());
        EXPECT_EQ(QFileInfo(Path(sName)).isFile(), *sKind == 0);
    }
    EXPECT_FALSE(QFileInfo("/dev/null").isFile());
}

} // namespace
