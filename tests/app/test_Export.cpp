#include "Export.h"
#include "MainWindowTest.h"
#include "dlgExport.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImageReader>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QSpinBox>
#include <QSvgRenderer>
#include <sys/mount.h>
#include <sys/resource.h>
#include <tavlon/BoardRenderer.h>

namespace {

// The Opera Game: captures, checks, castling long and a mate.
const char *const Opera =
    "[White \"Morphy, Paul\"]\n[Black \"Duke Karl\"]\n[Date \"1858.11.02\"]\n[Result \"1-0\"]\n\n"
    "1. e4 e5 2. Nf3 d6 3. d4 Bg4 4. dxe5 Bxf3 5. Qxf3 dxe5 6. Bc4 Nf6 7. Qb3 Qe7 8. Nc3 c6 "
    "9. Bg5 b5 10. Nxb5 cxb5 11. Bxb5+ Nbd7 12. O-O-O Rd8 13. Rxd7 Rxd7 14. Rd1 Qe6 "
    "15. Bxd7+ Nxd7 16. Qb8+ Nxb8 17. Rd8# 1-0";
constexpr int OperaPlies = 33;

QString Put(const QTemporaryDir &oDir, const char *sName, const QByteArray &oBytes) {
    QFile f(oDir.filePath(sName));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(oBytes);
    return f.fileName();
}

QImage Decoded(const QByteArray &oData, const char *sFormat) {
    return QImage::fromData(oData, sFormat).convertToFormat(QImage::Format_RGB32);
}

// The board's own picture of a ply with the options' aids: a control whose cells are nSize / 8,
// grabbed in device pixels.
QImage BoardsOwn(int nPly, const ExportOptions &o) {
    Board b;
    b.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    b.LoadPgn(Opera);
    b.BoardView(o.bWhitesView);
    b.SetShowCoordinates(o.bCoordinates);
    b.SetShowLastMove(o.bMarks);
    b.SetShowCheck(o.bMarks);
    b.ViewPly(nPly);
    b.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&b));
    return GrabbedBoard(b, o.nSize);
}

