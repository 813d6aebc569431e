// Shows the board in a host window and checks its pictures loaded: the white king's square must
// differ from an empty square of the same colour.
#include <QApplication>
#include <QImage>
#include <cstdio>
#include <tavlon/Board.h>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget oWindow;
    Board oBoard(&oWindow);
    oWindow.show();
    const QImage o = oBoard.grab().toImage();
    const qreal r = o.devicePixelRatio();
    const QPoint oKing = QPoint(2 + 4 * 41 + 20, 2 + 7 * 41 + 20) * r;  // e1
    const QPoint oEmpty = QPoint(2 + 4 * 41 + 20, 2 + 5 * 41 + 20) * r; // e3, also dark
    if (o.pixel(oKing) == o.pixel(oEmpty)) {
        std::fprintf(stderr, "no piece drawn on e1: the pictures did not load\n");
        return 1;
    }
    return oBoard.MovePiece("e2", "e4") ? 0 : 1;
}
