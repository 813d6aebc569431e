#pragma once

#include "UciProtocol.h"

#include <QWidget>

// The evaluation bar beside the board: White's share from White's side of the board, split by
// winning chances as Lichess's bar is, so that +1 and +2 look apart and +15 and +25 do not.
class EvalBar : public QWidget {
    Q_OBJECT
public:
    explicit EvalBar(QWidget *parent = nullptr);

    // White's view; no score shows an even bar.
    void SetScore(const Uci::Score &oWhite);
    // White's part at the bottom, as the board shows White's side there.
    void SetWhiteBelow(bool bBelow);
    bool WhiteBelow() const { return bWhiteBelow; }
    // White's share of the bar, 0 to 1.
    double WhiteShare() const { return dShare; }

    QSize sizeHint() const override { return {Width, 100}; }
    static constexpr int Width = 14;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double dShare = 0.5;
    bool bWhiteBelow = true;
};