// Format x size x options: the picture's size; a PNG is the board's own picture (device pixels
// at this run's scale, and the file at one pixel a pixel); an SVG is what Qt SVG draws of it; a
// GIF has a frame a position, frame k the picture of ply k up to its palette, the delays asked
// for and the last held 3 s.
TEST(Export, EveryFormatSizeAndOption) {
    struct Row {
        ExportFormat eFormat;
        int nSize;
        bool bFlip, bCoordinates, bMarks, bNames;
        int nPly;
    } const oRows[] = {
        {ExportFormat::Png, 480, false, false, false, false, 33},
        {ExportFormat::Png, 480, true, true, true, false, 21},
        {ExportFormat::Png, 336, false, true, true, true, 31},
        {ExportFormat::Png, 240, true, false, true, false, 0},
        {ExportFormat::Png, 2000, false, true, true, false, 32},
        {ExportFormat::Svg, 480, false, true, true, true, 31},
        {ExportFormat::Svg, 240, true, true, false, false, 5},
        {ExportFormat::Gif, 480, false, false, true, true, -1},
        {ExportFormat::Gif, 240, true, true, false, false, -1},
    };
    Board b;
    ASSERT_TRUE(b.LoadPgn(Opera));
    for (const Row &r : oRows) {
        SCOPED_TRACE(testing::Message() << int(r.eFormat) << " " << r.nSize << " " << r.bFlip
                                        << r.bCoordinates << r.bMarks << r.bNames);
        ExportOptions o;
        o.nSize = r.nSize;
        o.bWhitesView = !r.bFlip;
        o.bCoordinates = r.bCoordinates;
        o.bMarks = r.bMarks;
        o.bNames = r.bNames;
        o.nFrameMs = 600;
        const QSize oSize(r.nSize, r.nSize + (r.bNames ? 2 * std::max(16, r.nSize / 12) : 0));
        const int nBand = (oSize.height() - r.nSize) / 2;
        if (r.eFormat == ExportFormat::Png) {
            const QImage oPng = Decoded(Export::Png(b, r.nPly, o), "png");
            ASSERT_EQ(oPng.size(), oSize);
            EXPECT_EQ(oPng, Export::Image(b, r.nPly, o));
            if (r.nSize >= 328 && r.nSize <= 1000) { // sizes a control can take
                const QImage oOwn = BoardsOwn(r.nPly, o);
                const qreal dRatio = oOwn.devicePixelRatio();
                const QImage oMine = Export::Image(b, r.nPly, o, dRatio);
                EXPECT_TRUE(oMine.copy(QRect(QPoint(0, nBand) * dRatio, oOwn.size())) == oOwn);
            }
        } else if (r.eFormat == ExportFormat::Svg) {
            QSvgRenderer oSvg(Export::Svg(b, r.nPly, o));
            ASSERT_EQ(oSvg.defaultSize(), oSize);
            QImage oDrawn(oSize, QImage::Format_RGB32);
            QPainter p(&oDrawn);
            oSvg.render(&p);
            p.end();
            EXPECT_LT(PictureDifference(oDrawn, Export::Image(b, r.nPly, o)).first, 1.5);
        } else {
            QByteArray oGif = Export::Gif(b, o);
            QBuffer oBuffer(&oGif);
            QImageReader oReader(&oBuffer, "gif");
            EXPECT_EQ(oReader.imageCount(), OperaPlies + 1);
            EXPECT_EQ(oReader.size(), oSize);
            for (int n = 0; n <= OperaPlies; ++n) {
                SCOPED_TRACE(n);
                const QImage oFrame = oReader.read().convertToFormat(QImage::Format_RGB32);
                ASSERT_EQ(oFrame.size(), oSize);
                EXPECT_EQ(oReader.nextImageDelay(), n < OperaPlies ? 600 : 3000);
                const auto [dMean, nMax] = PictureDifference(oFrame, Export::Image(b, n, o));
                EXPECT_LT(dMean, 2.5);
                EXPECT_LT(nMax, 80);
            }
            EXPECT_EQ(oReader.loopCount(), -1); // for ever
        }
    }
}

// A game's arrows and circles are pictured with the node they belong to, on any line, when the
// marks are on, where the board draws them, turned with it; by ply (as a GIF's frames are made)
// the main line's. Each row names the squares a shape must change and squares it must not.
TEST(Export, ShapesOfTheNodePictured) {
    Board b;
    ASSERT_TRUE(b.LoadPgn("1. e4 {[%cal Ge2e4]} e5 (1... c5 {[%csl Rc5][%cal Bg8f6]}) 2. Nf3 *"));
    const int nE4 = b.MainLineNode(1), nC5 = b.ChildNodes(nE4).value(1, -1);
    const struct {
        int nShow, nPly;
        bool bMarks, bFlip;
        const char *sChanged;
    } oRows[] = {
        {nE4, -1, true, false, "e2 e3 e4"},         {nE4, -1, true, true, "e2 e3 e4"},
        {nC5, -1, true, false, "c5 f6 f7 g7 g8"},   {nC5, -1, false, false, ""},
        {b.RootNode(), 1, true, false, "e2 e3 e4"}, {nC5, 2, true, true, ""},
    };
    for (const auto &r : oRows) {
        SCOPED_TRACE(testing::Message() << r.nShow << " ply " << r.nPly << " flip " << r.bFlip);
        ASSERT_TRUE(b.ShowNode(r.nShow));
        ExportOptions o;
        o.nSize = 480;
        o.bWhitesView = !r.bFlip;
        o.bCoordinates = o.bNames = false;
        o.bMarks = r.bMarks;
        BoardScene oBare = Export::SceneOf(b, r.nPly, o);
        oBare.oShapes.clear();
        const QImage oImage = Export::Image(b, r.nPly, o);
        const QImage oBareImage = BoardRenderer().Image(oBare, o.nSize);
        QStringList oChanged;
        for (char f = 'a'; f <= 'h'; ++f)
            for (char k = '1'; k <= '8'; ++k) {
                const QPoint oAt(r.bFlip ? 'h' - f : f - 'a', r.bFlip ? k - '1' : '8' - k);
                const QRect oCell(oAt * 60, QSize(60, 60));
                if (oImage.copy(oCell) != oBareImage.copy(oCell))
                    oChanged << QString(f) + k;
            }
        EXPECT_EQ(oChanged.join(' ').toStdString(), r.sChanged);
    }
}

