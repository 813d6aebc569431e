#include "PieceSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
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
        for (int c = 0; c < ClassCount; ++c) {
            const QString sPath = oDir.filePath(FileName(c));
            if (!QFileInfo(sPath).isFile()) {
                sError = QCoreApplication::translate("Board", "the piece set lacks %1")
                             .arg(QDir::toNativeSeparators(sPath));
                return false;
            }
            auto o = std::make_unique<QSvgRenderer>();
            if (!o->load(sPath) || !o->isValid() || o->viewBoxF().isEmpty()) {
                sError = QCoreApplication::translate("Board", "%1 is not a readable SVG picture")
                             .arg(QDir::toNativeSeparators(sPath));
                return false;
            }
            o->setAspectRatioMode(Qt::KeepAspectRatio);
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
