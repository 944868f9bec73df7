// The import window's "DIH Split" and "DIH->DIS XY" pages: the NALC and raw splitters, and the
// crop of a scene by a typed or clicked rectangle over its 312 x 312 preview. The handlers read
// the controls and run the band-file engine (import/vBandImport) in the window's error guard.
#pragma once

#include "import/vBandImport.h"

#include <QLabel>
#include <QObject>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TPBands;

// The preview picture; reports the mouse in its own pixels.
class TCropPreviewLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TCropPreviewLabel(QWidget* parent = nullptr);
  signals:
    void Moved(int x, int y);
    void Pressed(Qt::MouseButton button, int x, int y);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

class TBandSplitPages : public QObject {
    Q_OBJECT
  public:
    // Fills the window's two pages with their controls.
    explicit TBandSplitPages(TPBands* window);

    // "DIH Split".
    QPushButton* NALCSplit = nullptr;
    QPushButton* NALCHelp = nullptr;
    QPushButton* VagueFileBtn = nullptr;
    QPushButton* VagueHelpBtn = nullptr;
    QLineEdit* VagueSkipEdit = nullptr;
    QLineEdit* VaguePixelsWideEdit = nullptr;
    QLineEdit* VaguePixelsHighEdit = nullptr;
    QLineEdit* VagueBandsEdit = nullptr;
    QCheckBox* Vague16BitCB = nullptr;
    QCheckBox* VagueReduceCB = nullptr;
    QCheckBox* VagueSwapCB = nullptr;

    // "DIH->DIS XY".
    QPushButton* BSQDIHtoDISFileBtn = nullptr;
    QPushButton* MetadataFileEditBtn = nullptr;
    QLineEdit* BSQFileEdit = nullptr;
    QLineEdit* BSQBandEdit = nullptr;
    QLineEdit *BSQLCEdit = nullptr, *BSQRCEdit = nullptr, *BSQTREdit = nullptr,
              *BSQBREdit = nullptr, *BSQWEdit = nullptr, *BSQHEdit = nullptr;
    QLineEdit *BSQLCIEdit = nullptr, *BSQRCIEdit = nullptr, *BSQTRIEdit = nullptr,
              *BSQBRIEdit = nullptr, *BSQWIEdit = nullptr, *BSQHIEdit = nullptr;
    TCropPreviewLabel* BSQImage = nullptr;
    QPushButton* BSQOKBtn = nullptr;
    QPushButton* BSQHelpBtn = nullptr;

    // The mouse handlers work from a scene's choice to its crop.
    bool PreviewActive = false;

    void NalcOKBtnClick();
    void VagueFileBtnClick();
    void BSQDIHtoDISFileBtnClick();
    void BSQImageMouseMove(int x, int y);
    void BSQImageMouseDown(Qt::MouseButton button, int x, int y);
    void BSQOKBtnClick();

  private:
    void BuildSplitPage();
    void BuildCropPage();
    void ShowScene();
    void Hint(const char* text);
    void BusyRun(void (TBandSplitPages::*handler)());

    TPBands* Window;
    TCropScene Scene;
    int64_t Step = 1;
};
