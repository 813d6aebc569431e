#include "GameDocument.h"

#include "GameCollection.h"
#include "SafeWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>

namespace {

const QString sRecentKey = QStringLiteral("files/recent");
constexpr int RecentCount = 8;

// Whether a PGN file holds more than one game, as the collection index counts them: such a file
// is never replaced by a single game. A file the index refuses is taken as several, since
// nothing says it is not; one that cannot be read holds none to lose.
bool HoldsSeveralGames(const QString &sPath) {
    if (!QFileInfo(sPath).isFile())
        return false;
    QString sCause;
    if (const auto pFile = GameCollection::ReadFile(sPath, nullptr, sCause))
        return pFile->Count() > 1;
    return QFileInfo(sPath).isReadable() && QFileInfo(sPath).size() > 0;
}

} // namespace

GameDocument::GameDocument(QWidget *pParent, Host oLent)
    : pWindow(pParent), oHost(std::move(oLent)) {}

GameDocument::~GameDocument() = default;

void GameDocument::Replace(const QString &sNewFile, std::unique_ptr<GameCollection> pFrom) {
    sFile = sNewFile;
    pGames = std::move(pFrom);
    bUnsaved = false;
    if (!sFile.isEmpty())
        Remember(sFile);
}

bool GameDocument::MaybeSave() {
    if (!bUnsaved || oHost.fnHoldsNothing())
        return true;
    const QMessageBox::StandardButton eAnswer = oHost.fnAsk(
        tr("Save the current game?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (eAnswer == QMessageBox::Save)
        return Save();
    return eAnswer == QMessageBox::Discard; // NoButton: the window went away, touch nothing
}

bool GameDocument::Save() {
    if (oHost.fnBusy())
        return false; // the move is unfinished
    if (pGames && !pGames->sPath.isEmpty() && sFile == pGames->sPath)
        return SaveBack(); // in its place in the collection, the others as they were
    // A game opened from a file of several games goes elsewhere, so the others stay.
    return sFile.isEmpty() ? SaveAs() : SaveTo(sFile, true);
}

bool GameDocument::SaveAs() {
    if (oHost.fnBusy())
        return false;
    const QString sPath = oHost.fnChooseFile(FileQuestion::Save, sFile);
    if (sPath.isEmpty())
        return false;
    if (pGames && QFileInfo(sPath).absoluteFilePath() == pGames->sPath)
        return SaveBack(); // the game goes back in its place, the others stay
    return SaveTo(sPath, false);
}

bool GameDocument::SaveTo(const QString &sPath, bool bElsewhereIfSeveral) {
    QString sName = sPath;
    if (QFileInfo(sName).suffix().isEmpty())
        sName += QStringLiteral(".pgn");
    if (HoldsSeveralGames(sName)) {
        if (bElsewhereIfSeveral)
            return SaveAs();
        oHost.fnMessage(tr("Cannot save %1:\nThe file holds several games, and saving this one "
                           "there would lose the others. Save it under another name.")
                            .arg(QDir::toNativeSeparators(sName)));
        return false;
    }
    QString sCause;
    if (!SaveFileAtomically(sName, oHost.fnPgn().toUtf8(), &sCause)) {
        // The game stays unsaved, so closing still asks about it.
        oHost.fnMessage(tr("Cannot save %1:\n%2").arg(QDir::toNativeSeparators(sName), sCause));
        return false;
    }
    sFile = QFileInfo(sName).absoluteFilePath();
    bUnsaved = false;
    if (pGames && pGames->sPath != sFile)
        pGames.reset(); // the game now lives in a file of its own
    Remember(sFile);
    oHost.fnChanged(true);
    oHost.fnStatus(tr("Saved %1").arg(QFileInfo(sName).fileName()));
    return true;
}

bool GameDocument::SaveBack() {
    const QString sName = QFileInfo(pGames->sPath).fileName();
    QString sCause;
    const GameCollection::Saved eSaved = pGames->ReplaceGame(oHost.fnPgn().toUtf8(), sCause);
    using S = GameCollection::Saved;
    if (eSaved == S::InPlace || eSaved == S::Found) {
        bUnsaved = false;
        Remember(pGames->sPath);
        oHost.fnChanged(true);
        oHost.fnStatus(eSaved == S::InPlace
                           ? tr("Saved game %1 in %2").arg(pGames->nGame + 1).arg(sName)
                           : tr("Saved game %1 in %2, which had changed on disk: the game was "
                                "found there again")
                                 .arg(pGames->nGame + 1)
                                 .arg(sName));
        return true;
    }
    // A save never writes over a game it was not opened from: the player chooses another file.
    auto *box = new QMessageBox(
        QMessageBox::Warning, tr("Tavlon"),
        eSaved == S::Changed
            ? tr("%1 has changed on disk since it was opened. Save the game in another file?")
                  .arg(sName)
            : tr("Cannot save the game in %1:\n%2\n\nSave it in another file?").arg(sName, sCause),
        QMessageBox::Save | QMessageBox::Cancel, pWindow);
    box->button(QMessageBox::Save)->setText(tr("Save As..."));
    if (oHost.fnExec(box) != QMessageBox::Save)
        return false; // kept, or the window went away meanwhile
    pGames.reset();   // what is on disk is no longer what was listed
    oHost.fnChanged(false);
    return SaveAs();
}

void GameDocument::AddToFile() {
    if (oHost.fnBusy())
        return;
    QString sPath = oHost.fnChooseFile(FileQuestion::Add, QFileInfo(sFile).path());
    if (sPath.isEmpty())
        return;
    if (QFileInfo(sPath).suffix().isEmpty())
        sPath += QStringLiteral(".pgn");
    QString sCause;
    std::unique_ptr<GameCollection> pAdded =
        GameCollection::AppendGame(sPath, oHost.fnPgn().toUtf8(), sCause);
    if (!pAdded) {
        oHost.fnMessage(
            tr("Cannot add the game to %1:\n%2").arg(QDir::toNativeSeparators(sPath), sCause));
        return;
    }
    // The game now lives where it was added: the caption names that place, and Save writes
    // there, never over the game it was first opened from.
    const int nPlace = pAdded->nGame + 1;
    sFile = pAdded->sPath;
    pGames = std::move(pAdded);
    bUnsaved = false;
    Remember(sFile);
    oHost.fnChanged(true);
    oHost.fnStatus(
        tr("Added the game to %1 as game %2").arg(QFileInfo(sFile).fileName()).arg(nPlace));
}

QString GameDocument::CaptionFile() const {
    const QString sName = QFileInfo(sFile).fileName();
    if (!pGames || pGames->nGame < 0 || pGames->Count() < 2)
        return sName;
    const QString sPlace = tr("%1 of %2").arg(pGames->nGame + 1).arg(pGames->Count());
    return sName.isEmpty() ? sPlace : tr("%1 (%2)").arg(sName, sPlace);
}

void GameDocument::Remember(const QString &sPath) {
    QSettings oSettings;
    QStringList oFiles = oSettings.value(sRecentKey).toStringList();
    // Every game opened from a file comes here; a settings write each time would sync the disk.
    if (oFiles.value(0) == sPath)
        return;
    oFiles.removeAll(sPath);
    oFiles.prepend(sPath);
    while (oFiles.size() > RecentCount)
        oFiles.removeLast();
    oSettings.setValue(sRecentKey, oFiles);
}

QStringList GameDocument::RecentFiles() {
    return QSettings().value(sRecentKey).toStringList();
}

void GameDocument::ForgetRecentFiles() {
    QSettings().remove(sRecentKey);
}
