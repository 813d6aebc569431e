#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <memory>

class QLockFile;

// The unfinished game of each running window, kept in a folder of its own so that a crash, a
// kill or a power cut loses nothing. Each window's file has a lock beside it, held while the
// window lives: a file whose lock nobody holds was left by a Tavlon that ended abnormally.
//
// A lock counts as held only while the process that wrote it runs, on this host, since this
// boot, and began before the lock was written: an empty or unreadable lock, one from another
// host or an earlier boot, or one naming a process number used again since (as in a container,
// where every start is process 1) is stale.
class Recovery {
public:
    // A game left behind, locked for the one asking about it.
    struct Orphan {
        QString sPath;
        QByteArray oText; // PGN, after escape lines naming the file it came from
        QString sSource;
        QDateTime oWhen; // of its last change
        std::shared_ptr<QLockFile> pLock;
    };
    // The most a kept game may take: far more than the longest game with every clock time.
    static constexpr qint64 MaxFileSize = qint64{16} << 20;

    explicit Recovery(const QString &sFolder);
    ~Recovery(); // the file stays: only an explicit Remove means the window ended normally

    // Writes the game, with the file it came from, in place of the last one. The safe write
    // waits for the disk, so it runs on a thread of its own; a write still waiting when the
    // next comes is replaced by it.
    void Write(const QString &sPgn, const QString &sSource);
    // Until the last write has reached the disk.
    void Wait();
    // The window ended normally, or its game is on disk as it is: its file goes.
    void Remove();
    // The game as saved or opened: the same game needs no keeping.
    void SetSaved(const QString &sPgn) { m_sSaved = sPgn; }
    bool IsSaved(const QString &sPgn) const { return !m_sSaved.isNull() && sPgn == m_sSaved; }
    // The newest game left by a Tavlon that is no longer running, or none. Files there that
    // cannot be a kept game (not a regular file, too large, unreadable) are set aside, renamed,
    // and named in oSetAside with the reason, each once.
    std::unique_ptr<Orphan> TakeOrphan(QStringList &oSetAside);
    static void Discard(const Orphan &oOrphan);
    // Renames a kept game that cannot be restored out of the way, keeping it for whoever wants
    // to look: "<name>.set-aside". False when it cannot be renamed.
    static bool SetAside(const QString &sPath);
    // The folder's own path, to name where set-aside files are.
    QString Folder() const { return m_sFolder; }

private:
    QString m_sFolder;
    QString m_sPath; // this window's file
    QString m_sSaved;
    std::unique_ptr<QLockFile> m_pLock;
    QThreadPool m_oWriter; // one thread
    QMutex m_oMutex;       // guards the two below
    QByteArray m_oPending;
    bool m_bWriting = false;
};
