// Draws every picture in assets/ from code: the pieces as SVG (the board renders them at the size
// shown), square textures and the program icon; and synthesises the sounds (Sounds.cpp). The
// bitmaps are vector-drawn at their final pixel size and all noise comes from a fixed seed, so a
// rerun with the same Qt leaves the committed files unchanged.
//
// Usage: tavlon-make-assets <assets-directory>

#include "Sounds.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTextStream>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

// Piece shapes are laid out on a 32 x 32 design grid, which is also the 1x pixel grid, so the
// important horizontal edges can sit on whole pixels at the size that matters most.
constexpr double kGrid = 32.0;

enum class Kind { King, Queen, Rook, Knight, Bishop, Pawn };

// Class codes: 0-5 black king..pawn, 6-11 white king..pawn.
constexpr std::array<Kind, 6> kKindOrder{Kind::King,   Kind::Queen,  Kind::Rook,
                                         Kind::Knight, Kind::Bishop, Kind::Pawn};

struct Palette {
    QColor fillTop;
    QColor fillBottom;
    QColor outline;
    QColor detail;
};

// White's outline is black and drawn thicker than Black's: a white piece on a light square must
// still stand out from it.
const Palette kWhite{QColor(0xff, 0xfb, 0xf2), QColor(0xe8, 0xda, 0xbd), QColor(0x00, 0x00, 0x00),
                     QColor(0x1c, 0x17, 0x12)};
const Palette kBlack{QColor(0x4a, 0x43, 0x3c), QColor(0x1a, 0x16, 0x13), QColor(0x05, 0x04, 0x03),
                     QColor(0xe9, 0xdf, 0xcc)};

const QColor kLightSquare(0xee, 0xd9, 0xb4);
const QColor kDarkSquare(0xaa, 0x7b, 0x55);

QPainterPath rect(double x0, double y0, double x1, double y1, double r = 0.0) {
    QPainterPath p;
    if (r > 0.0)
        p.addRoundedRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)), r, r);
    else
        p.addRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)));
    return p;
}

QPainterPath circle(double cx, double cy, double r) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    return p;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(points)));
    p.closeSubpath();
    return p;
}

QPainterPath line(double x0, double y0, double x1, double y1) {
    QPainterPath p(QPointF(x0, y0));
    p.lineTo(x1, y1);
    return p;
}

// A body that narrows from a wide foot to a narrow neck with gently concave sides.
QPainterPath flaredBody(double topY, double topHalf, double bottomY, double bottomHalf) {
    const double c = 16.0;
    const double h = bottomY - topY;
    QPainterPath p(QPointF(c - topHalf, topY));
    p.lineTo(c + topHalf, topY);
    p.cubicTo(c + topHalf, topY + h * 0.45, c + bottomHalf - 0.5, bottomY - h * 0.25,
              c + bottomHalf, bottomY);
    p.lineTo(c - bottomHalf, bottomY);
    p.cubicTo(c - bottomHalf + 0.5, bottomY - h * 0.25, c - topHalf, topY + h * 0.45, c - topHalf,
              topY);
    p.closeSubpath();
    return p;
}

QPainterPath pedestal() {
    return rect(6.5, 25.0, 25.5, 29.5, 1.2);
}

struct Shape {
    std::vector<QPainterPath> solids; // united into the silhouette
    std::vector<QPainterPath> lines;  // inner detail strokes, clipped to the silhouette
    std::vector<QPainterPath> dots;   // small filled details (the knight's eye)
};

Shape pawn() {
    Shape s;
    s.solids = {pedestal(), flaredBody(16.5, 3.5, 25.5, 7.0), rect(10.5, 14.5, 21.5, 17.5, 1.2),
                circle(16.0, 10.0, 4.6)};
    s.lines = {line(5, 17.5, 27, 17.5), line(5, 25.5, 27, 25.5)};
    return s;
}

