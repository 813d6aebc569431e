#pragma once

#include "Review.h"

#include <QString>
#include <QWidget>
#include <vector>

// The evaluation graph of a game: each position's evaluation from White's side, held to +-10
// pawns, the start at the left; marks on inaccuracies, mistakes and blunders; a line at the
// position shown. A click anywhere picks the nearest position.
class EvalGraph : public QWidget {
    Q_OBJECT
public:
    struct Point {
        bool bKnown = false; // searched; unknown points leave a gap
        double dPawns = 0;   // -10..10
        Review::Judgement eJudgement = Review::Judgement::None; // of the move that led here
        QString sLabel; // the move and its evaluation, for the tooltip: "12. Nf3 +0.35"
    };
    explicit EvalGraph(QWidget *parent = nullptr);

    // One point per position, the start first.
    void SetPoints(std::vector<Point> oPoints);
    const std::vector<Point> &Points() const { return oPoints; }
    // The position shown, or -1 for none of these.
    void SetShownPly(int nPly);
    int ShownPly() const { return nShown; }
    // The point nearest to x.
    int PlyAt(int x) const;

    QSize sizeHint() const override { return {300, 90}; }
    QSize minimumSizeHint() const override { return {120, 60}; }

signals:
    void PlyClicked(int nPly);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    double X(std::size_t i) const;
    double Y(double dPawns) const;

    std::vector<Point> oPoints;
    int nShown = -1;
};
