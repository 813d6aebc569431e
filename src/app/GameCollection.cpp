#include "GameCollection.h"

#include "PgnIndex.h"
#include "SafeWrite.h"

#include <QChar>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QStringDecoder>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

constexpr qint64 PieceSize = 4 << 20;
// The most a save or an addition reads and writes back whole.
constexpr qint64 MaxWhole = qint64{1} << 30;

QString Tr(const char *s) {
    return QCoreApplication::translate("GameCollection", s);
}

std::string_view View(QByteArrayView o) {
    return {o.data(), static_cast<std::size_t>(o.size())};
}

// The game's own bytes, from its start to where the reader stops, without the blanks before
// whatever follows: what it is, wherever it moves in its file.
QByteArrayView OwnBytes(QByteArrayView oGame) {
    const Pgn::GameSpan o = Pgn::FindGame(View(oGame));
    qsizetype n = o.nEnd == Pgn::GameSpan::npos ? oGame.size() : static_cast<qsizetype>(o.nEnd);
    while (n > 0 && QChar::isSpace(static_cast<uchar>(oGame[n - 1])))
        --n;
    return oGame.first(n);
}

// The index of a whole text; null, with the reason, when the text is no collection.
std::shared_ptr<Pgn::Index> IndexOf(const QByteArray &oText, QString &sCause) {
    auto p = std::make_shared<Pgn::Index>();
    try {
        p->Add(View(oText));
        p->Finish();
    } catch (const std::invalid_argument &e) {
        sCause = QString::fromStdString(e.what());
        return {};
    }
    return p;
}

// The bytes of a regular file, at most MaxWhole of them.
bool ReadWhole(const QString &sPath, QByteArray &oAll, QString &sCause) {
    QFile oFile(sPath);
    if (!OpenRegularFile(oFile, sCause))
        return false;
    if (oFile.size() > MaxWhole) {
        sCause = Tr(QT_TRANSLATE_NOOP("GameCollection",
                                      "the file is larger than %1 MB, too large to write back"))
                     .arg(MaxWhole >> 20);
        return false;
    }
    oAll = oFile.readAll();
    if (oFile.error() != QFileDevice::NoError) {
        sCause = oFile.errorString();
        return false;
    }
    return true;
}

// The file is still as it was read: nobody wrote to it meanwhile.
bool Unchanged(const QString &sPath, qint64 nSize, const QDateTime &oModified) {
    const QFileInfo oInfo(sPath);
    return oInfo.isFile() && oInfo.size() == nSize && oInfo.lastModified() == oModified;
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
    QString sCause;
    p->pIndex = IndexOf(oText, sCause);
    if (!p->pIndex)
        return {};
    p->m_oText = oText;
    return p;
}

