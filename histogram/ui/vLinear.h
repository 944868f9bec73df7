// TLinearForm, the Linear tool window: contours, edges and intervals with their recorded
// parameters, the Measured, Snake and Line Profile tool modes, and the magic-wand preview.
// Lives for the whole run.
#pragma once

#include "histogram/vAgfxMasks.h"
#include "shell/ui/vToolWindow.h"

#include <QPointer>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QTabWidget;
class QToolButton;

class TLinearForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TLinearForm(QWidget* parent = nullptr);

    void RGBContoursBtnClick();
    void ContourRGBBtnClick();
    void EdgeFollowBtnClick();
    void EdgeFlowBtnClick();
    void ContourIntervalBtnClick();
    void MeasuredBtnClick();
    void SnakeBtnClick();
    void ProfileBtnClick();
    // The colour picked in Snake mode (red in the low byte): its green becomes the follower's
    // level.
    void SetEdgeFollowFromColor(int x, int y, uint32_t color);
    void MagicWand2Click();
    // Another picture is shown: a wand that is on takes it into its preview, so that its clicks
    // and its Save act on the picture shown, under whose name the Save proposes to write.
    void PictureReplaced();
    // A release on the preview at picture coordinates; outside the preview it is ignored.
    void PreviewImageMouseUp(int x, int y);
    void SpeedButton1Click();
    // The band of the contour interval: LinearRG's item index.
    int LinearRGIndex() const;
    void SetLinearRGIndex(int index);

    QTabWidget* PageControl1;
    QPushButton* RGBContoursBtn;
    QLineEdit *BEdit, *GEdit, *REdit;
    QPushButton* ContourRGBBtn;
    QLineEdit *WBEdit, *WGEdit, *WREdit;
    QPushButton* MeasuredBtn;
    QPushButton* ProfileBtn;
    QPushButton* SnakeBtn;
    QPushButton* RedEdgeFollowerBtn;
    QLineEdit* EdgeFollowEdit;
    QPushButton* EdgeFlowBtn;
    QButtonGroup* LinearRG;
    QPushButton* ContourIntervalBtn;
    QLineEdit* ContourIntervalEdit;
    QPushButton* LinearCloseBtn;
    QPushButton* LinearHelpBtn;
    QScrollArea* ScrollBox1;
    QLabel* PreviewImage;
    QSlider* WandTrackBar;
    QCheckBox* MagicWand2;
    QToolButton* SpeedButton1;
    // What the preview shows, and the picture it was copied from (ShownPictureSerial).
    Picture Preview;
    uint64_t PreviewSerial = 0;

  protected:
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowPreview();
};

extern QPointer<TLinearForm> LinearForm;