Shape rook() {
    Shape s;
    // Three merlons with two wide crenels: they must stay open at 32 px.
    QPainterPath top = polygon({{7.0, 4.5},
                                {11.0, 4.5},
                                {11.0, 8.0},
                                {14.0, 8.0},
                                {14.0, 4.5},
                                {18.0, 4.5},
                                {18.0, 8.0},
                                {21.0, 8.0},
                                {21.0, 4.5},
                                {25.0, 4.5},
                                {25.0, 11.0},
                                {23.0, 12.5},
                                {9.0, 12.5},
                                {7.0, 11.0}});
    s.solids = {pedestal(), top, rect(9.5, 12.0, 22.5, 23.0), rect(8.0, 22.0, 24.0, 25.5, 0.8)};
    s.lines = {line(5, 12.5, 27, 12.5), line(5, 22.5, 27, 22.5), line(5, 25.5, 27, 25.5)};
    return s;
}

Shape knight() {
    Shape s;
    // Horse head in profile, looking left: neck front, jaw, muzzle, nose, ear, mane.
    QPainterPath head(QPointF(8.5, 25.5));
    head.cubicTo(8.5, 22.8, 10.2, 20.8, 12.2, 18.9);
    head.cubicTo(10.6, 19.6, 9.0, 20.0, 7.2, 20.1);
    head.cubicTo(4.8, 20.2, 3.2, 18.4, 3.8, 16.2);
    head.cubicTo(5.0, 12.6, 8.6, 8.4, 11.2, 6.4);
    head.lineTo(13.6, 2.6);
    head.lineTo(16.0, 5.6);
    head.cubicTo(22.5, 6.0, 26.4, 11.5, 26.0, 19.0);
    head.lineTo(25.6, 25.5);
    head.closeSubpath();
    s.solids = {pedestal(), head};
    QPainterPath mane(QPointF(17.2, 7.4));
    mane.cubicTo(21.6, 8.6, 23.6, 13.0, 23.4, 19.5);
    s.lines = {mane, line(5, 25.5, 27, 25.5)};
    s.dots = {circle(10.9, 10.2, 1.25)};
    return s;
}

Shape bishop() {
    Shape s;
    QPainterPath mitre(QPointF(16.0, 5.2));
    mitre.cubicTo(19.5, 7.6, 22.2, 10.6, 22.2, 13.6);
    mitre.cubicTo(22.2, 16.4, 20.0, 18.2, 16.0, 18.2);
    mitre.cubicTo(12.0, 18.2, 9.8, 16.4, 9.8, 13.6);
    mitre.cubicTo(9.8, 10.6, 12.5, 7.6, 16.0, 5.2);
    mitre.closeSubpath();
    s.solids = {pedestal(), flaredBody(19.5, 3.2, 25.5, 7.5), rect(10.0, 17.5, 22.0, 20.5, 1.2),
                mitre, circle(16.0, 4.0, 2.1)};
    // The slit is what tells a bishop from a pawn at a glance, so it is drawn bold.
    s.lines = {line(19.6, 8.6, 14.8, 13.4), line(5, 20.5, 27, 20.5), line(5, 25.5, 27, 25.5)};
    return s;
}

Shape queen() {
    Shape s;
    QPainterPath crown = polygon({{5.6, 8.6},
                                  {10.0, 14.6},
                                  {10.6, 6.4},
                                  {13.9, 13.6},
                                  {16.0, 5.4},
                                  {18.1, 13.6},
                                  {21.4, 6.4},
                                  {22.0, 14.6},
                                  {26.4, 8.6},
                                  {23.0, 21.5},
                                  {9.0, 21.5}});
    s.solids = {pedestal(),
                crown,
                rect(8.5, 20.5, 23.5, 23.5, 1.0),
                flaredBody(23.0, 6.5, 25.5, 7.5),
                circle(5.6, 8.2, 2.1),
                circle(10.6, 6.0, 2.1),
                circle(16.0, 4.6, 2.2),
                circle(21.4, 6.0, 2.1),
                circle(26.4, 8.2, 2.1)};
    s.lines = {line(5, 17.5, 27, 17.5), line(5, 21.5, 27, 21.5), line(5, 25.5, 27, 25.5)};
    return s;
}

