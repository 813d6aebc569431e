#pragma once

#include <QWidget>

// One side's clock: the side's name and the moves left in its period on the left, the time on
// the right in digits of one width, so the numbers stand still as they count. The running clock
// is highlighted; low time turns the digits red.
class ClockWidget : public QWidget {
    Q_OBJECT
public:
    ClockWidget(bool bWhite, QWidget *parent);

    void Show(const QString &sTime, int nMovesLeft, bool bRunning, bool bLow);
    bool IsWhite() const { return bWhite; }
    QString Time() const { return sTime; }
    bool IsRunning() const { return bRunning; }
    bool IsLow() const { return bLow; }
    // How the side's label reads now, moves left included.
    QString Label() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const bool bWhite;
    QString sTime;
    int nMovesLeft = 0;
    bool bRunning = false;
    bool bLow = false;
};
