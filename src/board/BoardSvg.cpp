// A picture of a position as SVG 1.1: the same layout and colours as the drawn picture, written as
// vectors, with each piece's own drawing inside.
#include "BoardRendererPrivate.h"
#include "PieceSet.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

using namespace SquareDesign;

namespace {

const QString SvgNs = QStringLiteral("http://www.w3.org/2000/svg");
const QString XlinkNs = QStringLiteral("http://www.w3.org/1999/xlink");

QString Num(qreal d) {
    // Three decimals are finer than any screen; trailing zeros go.
    QString s = QString::number(d, 'f', 3);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString Hex(const QColor &c) {
    return c.name(QColor::HexRgb);
}

void Rect(QXmlStreamWriter &w, const QRectF &r) {
    w.writeAttribute(QStringLiteral("x"), Num(r.x()));
    w.writeAttribute(QStringLiteral("y"), Num(r.y()));
    w.writeAttribute(QStringLiteral("width"), Num(r.width()));
    w.writeAttribute(QStringLiteral("height"), Num(r.height()));
}

void Fill(QXmlStreamWriter &w, const QColor &c) {
    w.writeAttribute(QStringLiteral("fill"), Hex(c));
    if (c.alpha() != 255)
        w.writeAttribute(QStringLiteral("fill-opacity"), Num(c.alphaF()));
}

// Text placed as QPainter::drawText places it in a rectangle: the baseline from the font's
// ascent and descent, the start from its advance.
void Text(QXmlStreamWriter &w, const QRectF &r, Qt::Alignment eAlign, const QString &s,
          const QFont &f, const QColor &c) {
    if (s.isEmpty())
        return;
    const QFontMetricsF m(f);
    const qreal x = eAlign & Qt::AlignRight ? r.right() - m.horizontalAdvance(s) : r.left();
    const qreal y = eAlign & Qt::AlignBottom ? r.bottom() - m.descent()
                    : eAlign & Qt::AlignTop  ? r.top() + m.ascent()
                                             : r.top() + (r.height() - m.height()) / 2 + m.ascent();
    w.writeStartElement(QStringLiteral("text"));
    w.writeAttribute(QStringLiteral("x"), Num(x));
    w.writeAttribute(QStringLiteral("y"), Num(y));
    w.writeAttribute(QStringLiteral("font-family"),
                     QStringLiteral("'%1', sans-serif").arg(f.family()));
    w.writeAttribute(QStringLiteral("font-size"), Num(f.pixelSize()));
    if (f.bold())
        w.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
    Fill(w, c);
    w.writeCharacters(s);
    w.writeEndElement();
}

// Copies a piece's drawing, the children of its root, into a group of its own: elements and
// attributes of SVG and XLink only (an editor's own, such as Inkscape's, go), every id and
// reference given the piece's prefix so that the twelve drawings' ids cannot clash.
void CopyPiece(QXmlStreamWriter &w, const QByteArray &oSvg, const QString &sPrefix) {
    static const QRegularExpression oUrl(QStringLiteral(R"(url\(\s*#)"));
    const auto Prefixed = [&sPrefix](const QString &sName, QString sValue) {
        if (sName == QLatin1String("id"))
            return sPrefix + sValue;
        if (sName == QLatin1String("href") && sValue.startsWith(QLatin1Char('#')))
            return QLatin1Char('#') + sPrefix + sValue.mid(1);
        return sValue.replace(oUrl, QStringLiteral("url(#") + sPrefix);
    };
    QXmlStreamReader r(oSvg);
    int nDepth = 0; // below the root
    int nSkipping = 0;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            ++nDepth;
            const QString sName = r.name().toString();
            if (nSkipping > 0 || r.namespaceUri() != SvgNs || sName == QLatin1String("metadata") ||
                sName == QLatin1String("title") || sName == QLatin1String("desc") ||
                sName == QLatin1String("script") || sName == QLatin1String("foreignObject")) {
                ++nSkipping;
                continue;
            }
            if (nDepth == 1)
                continue; // the root: its size is the group's transform
            w.writeStartElement(sName);
            for (const QXmlStreamAttribute &a : r.attributes()) {
                const QString sAttr = a.name().toString();
                if (a.namespaceUri() == XlinkNs)
                    w.writeAttribute(QStringLiteral("xlink:") + sAttr,
                                     Prefixed(sAttr, a.value().toString()));
                else if (a.namespaceUri().isEmpty())
                    w.writeAttribute(sAttr, Prefixed(sAttr, a.value().toString()));
            }
        } else if (r.isEndElement()) {
            --nDepth;
            if (nSkipping > 0)
                --nSkipping;
            else if (nDepth > 0)
                w.writeEndElement();
        } else if (r.isCharacters() && !r.isWhitespace() && nSkipping == 0 && nDepth > 1) {
            w.writeCharacters(r.text().toString());
        }
    }
}

} // namespace