Shape king() {
    Shape s;
    // Two rounded lobes meeting under the cross, so the crown is not mistaken for a box.
    QPainterPath cap(QPointF(9.3, 21.0));
    cap.lineTo(6.4, 14.6);
    cap.cubicTo(5.6, 12.0, 7.8, 9.6, 10.8, 9.6);
    cap.cubicTo(13.4, 9.6, 15.0, 11.2, 16.0, 13.0);
    cap.cubicTo(17.0, 11.2, 18.6, 9.6, 21.2, 9.6);
    cap.cubicTo(24.2, 9.6, 26.4, 12.0, 25.6, 14.6);
    cap.lineTo(22.7, 21.0);
    cap.closeSubpath();
    // A bold cross: thin arms would melt into a blob at 32 px and look like a queen's ball.
    s.solids = {pedestal(),
                cap,
                rect(8.5, 20.0, 23.5, 23.5, 1.0),
                flaredBody(23.0, 6.5, 25.5, 7.5),
                rect(14.5, 2.0, 17.5, 12.5),
                rect(11.8, 4.4, 20.2, 7.4)};
    s.lines = {line(5, 17.5, 27, 17.5), line(5, 21.5, 27, 21.5), line(5, 25.5, 27, 25.5)};
    return s;
}

Shape shapeOf(Kind kind) {
    switch (kind) {
    case Kind::King:
        return king();
    case Kind::Queen:
        return queen();
    case Kind::Rook:
        return rook();
    case Kind::Knight:
        return knight();
    case Kind::Bishop:
        return bishop();
    case Kind::Pawn:
        return pawn();
    }
    return pawn();
}

