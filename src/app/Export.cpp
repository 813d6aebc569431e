#include "Export.h"

#include "GifWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSettings>
#include <tavlon/Board.h>
#include <tavlon/BoardRenderer.h>

namespace {

const QString sKey = QStringLiteral("export/");

std::unique_ptr<BoardRenderer> RendererFor(const Board &b) {
    auto p = std::make_unique<BoardRenderer>();
    p->SetPieceSet(b.PieceSetFolder()); // the board has read it already: it reads
    return p;
}

QString Known(const Board &b, const char *sTag) {
    const QString s = b.Tag(QString::fromLatin1(sTag)).trimmed();
    return s == QLatin1String("?") ? QString() : s;
}

} // namespace

ExportOptions ExportOptions::Remembered() {
    const QSettings s;
    ExportOptions o;
    o.nSize =
        std::clamp(s.value(sKey + QLatin1String("size"), DefaultSize).toInt(), MinSize, MaxSize);
    o.bCoordinates = s.value(sKey + QLatin1String("coordinates"), false).toBool();
    o.bMarks = s.value(sKey + QLatin1String("marks"), true).toBool();
    o.bNames = s.value(sKey + QLatin1String("names"), false).toBool();
    o.nFrameMs = std::clamp(s.value(sKey + QLatin1String("frameTime"), DefaultFrameMs).toInt(),
                            MinFrameMs, MaxFrameMs);
    return o;
}

void ExportOptions::Remember() const {
    QSettings s;
    s.setValue(sKey + QLatin1String("size"), nSize);
    s.setValue(sKey + QLatin1String("coordinates"), bCoordinates);
    s.setValue(sKey + QLatin1String("marks"), bMarks);
    s.setValue(sKey + QLatin1String("names"), bNames);
    s.setValue(sKey + QLatin1String("frameTime"), nFrameMs);
}

namespace Export {

bool FormatOf(const QString &sPath, ExportFormat &eFormat) {
    const QString s = sPath.section(QLatin1Char('.'), -1).toLower();
    if (!sPath.contains(QLatin1Char('.')))
        return false;
    if (s == QLatin1String("png"))
        eFormat = ExportFormat::Png;
    else if (s == QLatin1String("svg"))
        eFormat = ExportFormat::Svg;
    else if (s == QLatin1String("gif"))
        eFormat = ExportFormat::Gif;
    else
        return false;
    return true;
}

BoardScene SceneOf(const Board &b, int nPly, const ExportOptions &o) {
    BoardScene s = b.Scene(nPly);
    s.bIsWhitesView = o.bWhitesView;
    s.bShowCoordinates = o.bCoordinates;
    s.bShowLastMove = s.bShowCheck = s.bShowShapes = o.bMarks;
    s.bShowNames = o.bNames;
    if (s.sWhite.isEmpty() || s.sWhite == QLatin1String("?"))
        s.sWhite = QCoreApplication::translate("Export", "White");
    if (s.sBlack.isEmpty() || s.sBlack == QLatin1String("?"))
        s.sBlack = QCoreApplication::translate("Export", "Black");
    return s;
}

QImage Image(const Board &b, int nPly, const ExportOptions &o, qreal dRatio) {
    return RendererFor(b)->Image(SceneOf(b, nPly, o), o.nSize, dRatio);
}

QByteArray Png(const QImage &oImage) {
    QByteArray oData;
    QBuffer oBuffer(&oData);
    oBuffer.open(QIODevice::WriteOnly);
    QImageWriter oWriter(&oBuffer, "png");
    // zlib's fastest level: the wood's grain makes the default level four times slower for a
    // file a fifth smaller.
    oWriter.setQuality(80);
    oWriter.write(oImage);
    return oData;
}

QByteArray Png(const Board &b, int nPly, const ExportOptions &o) {
    return Png(Image(b, nPly, o));
}

QByteArray Svg(const Board &b, int nPly, const ExportOptions &o) {
    return RendererFor(b)->Svg(SceneOf(b, nPly, o), o.nSize);
}

QByteArray Gif(const Board &b, const ExportOptions &o, QString *pError) {
    const auto pRenderer = RendererFor(b);
    const int nLast = b.PlyCount();
    const auto Frame = [&](int nPly) { return pRenderer->Image(SceneOf(b, nPly, o), o.nSize); };
    // The palette from the first and the last frame, and a frame with a check when there is one:
    // together they hold the wood, every kind of piece left, the marks and the names.
    QList<QImage> oSamples{Frame(0)};
    if (nLast > 0)
        oSamples << Frame(nLast);
    for (int n = 1; n < nLast && o.bMarks; ++n) {
        if (!b.Scene(n).sCheck.isEmpty()) {
            oSamples << Frame(n);
            break;
        }
    }
    GifWriter oGif(oSamples.constFirst().size(), oSamples);
    for (int n = 0; n <= nLast; ++n)
        if (!oGif.AddFrame(n == 0 ? oSamples.constFirst() : Frame(n),
                           n == nLast ? ExportOptions::LastFrameMs : o.nFrameMs))
            break;
    return oGif.Finish(pError);
}

QString SuggestedName(const Board &b, const QString &sExtension) {
    // Dots of an unknown part ("2026.??.??") go with it.
    static const QRegularExpression oBad(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f]+)"));
    QStringList oParts;
    for (const char *sTag : {"White", "Black"}) {
        // A surname is enough: "Kasparov, Garry" is Kasparov.
        QString s = Known(b, sTag).section(QLatin1Char(','), 0, 0);
        s.replace(oBad, QStringLiteral(" "));
        s = s.simplified();
        if (!s.isEmpty())
            oParts << s.replace(QLatin1Char(' '), QLatin1Char('_'));
    }
    const QString sDate = Known(b, "Date");
    static const QRegularExpression oDate(QStringLiteral(R"(^\d{4}(\.\d\d){0,2})"));
    if (const QRegularExpressionMatch m = oDate.match(sDate); m.hasMatch())
        oParts << m.captured();
    if (oParts.isEmpty())
        oParts << (sExtension == QLatin1String("gif") ? QStringLiteral("game")
                                                      : QStringLiteral("position"));
    return oParts.join(QLatin1Char('-')) + QLatin1Char('.') + sExtension;
}

} // namespace Export
