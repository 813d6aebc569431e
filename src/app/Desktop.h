#pragma once

#include <QIcon>
#include <QUrl>
#include <functional>

class QWidget;

// What the windows ask of the desktop around them.

// Opens a web address in the user's browser; false when nothing could open it. Windows take one
// so that tests can see which address would open without starting a browser.
using UrlOpener = std::function<bool(const QUrl &)>;

UrlOpener DefaultUrlOpener();
// Opens the address through opener; when that fails, says so in a box over parent, with the
// address selectable so the player can copy it.
void OpenAddress(QWidget *parent, const UrlOpener &opener, const QUrl &url);

// Asks the user for a game file: one to read, a name to save under, or a file to add the game
// to, which may be a new name (suggested: sSuggested); or a name for a picture of the position
// (PNG or SVG) or a GIF of the game. Empty when the user cancelled. Windows take one so that
// tests need no file dialog.
enum class FileQuestion { Open, Save, Add, ExportImage, ExportGif };
using FileChooser =
    std::function<QString(QWidget *parent, FileQuestion eQuestion, const QString &sSuggested)>;

FileChooser DefaultFileChooser();

// The program's version, "2.0.0", as --version and About show it.
QString TavlonVersion();
// Its web page; empty while it has none.
QUrl TavlonHomepage();

// The program icon in every size we ship, for window frames, task bars and About.
QIcon TavlonIcon();

// Qt's menu bar fetches its overflow arrow as it is made, in the one way that loads every image
// plugin (0.4 MB and a millisecond of start-up). This wraps the application's style so that the
// arrow's picture is read only when the arrow is first drawn, which most windows never do. Call
// once, after the application object exists; the style looks and behaves as before.
void DeferOverflowArrows();