// Draws one piece into the square `box` (device pixels). Paths are mapped to device space
// before they are united, so curves are flattened at the final resolution.
void drawPiece(QPainter &painter, Kind kind, bool white, const QRectF &box, bool withDetails) {
    const Palette &pal = white ? kWhite : kBlack;
    const double k = box.width() / kGrid;
    const QTransform toDevice =
        QTransform::fromScale(k, k) * QTransform::fromTranslate(box.x(), box.y());
    const Shape shape = shapeOf(kind);

    QPainterPath silhouette;
    silhouette.setFillRule(Qt::WindingFill);
    for (const QPainterPath &part : shape.solids)
        silhouette = silhouette.united(toDevice.map(part));

    // Thick enough to hold the silhouette at 32 px; growing slower beyond that so the big
    // icon sizes do not look like a cartoon.
    const double w = box.width();
    const double outlineWidth =
        std::max(1.1, w <= 64 ? w * 0.042 : 2.7 + (w - 64) * 0.02) * (white ? 1.3 : 1.0);
    const double detailWidth = std::max(1.0, w <= 64 ? w * 0.032 : 2.05 + (w - 64) * 0.016);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);

    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0.0, pal.fillTop);
    fill.setColorAt(1.0, pal.fillBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(silhouette);

    if (withDetails) {
        painter.save();
        painter.setClipPath(silhouette);
        QPen pen(pal.detail, detailWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(pen);
        for (const QPainterPath &l : shape.lines)
            painter.drawPath(toDevice.map(l));
        if (kind == Kind::Bishop) {
            // Redraw the slit wider than the other detail lines.
            pen.setWidthF(detailWidth * 1.5);
            painter.setPen(pen);
            painter.drawPath(toDevice.map(shape.lines.front()));
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.detail);
        for (const QPainterPath &d : shape.dots)
            painter.drawPath(toDevice.map(d));
        painter.restore();
    }

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(pal.outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(silhouette);
    painter.restore();
}

QImage blankImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Piece files are named as piece sets name them: colour, then the piece's letter.
QString pieceFileName(int code) {
    return QString(code >= 6 ? u'w' : u'b') + QString(QChar(u"KQRNBP"[code % 6])) + ".svg";
}

// A length in hundredths of a unit as short SVG text: 1250 -> 12.5, 12 -> .12, -5 -> -.05.
QString hundredths(long v) {
    QString s = v < 0 ? QStringLiteral("-") : QString();
    v = std::abs(v);
    if (v >= 100)
        s += QString::number(v / 100);
    if (v % 100 != 0) {
        s += '.' + QString::number(v % 100).rightJustified(2, u'0');
        while (s.endsWith(u'0'))
            s.chop(1);
    } else if (v == 0) {
        s += '0';
    }
    return s;
}

// SVG path data of closed polygons: each starts absolute, then steps relative, which keeps the
// files small and quick to read. Steps are taken between rounded points, so no error adds up.
QString pathData(const QPainterPath &path) {
    QString d;
    for (const QPolygonF &ring : path.toSubpathPolygons()) {
        long x0 = 0, y0 = 0;
        for (qsizetype i = 0; i + 1 < ring.size(); ++i) { // the last point repeats the first
            const long x = std::lround(ring[i].x() * 100), y = std::lround(ring[i].y() * 100);
            if (i == 0)
                d += 'M' + hundredths(x) + ' ' + hundredths(y) + 'l';
            else if (x != x0 || y != y0)
                d += hundredths(x - x0) + ' ' + hundredths(y - y0) + ' ';
            x0 = x;
            y0 = y;
        }
        if (d.endsWith(u' '))
            d.chop(1);
        d += 'z';
    }
    return d;
}

QString colour(const QColor &c) {
    return c.name(QColor::HexRgb);
}

QString fillRule(const QPainterPath &path) {
    return path.fillRule() == Qt::OddEvenFill ? QStringLiteral("evenodd")
                                              : QStringLiteral("nonzero");
}

// Douglas-Peucker: appends to `out` the points of p[a+1..b] that keep the line within `tol`.
void thin(const QPolygonF &p, int a, int b, double tol, QPolygonF &out) {
    const QLineF chord(p[a], p[b]);
    double farthest = -1;
    int at = a;
    for (int i = a + 1; i < b; ++i) {
        const QPointF v = p[i] - p[a];
        const double d = chord.length() > 0
                             ? std::abs(chord.dx() * v.y() - chord.dy() * v.x()) / chord.length()
                             : std::hypot(v.x(), v.y());
        if (d > farthest) {
            farthest = d;
            at = i;
        }
    }
    if (farthest > tol) {
        thin(p, a, at, tol, out);
        thin(p, at, b, tol, out);
    } else {
        out << p[b];
    }
}

// The closed outlines of a flattened path with only the points needed to stay within `tol`.
QPainterPath thinned(const QPainterPath &path, double tol) {
    QPainterPath result;
    result.setFillRule(path.fillRule());
    for (const QPolygonF &ring : path.toSubpathPolygons()) {
        if (ring.size() < 4)
            continue;
        QPolygonF kept{ring.front()};
        const int half = static_cast<int>(ring.size()) / 2;
        thin(ring, 0, half, tol, kept);
        thin(ring, half, static_cast<int>(ring.size()) - 1, tol, kept);
        result.addPolygon(kept);
        result.closeSubpath();
    }
    return result;
}

// One piece as SVG Tiny 1.2 (what Qt SVG reads): the silhouette filled with a gradient, the
// inner detail lines already cut to the silhouette (Tiny has no clipping) and the outline, all as
// filled shapes. Line widths are those that read well at 32 px, in proportion.
QByteArray pieceSvg(int code) {
    const Kind kind = kKindOrder[static_cast<std::size_t>(code % 6)];
    const bool white = code >= 6;
    const Palette &pal = white ? kWhite : kBlack;
    const Shape shape = shapeOf(kind);

    // Boolean operations flatten curves into lines, so they are done on a grid fine enough that
    // no facet shows at any board size; the outlines are then thinned to the points that matter
    // and mapped back to the 32-unit grid. The outline is a filled band rather than a stroke, so
    // every piece is three plain fills that draw quickly: the band, the body inside it, and the
    // detail lines on the body.
    constexpr double fine = 16;
    const QTransform up = QTransform::fromScale(fine, fine);
    QPainterPath silhouette;
    silhouette.setFillRule(Qt::WindingFill);
    for (const QPainterPath &part : shape.solids)
        silhouette = silhouette.united(up.map(part));

    const double outlineWidth = 1.344 * (white ? 1.3 : 1.0);
    const double detailWidth = 1.024;
    QPainterPathStroker band;
    band.setWidth(outlineWidth * fine);
    band.setCapStyle(Qt::RoundCap);
    band.setJoinStyle(Qt::RoundJoin);
    const QPainterPath outline = band.createStroke(silhouette);
    const QPainterPath outer = silhouette.united(outline);
    const QPainterPath body = silhouette.subtracted(outline);
    QPainterPath details;
    for (std::size_t i = 0; i < shape.lines.size(); ++i) {
        QPainterPathStroker stroker;
        // The bishop's slit is what tells it from a pawn at a glance, so it is drawn bold.
        stroker.setWidth(kind == Kind::Bishop && i == 0 ? detailWidth * 1.5 : detailWidth);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        details = details.united(up.map(stroker.createStroke(shape.lines[i])));
    }
    for (const QPainterPath &dot : shape.dots)
        details = details.united(up.map(dot));
    details = details.intersected(body);
    const auto layer = [&](const QPainterPath &path, const QString &paint) {
        const QPainterPath thin = thinned(path, 0.02 * fine) * up.inverted();
        return "<path fill=\"" + paint + "\" fill-rule=\"" + fillRule(thin) + "\" d=\"" +
               pathData(thin) + "\"/>\n";
    };

    static const char *const names[2][6] = {
        {"black king", "black queen", "black rook", "black knight", "black bishop", "black pawn"},
        {"white king", "white queen", "white rook", "white knight", "white bishop", "white pawn"}};
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
        << "width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
        << "<title>" << names[white ? 1 : 0][code % 6] << "</title>\n"
        << "<defs><linearGradient id=\"fill\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"0\" "
        << "x2=\"32\" y2=\"32\"><stop offset=\"0\" stop-color=\"" << colour(pal.fillTop)
        << "\"/><stop offset=\"1\" stop-color=\"" << colour(pal.fillBottom)
        << "\"/></linearGradient></defs>\n"
        << layer(outer, colour(pal.outline)) << layer(body, QStringLiteral("url(#fill)"))
        << layer(details, colour(pal.detail)) << "</svg>\n";
    out.flush();
    return svg.toUtf8();
}

// Deterministic value noise: an integer hash per lattice point, smoothly interpolated.
double lattice(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed;
    h ^= static_cast<std::uint32_t>(x) * 0x27d4eb2dU;
    h = (h ^ (h >> 15)) * 0x85ebca6bU;
    h ^= static_cast<std::uint32_t>(y) * 0x165667b1U;
    h = (h ^ (h >> 13)) * 0xc2b2ae35U;
    h ^= h >> 16;
    return (h & 0xffffffU) / double(0x1000000);
}

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, std::uint32_t seed) {
    double sum = 0, amp = 0.5, total = 0;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amp * valueNoise(x, y, seed + static_cast<std::uint32_t>(octave) * 101U);
        total += amp;
        amp *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return sum / total;
}

// Fine wood grain running across the square. Sampled in square-relative coordinates so the
// 1x and 2x pictures show the same grain. The brightness swing stays within a few percent:
// the square's colour has to win over its texture everywhere. The picture covers two squares
// each way; the board shows a different part of it on each square, so no two neighbours
// repeat the same grain.
QImage squareImage(bool light, int size) {
    constexpr double Span = 2.0;
    const QColor base = light ? kLightSquare : kDarkSquare;
    const std::uint32_t seed = light ? 0x7a11u : 0xd4c3u;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double u = Span * (x + 0.5) / size, v = Span * (y + 0.5) / size;
            const double warp = fbm(u * 2.5, v * 1.5, seed);
            const double rings = std::sin(2.0 * std::numbers::pi * (v * 3.2 + warp * 1.6));
            const double streak = fbm(u * 1.2, v * 22.0, seed ^ 0x5555u) - 0.5;
            const double f = 1.0 + 0.028 * rings + 0.05 * streak;
            auto channel = [f](int c) {
                return std::clamp(static_cast<int>(std::lround(c * f)), 0, 255);
            };
            image.setPixel(x, y,
                           qRgb(channel(base.red()), channel(base.green()), channel(base.blue())));
        }
    return image;
}

