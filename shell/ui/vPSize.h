// TPrintersizeForm, the print layout: the displayed image on the printer at a whole-number
// enlargement or fitted to the page, with a one-line legend above or below it and, on request,
// the object marks and labels burnt into the printed picture; a small picture of the page shows
// the printed size first. Created on demand and shown modally; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"
#include "shell/vPrintLayout.h"

#include <QFont>
#include <QImage>
#include <QPointer>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TPrintersizeForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPrintersizeForm(QWidget* parent = nullptr);
    ~TPrintersizeForm() override;

    QComboBox* PrintStyleCB = nullptr;
    QGroupBox* PrintSizeRG = nullptr;
    QButtonGroup* PrintSizeItems = nullptr; // ids 0 "Original Size" to 6 "Max Size"
    QSpinBox* WidthSpinEdit = nullptr;
    QSpinBox* HeightSpinEdit = nullptr;
    QLabel* PageWidthLabel = nullptr;
    QLabel* PageHeightLabel = nullptr;
    QLineEdit* TitleEdit = nullptr;
    QLineEdit* AuthorEdit = nullptr;
    QGroupBox* LegendRG = nullptr;
    QButtonGroup* LegendItems = nullptr; // ids 0 "None", 1 "Top", 2 "Bottom"
    QPushButton* LOFontBtn = nullptr;
    QPushButton* LegendBitBtn = nullptr;
    QCheckBox* PALCB = nullptr;
    QCheckBox* POLCB = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* AbortBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QFrame* PrinterPagePanel = nullptr;
    QFrame* PrinterSizeShape = nullptr;
    QFrame* LegendPanel = nullptr;
    QLabel* TitlePanel = nullptr;
    QLabel* AuthorPanel = nullptr;
    // The font dialog's font: the legend is measured and written in it.
    QFont FontDialog1Font;

    int32_t PageWidth = 0;
    int32_t PageHeight = 0;
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
    PrintedSize Printed;
    bool ImageFits = false;
    bool LegendFits = false;
    int32_t TitleWidth = 0;
    int32_t AuthorWidth = 0;
    int32_t LegendHeight = 0;
    // Printer pixels a screen pixel of the page picture.
    double PageScale = BasePreviewScale;

    void FormActivate();
    void CheckStyle();
    void CheckImage();
    void CheckText();
    void LOFontBtnClick();
    void OKBtnClick();
    void AbortBtnClick();
    void HelpBtnClick();

    // The picture as it goes to paper: a copy, with the labels and marks drawn in when asked.
    // `goOn`, asked after the labels and after the marks, gives up the picture by saying false.
    QImage PrintedPicture(const std::function<bool()>& goOn = {}) const;

  protected:
    void FormOpen() override;

  private:
    void BuildControls();
    // Lets pending window events be processed; false once the print was abandoned.
    bool PrintGoesOn();
    // Set by Abort while a print runs: the print stops drawing and its document is abandoned.
    bool PrintAbandoned = false;
};

extern QPointer<TPrintersizeForm> PrintersizeForm;