// A file name from the players' surnames and the date, as far as the tags know them, with what
// a file name cannot hold taken out.
TEST(Export, SuggestedNames) {
    const struct {
        const char *sTags;
        const char *sExtension;
        const char *sName;
    } oRows[] = {
        {"[White \"Ann\"][Black \"Bob\"][Date \"2026.12.07\"]", "gif", "Ann-Bob-2026.12.07.gif"},
        {"[White \"Morphy, Paul\"][Black \"Duke Karl\"][Date \"1858.??.??\"]", "png",
         "Morphy-Duke_Karl-1858.png"},
        {"[White \"?\"][Black \"?\"][Date \"????.??.??\"]", "png", "position.png"},
        {"", "gif", "game.gif"},
        {"[White \"a/b:c*d\"][Black \"\"][Date \"2026.01\"]", "svg", "a_b_c_d-2026.01.svg"},
    };
    for (const auto &o : oRows) {
        Board b;
        ASSERT_TRUE(b.LoadPgn(QString(o.sTags) + "\n\n*"));
        EXPECT_EQ(Export::SuggestedName(b, o.sExtension).toStdString(), o.sName);
    }
}

// The program, from the command line without a display: good and bad arguments, their exit
// status and message, and nothing written unless all is well (a file there stays as it was).
TEST(Export, CommandLine) {
    QTemporaryDir oDir;
    Put(oDir, "games.pgn", QByteArray(Opera) + "\n\n[White \"X\"]\n\n1. f3 e5 *\n");
    Put(oDir, "bad.pgn", "1. e4 e5 2. Ke3 *\n");
    Put(oDir, "binary.pgn", QByteArray("\0\1\2\3PK", 6));
    const struct {
        const char *sArgs;
        int nStatus;
        const char *sSays = ""; // in the message
        QSize oSize = {};       // of the picture written; empty: none written
        int nFrames = 1;        // a GIF's
    } oRows[] = {
        {"--export games.pgn --to out.png", 0, "", {480, 480}},
        {"--export games.pgn --to out.png --size 300 --ply 0 --flip --coordinates --marks",
         0,
         "",
         {300, 300}},
        {"--export games.pgn --to out.svg --names", 0, "", {480, 560}},
        {"--export games.pgn --to out.gif --game 2 --frame-time 0.5", 0, "", {480, 480}, 3},
        {"--export games.pgn --to OUT.GIF --size 240", 0, "", {240, 240}, 34},
        {"--export games.pgn --to out.png --game 3", 1, "holds 2 games; there is no game 3"},
        {"--export games.pgn --to out.png --ply 34", 1, "has 33 half-moves"},
        {"--export missing.pgn --to out.png", 1, "cannot read"},
        {"--export bad.pgn --to out.png", 1, "game 1 of bad.pgn cannot be read"},
        {"--export binary.pgn --to out.png", 1, "binary.pgn holds 0 games"},
        {"--export games.pgn --to out.jpg", 2, "must end in .png, .svg or .gif"},
        {"--export games.pgn", 2, "go together"},
        {"--export games.pgn --to out.png --size 100", 2, "bad size \"100\""},
        {"--export games.pgn --to out.png --ply -1", 2, "bad ply"},
        {"--export games.pgn --to out.gif --frame-time 9", 2, "bad frame time"},
        {"--export games.pgn --to out.png --game x", 2, "bad game number"},
        {"--export games.pgn --to gone/out.png", 1, "The folder does not exist"},
    };
    for (const auto &o : oRows) {
        SCOPED_TRACE(o.sArgs);
        const QStringList oArgs = QString(o.sArgs).split(' ');
        QProcess p;
        p.setWorkingDirectory(oDir.path());
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove("DISPLAY");
        e.remove("WAYLAND_DISPLAY");
        e.remove("QT_QPA_PLATFORM");
        p.setProcessEnvironment(e);
        p.start(TAVLON_EXE, oArgs);
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString sSaid = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), o.nStatus) << sSaid.toStdString();
        EXPECT_TRUE(sSaid.contains(o.sSays)) << sSaid.toStdString();
        const QStringList oWritten = QDir(oDir.path()).entryList({"out.*", "OUT.*"}, QDir::Files);
        EXPECT_EQ(oWritten.size(), o.oSize.isEmpty() ? 0 : 1);
        if (!o.oSize.isEmpty()) {
            const QString sFile = oDir.filePath(oWritten.value(0));
            QImageReader oReader(sFile);
            const bool bSvg = sFile.endsWith(".svg");
            EXPECT_EQ(bSvg ? QSvgRenderer(sFile).defaultSize() : oReader.size(), o.oSize);
            EXPECT_EQ(bSvg ? 1 : std::max(1, oReader.imageCount()), o.nFrames);
            QFile::remove(sFile);
        }
    }
}