QByteArray BoardRendererPrivate::Svg(const BoardScene &o, int nSide) {
    const Layout l = LayoutOf(o, nSide);
    oSquares.SetSize(l.oGrid.nCell, 1);
    const bool bView = o.bIsWhitesView;
    const qreal c = l.oGrid.nCell;
    const qreal dInner = c - 2 * Border;
    const qreal k = dInner / DesignInner;

    // The wood and the grid, as the picture draws them with nothing on the squares.
    QImage oWood(QSize(l.oBoard.width(), l.oBoard.width()), QImage::Format_RGB32);
    oWood.fill(BorderColour);
    {
        QPainter p(&oWood);
        p.translate(0, -l.nBand);
        for (int n = 1; n <= 64; ++n)
            PaintSquare(p, l.oGrid.CellRect(n, bView).topLeft(), n, -1, 0);
    }
    QByteArray oPng;
    QBuffer oBuffer(&oPng);
    oBuffer.open(QIODevice::WriteOnly);
    oWood.save(&oBuffer, "png");

    QByteArray oOut;
    QXmlStreamWriter w(&oOut);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument(QStringLiteral("1.0"), false);
    w.writeDTD(QStringLiteral("<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
                              "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">"));
    w.writeStartElement(QStringLiteral("svg"));
    w.writeAttribute(QStringLiteral("xmlns"), SvgNs);
    w.writeAttribute(QStringLiteral("xmlns:xlink"), XlinkNs);
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    w.writeAttribute(QStringLiteral("width"), QString::number(l.oSize.width()));
    w.writeAttribute(QStringLiteral("height"), QString::number(l.oSize.height()));
    w.writeAttribute(QStringLiteral("viewBox"),
                     QStringLiteral("0 0 %1 %2").arg(l.oSize.width()).arg(l.oSize.height()));

    // --- Definitions: the check's glow and each piece that stands on the board -------------
    w.writeStartElement(QStringLiteral("defs"));
    w.writeStartElement(QStringLiteral("radialGradient"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("check"));
    w.writeAttribute(QStringLiteral("cx"), QStringLiteral("0.5"));
    w.writeAttribute(QStringLiteral("cy"), QStringLiteral("0.5"));
    w.writeAttribute(QStringLiteral("r"), QStringLiteral("0.62"));
    for (const auto &[dAt, nAlpha] : {std::pair{0.0, 255}, {0.55, 200}, {1.0, 0}}) {
        w.writeEmptyElement(QStringLiteral("stop"));
        w.writeAttribute(QStringLiteral("offset"), Num(dAt));
        w.writeAttribute(QStringLiteral("stop-color"), Hex(CheckGlow));
        w.writeAttribute(QStringLiteral("stop-opacity"), Num(nAlpha / 255.0));
    }
    w.writeEndElement();
    std::array<QRectF, PieceSet::ClassCount> oViewBoxes;
    for (int nClass = 0; nClass < PieceSet::ClassCount; ++nClass) {
        if (std::find(o.nPieces.begin(), o.nPieces.end(), nClass) == o.nPieces.end())
            continue;
        const QString sFile = PieceSet::FileName(nClass);
        QFile oFile(sPieceFolder.isEmpty() ? QStringLiteral(":/tavlon/pieces/") + sFile
                                           : QDir(sPieceFolder).filePath(sFile));
        const QByteArray oSvg = oFile.open(QIODevice::ReadOnly) ? oFile.readAll() : QByteArray();
        oViewBoxes[static_cast<std::size_t>(nClass)] = QSvgRenderer(oSvg).viewBoxF();
        w.writeStartElement(QStringLiteral("g"));
        w.writeAttribute(QStringLiteral("id"), QStringLiteral("piece-") + sFile.left(2));
        CopyPiece(w, oSvg, sFile.left(2) + QLatin1Char('-'));
        w.writeEndElement();
    }
    w.writeEndElement(); // defs

    w.writeEmptyElement(QStringLiteral("image"));
    Rect(w, l.oBoard);
    w.writeAttribute(QStringLiteral("xlink:href"), QStringLiteral("data:image/png;base64,") +
                                                       QString::fromLatin1(oPng.toBase64()));

    // --- Each square's marks, piece and letters, in the order the picture paints them --------
    const QFont oLabelFont = [&] {
        QFont f = QGuiApplication::font();
        f.setPixelSize(LabelPixels(qRound(dInner)));
        return f;
    }();
    const qreal dPiece = oSquares.PieceSize();
    const QPointF oPieceAt = oSquares.PieceOffset();
    for (int n = 1; n <= 64; ++n) {
        const QPointF oCell = l.oGrid.CellRect(n, bView).topLeft();
        const QRectF oInner(oCell + QPointF(Border, Border), QSizeF(dInner, dInner));
        const SquareRenderer::Marks nMarks = SceneMarks(o, n);
        if (nMarks & SquareRenderer::LastMove) {
            w.writeEmptyElement(QStringLiteral("rect"));
            Rect(w, oInner);
            Fill(w, LastMoveTint);
        }
        if (nMarks & SquareRenderer::Check) {
            w.writeEmptyElement(QStringLiteral("rect"));
            Rect(w, oInner);
            w.writeAttribute(QStringLiteral("fill"), QStringLiteral("url(#check)"));
        }
        const qint16 nClass = o.nPieces[static_cast<std::size_t>(n - 1)];
        const QRectF oBox = nClass >= 0 && nClass < PieceSet::ClassCount
                                ? oViewBoxes[static_cast<std::size_t>(nClass)]
                                : QRectF();
        if (!oBox.isEmpty()) {
            // Fitted and centred as the drawn pieces are, keeping their proportions.
            const qreal s = dPiece / std::max(oBox.width(), oBox.height());
            const QPointF oAt = oCell + oPieceAt +
                                QPointF(dPiece - s * oBox.width(), dPiece - s * oBox.height()) / 2;
            w.writeEmptyElement(QStringLiteral("use"));
            w.writeAttribute(QStringLiteral("xlink:href"),
                             QStringLiteral("#piece-") + PieceSet::FileName(nClass).left(2));
            w.writeAttribute(QStringLiteral("transform"),
                             QStringLiteral("translate(%1 %2) scale(%3) translate(%4 %5)")
                                 .arg(Num(oAt.x()), Num(oAt.y()), QString::number(s, 'g', 6),
                                      Num(-oBox.x()), Num(-oBox.y())));
        }
        const bool bDark = IsDark(n);
        const QColor oLabel = bDark ? LabelOnDark : LabelOnLight;
        const int nIndex = n - 1;
        if (nMarks & SquareRenderer::FileLabel)
            Text(w, oInner.adjusted(0, 0, -k, k), Qt::AlignRight | Qt::AlignBottom,
                 QString(QChar(u'a' + nIndex % 8)), oLabelFont, oLabel);
        if (nMarks & SquareRenderer::RankLabel)
            Text(w, oInner.adjusted(k, -k, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                 QString(QChar(u'8' - nIndex / 8)), oLabelFont, oLabel);
    }

    // --- Arrows and circles ----------------------------------------------------------------
    for (const BoardShape &oShape : o.bShowShapes ? o.oShapes : QList<BoardShape>()) {
        if (const QPolygonF a = ArrowOutline(l.oGrid, bView, oShape); !a.isEmpty()) {
            QString sPath;
            for (const QPointF &pt : a)
                sPath += (sPath.isEmpty() ? QStringLiteral("M") : QStringLiteral(" L")) +
                         Num(pt.x()) + QLatin1Char(' ') + Num(pt.y());
            w.writeEmptyElement(QStringLiteral("path"));
            w.writeAttribute(QStringLiteral("d"), sPath + QStringLiteral(" Z"));
            Fill(w, oShape.oColour);
        } else if (const Ring r = RingOf(l.oGrid, bView, oShape); r.dWidth > 0) {
            w.writeEmptyElement(QStringLiteral("circle"));
            w.writeAttribute(QStringLiteral("cx"), Num(r.oCentre.x()));
            w.writeAttribute(QStringLiteral("cy"), Num(r.oCentre.y()));
            w.writeAttribute(QStringLiteral("r"), Num(r.dRadius));
            w.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
            w.writeAttribute(QStringLiteral("stroke"), Hex(oShape.oColour));
            if (oShape.oColour.alpha() != 255)
                w.writeAttribute(QStringLiteral("stroke-opacity"), Num(oShape.oColour.alphaF()));
            w.writeAttribute(QStringLiteral("stroke-width"), Num(r.dWidth));
        }
    }

    // --- The players' bands ------------------------------------------------------------------
    if (o.bShowNames) {
        for (const Band &b : BandsOf(o, l, QGuiApplication::font())) {
            w.writeEmptyElement(QStringLiteral("rect"));
            Rect(w, b.oRect);
            Fill(w, BorderColour);
            const auto Circle = [&w, &b](qreal r, const QString &sFill, const QColor &oStroke,
                                         qreal dWidth) {
                w.writeEmptyElement(QStringLiteral("circle"));
                w.writeAttribute(QStringLiteral("cx"), Num(b.oDisc.x()));
                w.writeAttribute(QStringLiteral("cy"), Num(b.oDisc.y()));
                w.writeAttribute(QStringLiteral("r"), Num(r));
                w.writeAttribute(QStringLiteral("fill"), sFill);
                w.writeAttribute(QStringLiteral("stroke"), Hex(oStroke));
                w.writeAttribute(QStringLiteral("stroke-width"), Num(dWidth));
            };
            if (b.bToMove)
                Circle(b.dRing, QStringLiteral("none"), LastMoveTint, b.dRingWidth);
            Circle(b.dDisc, Hex(b.bWhite ? WhiteDisc : BlackDisc), LabelOnDark, b.dDiscWidth);
            Text(w, b.oScoreRect, Qt::AlignRight | Qt::AlignVCenter, b.sScore, b.oBold,
                 LabelOnDark);
            Text(w, b.oNameRect, Qt::AlignLeft | Qt::AlignVCenter, b.sName, b.oFont, LabelOnDark);
        }
    }
    w.writeEndElement(); // svg
    w.writeEndDocument();
    return oOut;
}
