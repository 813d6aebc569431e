#pragma once

#include <QDateTime>
#include <QMutex>
#include <QString>
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

    explicit Recovery(const QString &sFolder);
    ~Recovery(); // the file stays: only an explicit Remove means the window ended normally

    // Writes the game, with the file it came from, in place of the last one. The safe write
    // waits for the disk, so it runs on a thread of its own; a write still waiting when the
    // next comes is replaced by it.
    void Write(const QString &sPgn, const QString &sSource);
    // Until the last write has reached the disk.
    void Wait();
    // The window ended normally: its file goes.
    void Remove();
    // The newest game left by a Tavlon that is no longer running, or none.
    std::unique_ptr<Orphan> TakeOrphan();
    static void Discard(const Orphan &oOrphan);

private:
    QString m_sFolder;
    QString m_sPath; // this window's file
    std::unique_ptr<QLockFile> m_pLock;
    QThreadPool m_oWriter; // one thread
    QMutex m_oMutex;       // guards the two below
    QByteArray m_oPending;
    bool m_bWriting = false;
};
