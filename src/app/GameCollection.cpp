#include "GameCollection.h"

#include "PgnIndex.h"
#include "SafeWrite.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QStringDecoder>
#include <stdexcept>
#include <utility>

namespace {

constexpr qint64 PieceSize = 4 << 20;

QString Tr(const char *s) {
    return QCoreApplication::translate("GameCollection", s);
}

} // namespace

QString DecodeUtf8OrLatin1(QByteArrayView oBytes) {
    QStringDecoder oUtf8(QStringDecoder::Utf8);
    QString sText = oUtf8(oBytes);
    return oUtf8.hasError() ? QString::fromLatin1(oBytes) : sText;
}

bool DecodeGame(const QByteArray &oBytes, QString &sText) {
    if (oBytes.startsWith("\xFF\xFE") || oBytes.startsWith("\xFE\xFF")) {
        QStringDecoder oUtf16(QStringDecoder::Utf16);
        sText = oUtf16(oBytes);
        if (oUtf16.hasError())
            return false;
    } else {
        sText = DecodeUtf8OrLatin1(oBytes);
    }
    qsizetype nControls = 0;
    for (const QChar c : std::as_const(sText)) {
        if (c.isNull())
            return false;
        // Old DOS files end with Ctrl+Z.
        nControls += c.unicode() < 0x20 && !QStringView(u"\t\n\r\f\v\x1A").contains(c) ? 1 : 0;
    }
    return nControls * 100 <= sText.size();
}

std::unique_ptr<GameCollection> GameCollection::ReadFile(const QString &sPath, QWidget *parent,
                                                         QString &sCause) {
    sCause.clear();
    QFile oFile(sPath);
    if (!OpenRegularFile(oFile, sCause))
        return {};
    auto p = std::make_unique<GameCollection>();
    p->sPath = QFileInfo(sPath).absoluteFilePath();
    p->pIndex = std::make_shared<Pgn::Index>();
    p->m_nSize = oFile.size();
    p->m_oModified = QFileInfo(sPath).lastModified();
    // Guarded: the progress bar's events may close the window that owns it.
    QPointer<QProgressDialog> pProgress;
    // Deleted however the read ends (a hidden dialog would stay a child of the window).
    const auto oDeleteProgress = qScopeGuard([&pProgress] { delete pProgress.data(); });
    if (parent) {
        pProgress =
            new QProgressDialog(Tr(QT_TRANSLATE_NOOP("GameCollection", "Reading %1..."))
                                    .arg(QFileInfo(sPath).fileName()),
                                Tr(QT_TRANSLATE_NOOP("GameCollection", "Cancel")), 0, 1000, parent);
        pProgress->setWindowModality(Qt::WindowModal);
        pProgress->setMinimumDuration(500);
        pProgress->setValue(0);
    }
    QByteArray oPiece(PieceSize, Qt::Uninitialized);
    try {
        for (qint64 n; (n = oFile.read(oPiece.data(), PieceSize)) > 0;) {
            p->pIndex->Add(std::string_view(oPiece.constData(), static_cast<std::size_t>(n)));
            if (!parent)
                continue;
            if (pProgress.isNull() || pProgress->wasCanceled())
                return {};
            pProgress->setValue(
                static_cast<int>(1000 * oFile.pos() / std::max<qint64>(1, p->m_nSize)));
        }
        p->pIndex->Finish();
    } catch (const std::invalid_argument &e) {
        sCause = QString::fromStdString(e.what());
    }
    if (sCause.isEmpty() && oFile.error() != QFileDevice::NoError)
        sCause = oFile.errorString();
    if (!sCause.isEmpty())
        return {};
    return p;
}

std::unique_ptr<GameCollection> GameCollection::ReadText(const QByteArray &oText) {
    auto p = std::make_unique<GameCollection>();
    p->pIndex = std::make_shared<Pgn::Index>();
    try {
        p->pIndex->Add(std::string_view(oText.constData(), static_cast<std::size_t>(oText.size())));
        p->pIndex->Finish();
    } catch (const std::invalid_argument &) {
        return {};
    }
    p->m_oText = oText;
    return p;
}

int GameCollection::Count() const {
    return static_cast<int>(pIndex->Count());
}

bool GameCollection::GameBytes(int n, QByteArray &oBytes, QString &sCause) const {
    const auto k = static_cast<std::size_t>(n);
    const auto nBegin = static_cast<qint64>(pIndex->Begin(k));
    const auto nLength = static_cast<qint64>(pIndex->End(k)) - nBegin;
    if (sPath.isEmpty()) {
        oBytes = m_oText.mid(nBegin, nLength);
        return true;
    }
    QFile oFile(sPath);
    if (!OpenRegularFile(oFile, sCause))
        return false;
    if (!oFile.seek(nBegin)) {
        sCause = oFile.errorString();
        return false;
    }
    oBytes = oFile.read(nLength);
    if (oBytes.size() != nLength) {
        sCause = oFile.error() != QFileDevice::NoError
                     ? oFile.errorString()
                     : Tr(QT_TRANSLATE_NOOP("GameCollection", "the file has become shorter"));
        return false;
    }
    return true;
}

bool GameCollection::ChangedOnDisk() const {
    const QFileInfo oInfo(sPath);
    return !oInfo.exists() || oInfo.size() != m_nSize || oInfo.lastModified() != m_oModified;
}

bool GameCollection::ReplaceGame(int n, const QByteArray &oGame, QString &sCause) {
    QFile oFile(sPath);
    if (!OpenRegularFile(oFile, sCause))
        return false;
    QByteArray oAll = oFile.readAll();
    oFile.close();
    const auto k = static_cast<std::size_t>(n);
    const auto nBegin = static_cast<qsizetype>(pIndex->Begin(k));
    const auto nEnd = static_cast<qsizetype>(pIndex->End(k));
    if (oAll.size() != m_nSize || nEnd > oAll.size()) {
        sCause =
            Tr(QT_TRANSLATE_NOOP("GameCollection", "the file has changed since it was opened"));
        return false;
    }
    // The game ends with the blank line that separates it from the next.
    oAll.replace(nBegin, nEnd - nBegin, oGame);
    if (!SaveFileAtomically(sPath, oAll, &sCause))
        return false;
    auto p = ReadText(oAll);
    if (p) {
        pIndex = p->pIndex;
        m_nSize = oAll.size();
        m_oModified = QFileInfo(sPath).lastModified();
        oBad.remove(n);
    }
    return true;
}

bool AppendGame(const QString &sPath, const QByteArray &oGame, QString &sCause) {
    QFile oFile(sPath);
    if (!OpenRegularFile(oFile, sCause))
        return false;
    QByteArray oAll = oFile.readAll();
    if (oFile.error() != QFileDevice::NoError) {
        sCause = oFile.errorString();
        return false;
    }
    // The standard's blank line between games; the bytes already there stay as they are.
    if (!oAll.isEmpty() && !oAll.endsWith("\n\n") && !oAll.endsWith("\n\r\n"))
        oAll += oAll.endsWith('\n') ? "\n" : "\n\n";
    oAll += oGame;
    return SaveFileAtomically(sPath, oAll, &sCause);
}