// A white knight on a 2 x 2 board tile with rounded corners.
QImage iconImage(int size) {
    QImage image = blankImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double margin = size >= 32 ? size / 32.0 : 0.5;
    const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
    const double radius = size * 0.16;

    QPainterPath rounded;
    rounded.addRoundedRect(tile, radius, radius);
    painter.save();
    painter.setClipPath(rounded);
    const double half = size / 2.0;
    painter.fillRect(QRectF(0, 0, size, size), kDarkSquare);
    painter.fillRect(QRectF(0, 0, half, half), kLightSquare);
    painter.fillRect(QRectF(half, half, half, half), kLightSquare);
    painter.restore();
    painter.setPen(QPen(QColor(0x5a, 0x3e, 0x28), std::max(1.0, size / 40.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(tile, radius, radius);

    const double inset = size * 0.08;
    drawPiece(painter, Kind::Knight, true,
              QRectF(inset, inset * 0.6, size - 2 * inset, size - 2 * inset), size >= 32);
    return image;
}

// Writes one file and remembers its name for the resource file.
bool save(const QByteArray &data, const QDir &dir, const QString &name, QStringList &written) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(data) != data.size() || !file.flush()) {
        std::fprintf(stderr, "tavlon-make-assets: cannot write %s\n", qPrintable(path));
        return false;
    }
    written << name;
    return true;
}

QByteArray png(const QImage &image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// The resource files are generated too, so they always list exactly the files made here, every
// size of a texture included: the pictures (the board's) and the sounds (the program's).
bool writeQrc(const QDir &dir, const QString &qrcName, const QStringList &names) {
    QFile file(dir.filePath(qrcName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "tavlon-make-assets: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/tavlon\">\n";
    for (const QString &name : names)
        out << "        <file>" << name << "</file>\n";
    out << "    </qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

} // namespace

int main(int argc, char *argv[]) {
    // Runs headless (CI, ssh): nothing is shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    if (argc != 2) {
        std::fprintf(stderr, "usage: tavlon-make-assets <assets-directory>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    bool ok = true;
    QStringList written;
    auto put = [&](const QByteArray &data, const QString &name) {
        ok = save(data, dir, name, written) && ok;
    };
    for (int code = 0; code < 12; ++code)
        put(pieceSvg(code), "pieces/" + pieceFileName(code));
    for (bool light : {true, false}) {
        const QString n = light ? "light" : "dark";
        put(png(squareImage(light, 80)), "squares/" + n + ".png");
        put(png(squareImage(light, 160)), "squares/" + n + "@2x.png");
        put(png(squareImage(light, 320)), "squares/" + n + "@4x.png");
    }
    for (int size : {16, 32, 48, 64, 128, 256})
        put(png(iconImage(size)), "icon/tavlon-" + QString::number(size) + ".png");
    ok = ok && writeQrc(dir, "tavlon.qrc", written);
    QStringList sounds;
    for (const auto &[name, data] : MakeSounds())
        ok = save(data, dir, "sounds/" + name, sounds) && ok;
    ok = ok && writeQrc(dir, "sounds.qrc", sounds);
    return ok ? 0 : 1;
}