std::unique_ptr<GameCollection>
GameCollection::AppendGame(const QString &sPath, const QByteArray &oGame, QString &sCause) {
    if (sCause = NotRegularFile(sPath); !sCause.isEmpty())
        return {};
    QByteArray oAll;
    const QFileInfo oBefore(sPath);
    if (oBefore.exists() && !ReadWhole(sPath, oAll, sCause))
        return {};
    const auto pBefore = IndexOf(oAll, sCause);
    if (!pBefore)
        return {};
    // The standard's blank line between games; the bytes already there stay as they are.
    QByteArray oNew = oAll;
    if (!oNew.isEmpty() && !oNew.endsWith("\n\n") && !oNew.endsWith("\n\r\n"))
        oNew += oNew.endsWith('\n') ? "\n" : "\n\n";
    const auto nAt = static_cast<std::uint64_t>(oNew.size());
    oNew += oGame;
    // The game must stand as a game of its own after what is there: text ending inside a
    // comment or a variation, or a move number alone, would take it in.
    const auto pAfter = IndexOf(oNew, sCause);
    if (!pAfter)
        return {};
    const std::size_t nLast = pAfter->Count() - 1;
    if (pAfter->Count() != pBefore->Count() + 1 || pAfter->Begin(nLast) != nAt ||
        OwnBytes(QByteArrayView(oNew).sliced(static_cast<qsizetype>(nAt))) != OwnBytes(oGame)) {
        sCause = Tr(QT_TRANSLATE_NOOP("GameCollection",
                                      "the file ends inside something left open, such as a "
                                      "comment, which would take the game in"));
        return {};
    }
    if (oBefore.exists() && !Unchanged(sPath, oAll.size(), oBefore.lastModified())) {
        sCause = Tr(QT_TRANSLATE_NOOP("GameCollection", "the file changed while it was read"));
        return {};
    }
    if (!SaveFileAtomically(sPath, oNew, &sCause))
        return {};
    auto p = std::make_unique<GameCollection>();
    p->sPath = QFileInfo(sPath).absoluteFilePath();
    p->Noted(oNew, pAfter);
    p->nGame = static_cast<int>(nLast);
    p->m_oOpened = OwnBytes(oGame).toByteArray();
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

void GameCollection::Opened(int n, const QByteArray &oBytes) {
    nGame = n;
    m_oOpened = OwnBytes(oBytes).toByteArray();
}

bool GameCollection::ChangedOnDisk() const {
    return !Unchanged(sPath, m_nSize, m_oModified);
}

void GameCollection::Noted(const QByteArray &oAll, std::shared_ptr<Pgn::Index> pNew) {
    pIndex = std::move(pNew);
    m_nSize = oAll.size();
    m_oModified = QFileInfo(sPath).lastModified();
}

int GameCollection::Find(const QByteArray &oAll, const Pgn::Index &oIndex, const QByteArray &oGame,
                         int nHint) {
    if (oGame.isEmpty())
        return -1;
    const auto Holds = [&](std::size_t n) {
        const auto nBegin = static_cast<qsizetype>(oIndex.Begin(n));
        const auto nEnd = static_cast<qsizetype>(oIndex.End(n));
        return nEnd <= oAll.size() && nEnd - nBegin >= oGame.size() &&
               std::memcmp(oAll.constData() + nBegin, oGame.constData(),
                           static_cast<std::size_t>(oGame.size())) == 0 &&
               OwnBytes(QByteArrayView(oAll).sliced(nBegin, nEnd - nBegin)).size() == oGame.size();
    };
    if (nHint >= 0 && static_cast<std::size_t>(nHint) < oIndex.Count() &&
        Holds(static_cast<std::size_t>(nHint)))
        return nHint;
    // Anywhere else, once: of two copies, nothing tells which one was opened.
    int nFound = -1;
    for (std::size_t n = 0; n < oIndex.Count(); ++n) {
        if (!Holds(n))
            continue;
        if (nFound >= 0)
            return -1;
        nFound = static_cast<int>(n);
    }
    return nFound;
}

bool GameCollection::Refresh(QString &sCause) {
    if (sPath.isEmpty() || !ChangedOnDisk())
        return true;
    QByteArray oAll;
    if (!ReadWhole(sPath, oAll, sCause))
        return false;
    auto pNow = IndexOf(oAll, sCause);
    if (!pNow)
        return false;
    nGame = Find(oAll, *pNow, m_oOpened, nGame);
    Noted(oAll, std::move(pNow));
    oBad.clear(); // the numbers are the new file's
    return true;
}

GameCollection::Saved GameCollection::ReplaceGame(const QByteArray &oGame, QString &sCause) {
    if (sPath.isEmpty() || nGame < 0)
        return Saved::Changed;
    QByteArray oAll;
    const QFileInfo oRead(sPath);
    if (!ReadWhole(sPath, oAll, sCause))
        return oRead.exists() ? Saved::Refused : Saved::Changed; // gone: changed on disk
    const bool bSame = oAll.size() == m_nSize && oRead.lastModified() == m_oModified;
    std::shared_ptr<Pgn::Index> pNow = pIndex;
    if (!bSame && !(pNow = IndexOf(oAll, sCause)))
        return Saved::Changed;
    const int n = Find(oAll, *pNow, m_oOpened, nGame);
    if (n < 0)
        return Saved::Changed;
    // The game's own bytes and the blanks after them give way to the game as it is now, which
    // ends with the standard's blank line; what follows (another game, a comment between
    // games) stays.
    const auto nBegin = static_cast<qsizetype>(pNow->Begin(static_cast<std::size_t>(n)));
    qsizetype nEnd = nBegin + m_oOpened.size();
    while (nEnd < oAll.size() && QChar::isSpace(static_cast<uchar>(oAll[nEnd])))
        ++nEnd;
    QByteArray oNew = oAll.left(nBegin) + oGame + oAll.mid(nEnd);
    const auto pAfter = IndexOf(oNew, sCause);
    if (!pAfter || pAfter->Count() != pNow->Count() ||
        pAfter->Begin(static_cast<std::size_t>(n)) != static_cast<std::uint64_t>(nBegin) ||
        OwnBytes(QByteArrayView(oNew).sliced(nBegin, oGame.size())) != OwnBytes(oGame)) {
        sCause = Tr(QT_TRANSLATE_NOOP("GameCollection",
                                      "the game would not stand apart from the games around it"));
        return Saved::Refused;
    }
    if (!Unchanged(sPath, oAll.size(), oRead.lastModified()))
        return Saved::Changed; // written by another program meanwhile
    if (!SaveFileAtomically(sPath, oNew, &sCause))
        return Saved::Refused;
    const Saved eSaved = bSame && n == nGame ? Saved::InPlace : Saved::Found;
    Noted(oNew, pAfter);
    if (!bSame)
        oBad.clear();
    oBad.remove(n);
    nGame = n;
    m_oOpened = OwnBytes(oGame).toByteArray();
    return eSaved;
}