// A full disk, a file-size limit, from the command line and the window: no file, or the old one
// whole, and a message that says why.
TEST(Export, AFullDiskLeavesNoBrokenFile) {
    QTemporaryDir oDir;
    const QString sFs = oDir.filePath("fs");
    QDir().mkpath(sFs);
    const bool bMounted = ::mount("tmpfs", sFs.toLocal8Bit(), "tmpfs", 0, "size=16k") == 0;
    if (!bMounted)
        GTEST_SKIP() << "mounting a small filesystem needs root";
    const QString sGame = Put(oDir, "g.pgn", Opera);
    Put(oDir, "fs/old.gif", "old");
    for (const char *sOut : {"new.png", "old.gif"}) {
        QProcess p;
        p.start(TAVLON_EXE, {"--export", sGame, "--to", sFs + "/" + sOut});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_TRUE(QString(p.readAllStandardError()).contains("No space left on the device"));
    }
    EXPECT_EQ(QDir(sFs).entryList(QDir::Files | QDir::Hidden), QStringList{"old.gif"});
    EXPECT_EQ(Read(sFs + "/old.gif"), "old");
    ::umount(sFs.toLocal8Bit());
}

// --- In the window ----------------------------------------------------------------------------

class ExportWindow : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        QApplication::clipboard()->setText(Opera);
        {
            Answerer discard({"Discard"});
            Key(Qt::Key_V);
        }
        ASSERT_EQ(board->PlyCount(), OperaPlies);
        w.setFileChooser([this](QWidget *, FileQuestion e, const QString &sSuggested) {
            asked << QString(e == FileQuestion::ExportGif ? "gif" : "image") + ":" +
                         QFileInfo(sSuggested).fileName();
            return sSaveAnswer;
        });
    }
    // Runs an export command, answering its dialog with onDialog and then Save... (or Cancel),
    // and any box after it with oAfter; returns the boxes seen, the dialog first.
    QStringList Export(const char *sAction, const std::function<void(QDialog *)> &onDialog,
                       const char *sButton = "Save...", const QStringList &oAfter = {}) {
        Answerer answer(QStringList{"END"} + oAfter);
        answer.onEnd = [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            onDialog(dialog);
            for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
                if (b->text().remove('&') == sButton)
                    b->click();
        };
        Steps(&w, sAction);
        if (!oAfter.isEmpty())
            QTest::qWait(50); // the box after the dialog
        return answer.seen;
    }
};

