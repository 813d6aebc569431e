#pragma once

#include "Desktop.h"

#include <QDialog>

// The About box: the program's title, version, maker, homepage (once it has one) and licence.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(UrlOpener opener = DefaultUrlOpener(), QWidget *parent = nullptr);

private:
    UrlOpener oOpenUrl;
};
