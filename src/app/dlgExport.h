#pragma once

#include "Export.h"

#include <QDialog>
#include <memory>

class Board;
class BoardRenderer;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTimer;

// The choices for a picture of the position shown, or a GIF of the game: size, coordinates,
// marks, names and, for a GIF, the time each position shows; with a preview that follows them
// (a GIF's plays). Accepting it means: save with these.
class dlgExport : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Position, Game };
    // The board and its game outlive the dialog; nPly is the position pictured.
    dlgExport(Kind eKind, const Board &b, int nPly, const ExportOptions &o, QWidget *parent);
    ~dlgExport() override;

    ExportOptions Options() const;
    // The ply the preview shows now.
    int PreviewPly() const { return m_nPly; }

    static constexpr int PreviewSide = 256;

private:
    void UpdatePreview();
    void NextFrame();

    const Kind m_eKind;
    const Board &m_oBoard;
    ExportOptions m_oOptions;
    int m_nPly;
    std::unique_ptr<BoardRenderer> m_pRenderer;
    QSpinBox *spnSize = nullptr;
    QCheckBox *chkCoordinates = nullptr;
    QCheckBox *chkMarks = nullptr;
    QCheckBox *chkNames = nullptr;
    QDoubleSpinBox *spnFrameTime = nullptr;
    QLabel *lblPreview = nullptr;
    QLabel *lblSize = nullptr;
    QTimer *m_pFrames = nullptr;
};
