#pragma once

#include <QIcon>
#include <QUrl>
#include <functional>

// What the windows ask of the desktop around them.

// Opens a web address in the user's browser. Windows take one so that tests can see which
// address would open without starting a browser.
using UrlOpener = std::function<void(const QUrl &)>;

UrlOpener DefaultUrlOpener();

// The program icon in every size we ship, for window frames, task bars and About.
QIcon TavlonIcon();
