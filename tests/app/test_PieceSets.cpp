// Piece sets that must not be used: refused when chosen, naming why, and a remembered one that
// fails at start gives way to our own with a message, once.
#include "MainWindowTest.h"

#include <QStandardPaths>
#include <sys/stat.h>

namespace {

const QByteArray Piece = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 8 8'>"
                         "<rect width='8' height='8'/></svg>";

// A set in the user's piece folder whose black king is made by spoil.
void MakeSet(const QString &sName, const std::function<void(const QString &)> &spoil) {
    QDir oDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/pieces/" +
                    sName);
    oDir.removeRecursively();
    QDir().mkpath(oDir.path());
    for (const QChar c : QString("KQRNBP")) {
        for (const char *sSide : {"w", "b"}) {
            QFile oFile(oDir.filePath(sSide + QString(c) + ".svg"));
            oFile.open(QIODevice::WriteOnly);
            oFile.write(Piece);
        }
    }
    QFile::remove(oDir.filePath("bK.svg"));
    spoil(oDir.filePath("bK.svg"));
}

TEST(PieceSets, SpoiltSetsRefusedWhenChosenAndAtStart) {
    QStandardPaths::setTestModeEnabled(true);
    TemporarySettings oSettings;
    const auto Write = [](const QByteArray &o) {
        return [o](const QString &sPath) {
            QFile oFile(sPath);
            oFile.open(QIODevice::WriteOnly);
            oFile.write(o);
        };
    };
    const std::tuple<const char *, std::function<void(const QString &)>, const char *> rows[] = {
        {"huge", Write(Piece + QByteArray(1 << 20, ' ')), "bK.svg is larger than 1 MB"},
        {"packed", Write("\x1f\x8b\x08\x00"), "bK.svg is compressed"},
        {"zero", [](const QString &s) { QFile::link("/dev/zero", s); },
         "bK.svg is not a regular file"},
        {"pipe", [](const QString &s) { ::mkfifo(s.toLocal8Bit(), 0600); },
         "bK.svg is not a regular file"},
    };
    for (const auto &[sName, spoil, sWhy] : rows) {
        SCOPED_TRACE(sName);
        MakeSet(sName, spoil);
        {
            frmMain w;
            auto *menu = w.findChild<QMenu *>("mnuViewPieceSet");
            emit menu->aboutToShow();
            for (QAction *a : menu->actions())
                if (a->text() == sName)
                    a->trigger();
            const QString sStatus = w.findChild<QStatusBar *>("staStatus")->currentMessage();
            EXPECT_TRUE(
                sStatus.startsWith(QString("The piece set %1 cannot be used: ").arg(sName)) &&
                sStatus.contains(sWhy))
                << sStatus.toStdString();
        }
        // Remembered from an earlier run, before the set was spoilt.
        QSettings().setValue("view/pieceSet", sName);
        for (const bool bAgain : {false, true}) {
            frmMain w;
            w.show();
            QTest::qWait(20);
            const QString sStatus = w.findChild<QStatusBar *>("staStatus")->currentMessage();
            EXPECT_EQ(sStatus.contains(sWhy), !bAgain) << sStatus.toStdString();
        }
        EXPECT_EQ(QSettings().value("view/pieceSet").toString(), "");
    }
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
}

} // namespace