// The dialog's choices make the picture, are remembered for the next time, and the preview
// follows them; the position shown (reviewing, turned) is the one pictured; a GIF plays.
TEST_F(ExportWindow, DialogChoicesPictureAndRemember) {
    Steps(&w, "view:21|mnuViewReverse");
    sSaveAnswer = Path("opera"); // no ending: the format's own is added
    QImage oBefore, oAfter;
    Export("mnuGameExportImage", [&](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Export Position as Image");
        oBefore = d->findChild<QLabel *>("lblPreview")->pixmap().toImage();
        d->findChild<QSpinBox *>("spnSize")->setValue(336);
        d->findChild<QCheckBox *>("chkCoordinates")->setChecked(true);
        d->findChild<QCheckBox *>("chkNames")->setChecked(false);
        oAfter = d->findChild<QLabel *>("lblPreview")->pixmap().toImage();
        EXPECT_EQ(d->findChild<QLabel *>("lblSize")->text(), "336 × 336 pixels");
    });
    EXPECT_NE(oBefore, oAfter);
    EXPECT_EQ(asked, QStringList{"image:Morphy-Duke_Karl-1858.11.02.png"});
    ExportOptions o = ExportOptions::Remembered();
    EXPECT_EQ(o.nSize, 336);
    EXPECT_TRUE(o.bCoordinates && o.bMarks && !o.bNames);
    o.bWhitesView = false;
    EXPECT_EQ(Decoded(Read(Path("opera.png")), "png"), Export::Image(*board, 21, o));
    EXPECT_EQ(Status(), "Saved " + QDir::toNativeSeparators(Path("opera.png")).toStdString());

    // The choices come back; the GIF's preview plays the game from the start.
    sSaveAnswer = Path("opera.gif");
    Export("mnuGameExportGif", [&](QDialog *d) {
        EXPECT_EQ(d->findChild<QSpinBox *>("spnSize")->value(), 336);
        auto *p = qobject_cast<dlgExport *>(d);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->PreviewPly(), 0);
        QTest::qWait(1300);
        EXPECT_GE(p->PreviewPly(), 1);
    });
    QImageReader oGif(Path("opera.gif"));
    EXPECT_EQ(oGif.imageCount(), OperaPlies + 1);

    // Cancel asks for no file and writes nothing.
    asked.clear();
    Export(
        "mnuGameExportImage", [](QDialog *) {}, "Cancel");
    EXPECT_TRUE(asked.isEmpty());
}

// Copy Position as Image puts the picture on the clipboard as PNG, with the remembered choices.
TEST_F(ExportWindow, CopyPositionAsImage) {
    Steps(&w, "view:5");
    Key(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    const QMimeData *pData = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(pData->hasFormat("image/png"));
    ExportOptions o = ExportOptions::Remembered();
    EXPECT_EQ(Decoded(pData->data("image/png"), "png"), Export::Image(*board, 5, o));
    EXPECT_EQ(pData->imageData().value<QImage>().size(), QSize(480, 480));

    // A position of a variation is the one pictured, not the main line's at its ply.
    const int nAlternative = board->AddMove(board->MainLineNode(4), "Nc3");
    ASSERT_TRUE(board->ShowNode(nAlternative));
    Key(Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    const QImage oCopied = Decoded(QApplication::clipboard()->mimeData()->data("image/png"), "png");
    EXPECT_EQ(oCopied, Export::Image(*board, -1, o));
    EXPECT_NE(oCopied, Export::Image(*board, 5, o));
}

// A picture that cannot be written is said so in a box, and leaves no file.
TEST_F(ExportWindow, AFailedWriteIsShown) {
    sSaveAnswer = Path("gone/x.svg");
    const QStringList oSeen = Export("mnuGameExportImage", [](QDialog *) {}, "Save...", {"OK"});
    ASSERT_EQ(oSeen.size(), 2);
    EXPECT_EQ(oSeen[1].toStdString(),
              "Tavlon:Cannot export the picture:\nThe folder does not exist: x.svg was not "
              "written.");
}

} // namespace

namespace {

// A player the tags do not name is named by colour in the picture, not "?".
TEST(Export, UnknownPlayersNamedByTheirColour) {
    Board b;
    ASSERT_TRUE(b.LoadPgn("[White \"?\"]\n[Black \"Kasparov\"]\n\n1. e4 *"));
    ExportOptions o;
    o.bNames = true;
    const QByteArray oSvg = Export::Svg(b, -1, o);
    EXPECT_TRUE(oSvg.contains(">White<") && oSvg.contains(">Kasparov<") && !oSvg.contains(">?<"))
        << oSvg.toStdString();
}

} // namespace
