#include "PieceSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <new>
#include <optional>

namespace {

QString OwnPath(int nClass) {
    return QStringLiteral(":/tavlon/pieces/") + PieceSet::FileName(nClass);
}

} // namespace

PieceSet::PieceSet() = default;
PieceSet::~PieceSet() = default;

QString PieceSet::FileName(int nClass) {
    // Class codes run king, queen, rook, knight, bishop, pawn; black first.
    return QString(QChar(nClass >= 6 ? u'w' : u'b')) + QChar(u"KQRNBP"[nClass % 6]) +
           QStringLiteral(".svg");
}

bool PieceSet::Load(const QString &sFolder, QString &sError) {
    std::array<std::unique_ptr<QSvgRenderer>, ClassCount> oRenderers;
    if (!sFolder.isEmpty()) {
        const QDir oDir(sFolder);
        QElapsedTimer oTime;
        oTime.start();
        const auto Refuse = [&sError](const char *sWhy, const QString &sPath) {
            sError =
                QCoreApplication::translate("Board", sWhy).arg(QDir::toNativeSeparators(sPath));
            return false;
        };
        for (int c = 0; c < ClassCount; ++c) {
            const QString sPath = oDir.filePath(FileName(c));
            // Links followed: a pipe or a device is never opened.
            const QFileInfo oInfo(sPath);
            if (!oInfo.exists())
                return Refuse(QT_TRANSLATE_NOOP("Board", "the piece set lacks %1"), sPath);
            if (!oInfo.isFile())
                return Refuse(QT_TRANSLATE_NOOP("Board", "%1 is not a regular file"), sPath);
            if (oInfo.size() > MaxFileBytes)
                return Refuse(QT_TRANSLATE_NOOP("Board", "%1 is larger than 1 MB"), sPath);
            QFile oFile(sPath);
            QByteArray oSvg;
            if (oFile.open(QIODevice::ReadOnly))
                oSvg = oFile.read(MaxFileBytes + 1);
            if (oSvg.size() > MaxFileBytes)
                return Refuse(QT_TRANSLATE_NOOP("Board", "%1 is larger than 1 MB"), sPath);
            // Compressed, a small file could hold a drawing of any size.
            if (oSvg.startsWith("\x1f\x8b"))
                return Refuse(QT_TRANSLATE_NOOP("Board", "%1 is compressed; pieces are read as "
                                                         "plain SVG"),
                              sPath);
            auto o = std::make_unique<QSvgRenderer>();
            try {
                if (!o->load(oSvg) || !o->isValid() || o->viewBoxF().isEmpty())
                    return Refuse(QT_TRANSLATE_NOOP("Board", "%1 is not a readable SVG picture"),
                                  sPath);
                o->setAspectRatioMode(Qt::KeepAspectRatio);
                // Drawn once, small, so that a drawing too slow to show is found here, not in
                // every later paint.
                QImage oProbe(64, 64, QImage::Format_ARGB32_Premultiplied);
                oProbe.fill(Qt::transparent);
                QPainter oPainter(&oProbe);
                o->render(&oPainter, QRectF(0, 0, 64, 64));
            } catch (const std::bad_alloc &) {
                return Refuse(QT_TRANSLATE_NOOP("Board", "%1 is too large to draw"), sPath);
            }
            if (oTime.elapsed() > MaxLoadMs)
                return Refuse(QT_TRANSLATE_NOOP("Board", "%1 is too slow to read and draw"), sPath);
            oRenderers[static_cast<std::size_t>(c)] = std::move(o);
        }
    }
    m_oRenderers = std::move(oRenderers);
    return true;
}

QImage PieceSet::Draw(int nClass, int nPixels) const {
    QImage o(nPixels, nPixels, QImage::Format_ARGB32_Premultiplied);
    o.fill(Qt::transparent);
    if (nClass < 0 || nClass >= ClassCount || nPixels <= 0)
        return o;
    // Our own drawings are read again, quickly, for another size; not kept, they leave about
    // 400 kB less in use for the life of the program.
    std::optional<QSvgRenderer> oOwn;
    QSvgRenderer *pRenderer = m_oRenderers[static_cast<std::size_t>(nClass)].get();
    if (pRenderer == nullptr) {
        pRenderer = &oOwn.emplace(OwnPath(nClass));
        pRenderer->setAspectRatioMode(Qt::KeepAspectRatio);
    }
    QPainter p(&o);
    p.setRenderHint(QPainter::Antialiasing);
    pRenderer->render(&p, QRectF(0, 0, nPixels, nPixels));
    return o;
}
