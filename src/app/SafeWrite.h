#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Every file the program writes goes through here, so that a full disk, a read-only folder, a
// vanished folder or a file-size limit never leaves a short or empty file where a whole one was.

// Writes oData to sPath in full, or leaves whatever was at sPath untouched. On failure, *pError
// (when given) says why in one sentence naming the file, e.g. "No space left on the device:
// game.pgn was not changed."
bool SaveFileAtomically(const QString &sPath, const QByteArray &oData, QString *pError = nullptr);

// A file-size limit (ulimit -f) would otherwise kill the program in the middle of a write;
// ignored, the write fails with EFBIG and is reported like any other. Call once at start-up.
void IgnoreFileSizeSignal();

// Only regular files, or names not yet taken, are read, written or appended to: a named pipe
// would block, a device never ends (or, written as root, is replaced by a file), and a folder is
// no game. Links are followed. Empty for such a file; else why not, naming what it is instead:
// "club.pgn is a named pipe, not a regular file".
QString NotRegularFile(const QString &sPath);

// Opens oFile's regular file for reading without ever waiting on a pipe; false with sCause (the
// kind of file, or the system's reason) when it is no regular file or cannot be opened.
bool OpenRegularFile(QFile &oFile, QString &sCause);
