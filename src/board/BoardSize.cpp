// The board at the size it is given: the grid that fits, and the pieces it is drawn with.
#include "BoardGeometry.h"
#include "BoardPrivate.h"

#include <QResizeEvent>

bool Board::hasHeightForWidth() const {
    return true;
}

int Board::heightForWidth(int nWidth) const {
    return nWidth; // the board is square
}

void Board::resizeEvent(QResizeEvent *event) {
    const BoardGeometry::Grid oGrid = BoardGeometry::Grid::Fitting(event->size());
    if (oGrid.nCell != d->m_oGrid.nCell || oGrid.oOrigin != d->m_oGrid.oOrigin) {
        // One paint for the new size: every square is drawn again at the next paint, not as
        // each one is marked.
        d->m_oGrid = oGrid;
        d->m_nDirty = ~std::uint64_t{0};
        d->EndDrag();
        update();
    }
    QWidget::resizeEvent(event);
}

bool Board::SetPieceSet(const QString &sFolder) {
    if (QString sError; !d->m_oPictures.SetPieceSet(sFolder, &sError))
        return d->Refuse(Refusal::BadPieceSet, sError);
    d->Succeeded();
    d->m_nShown.fill(BoardPrivate::NeverDrawn); // drawn with the old pieces: all again
    d->m_nDirty = ~std::uint64_t{0};
    update();
    return true;
}

QString Board::PieceSetFolder() const {
    return d->m_oPicture.sPieceFolder;
}
