// Piece sets that must not be used: refused when chosen, naming why, and a remembered one that
// fails at start gives way to our own with a message, once.
#include "MainWindowTest.h"

#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

TEST(PieceSets, SpoiltSetsRefusedWhenChosenAndAtStart) {
    // A home of its own: the test-mode data folder is shared by every copy of the suite that
    // runs at once (the scale-2 run beside this one), which would overwrite these sets.
    QTemporaryDir oHome;
    const QByteArray oOldHome = qgetenv("HOME");
    qputenv("HOME", oHome.path().toLocal8Bit());
    const auto oRestore = qScopeGuard([&] { qputenv("HOME", oOldHome); });
    TemporarySettings oSettings;
    const QString sSets = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QByteArray Piece = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 8 8'>"
                             "<rect width='8' height='8'/></svg>";
    // The black king of each set, the other pieces good; no bytes: a link to /dev/zero.
    const std::tuple<const char *, QByteArray, const char *> rows[] = {
        {"huge", Piece + QByteArray(1 << 20, ' '), "bK.svg is larger than 1 MB"},
        {"packed", "\x1f\x8b\x08\x00", "bK.svg is compressed"},
        {"zero", "", "bK.svg is not a regular file"},
    };
    for (const auto &[sName, oKing, sWhy] : rows) {
        SCOPED_TRACE(sName);
        const QDir oDir(sSets + "/pieces/" + sName);
        QDir().mkpath(oDir.path());
        for (const QString sPiece : QString("KQRNBP"))
            for (const QString sSide : {"w", "b"}) {
                QFile oFile(oDir.filePath(sSide + sPiece + ".svg"));
                oFile.open(QIODevice::WriteOnly);
                oFile.write(sSide + sPiece == "bK" ? oKing : Piece);
            }
        if (oKing.isEmpty())
            QFile::remove(oDir.filePath("bK.svg")),
                QFile::link("/dev/zero", oDir.filePath("bK.svg"));
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
        // Remembered from an earlier run, before the set was spoilt: said once, then forgotten.
        QSettings().setValue("view/pieceSet", sName);
        for (const bool bAgain : {false, true}) {
            frmMain w;
            Answerer ok({"OK"});
            w.show();
            // The box comes once the window shows, later on a busy machine.
            if (!bAgain)
                EXPECT_TRUE(QTest::qWaitFor([&] { return !ok.seen.isEmpty(); }, 5000));
            else
                QTest::qWait(50);
            EXPECT_EQ(ok.seen.join('|').contains(sWhy), !bAgain) << ok.seen.join('|').toStdString();
        }
        EXPECT_EQ(QSettings().value("view/pieceSet").toString(), "");
    }
    QDir(sSets).removeRecursively();
}

} // namespace
