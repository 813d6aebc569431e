#pragma once

#include <QIcon>
#include <QUrl>
#include <functional>

class QWidget;

// What the windows ask of the desktop around them.

// Opens a web address in the user's browser. Windows take one so that tests can see which
// address would open without starting a browser.
using UrlOpener = std::function<void(const QUrl &)>;

UrlOpener DefaultUrlOpener();

// Asks the user for a game file: one to read, or a name to save under (suggested: sSuggested).
// Empty when the user cancelled. Windows take one so that tests need no file dialog.
enum class FileQuestion { Open, Save };
using FileChooser =
    std::function<QString(QWidget *parent, FileQuestion eQuestion, const QString &sSuggested)>;

FileChooser DefaultFileChooser();

// The program icon in every size we ship, for window frames, task bars and About.
QIcon TavlonIcon();
