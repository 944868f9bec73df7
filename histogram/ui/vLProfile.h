// TLineProfileForm, the line-profile tool: the colours along a line dragged on the main image,
// as a chart, a one-pixel strip and a text table. Lives for the whole run.
#pragma once

#include "histogram/vProfileTable.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vToolWindow.h"

#include <QPointer>

#include <array>
#include <utility>

class QCheckBox;
class QChart;
class QChartView;
class QGroupBox;
class QLabel;
class QLineSeries;
class QPainter;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QValueAxis;
class QWidget;

class TLineProfileForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TLineProfileForm(QWidget* parent = nullptr);

    // Arms the tool on the picture copy the caller has just taken.
    void StartProfile();
    // The main image's mouse in image coordinates while the tool is armed.
    void DoImageMouseDown(int x, int y);
    void DoImageMouseMove(int x, int y);
    void DoImageMouseUp(int x, int y);
    // The drag a command ended: the line goes back to where the press found it, and the pointer
    // is let go.
    void EndImageDrag();
    // The picture the tool measures is no longer the one shown (another was opened, or it was
    // replaced): the tool ends, its line and what was measured along it with it.
    void PictureReplaced();
    // Draws the line and its end marks over the main image; nothing is drawn into the picture.
    void PaintOverImage(QPainter& painter) const;

    void SpeedButtonToolClick(int tag);
    void SpeedButtonEraseClick();
    void CheckBoxPlaneClick(int tag);
    void ButtonPrintGraphClick();
    void SaveButtonClick();
    void PrintButtonClick();
    void CopyButtonClick();

    uint8_t ProfileTool = 2; // 1 change an end point, 2 draw a new line
    uint8_t GrabbedPart = 0; // 0 nothing, 1 start, 2 end, 3 the whole line
    ImagePoint LineEnd = UnsetPoint;
    ImagePoint LineStart = UnsetPoint;
    ImagePoint LastMousePoint = UnsetPoint;
    std::pair<ImagePoint, ImagePoint> LineBeforeDrag{UnsetPoint, UnsetPoint};

    QTabWidget* PageControlProfile;
    QWidget* TabSheetGraphs;
    QWidget* TabSheetData;
    QChart* ChartPixelProfile;
    QChartView* ChartView;
    QValueAxis* BottomAxis;
    std::array<QLineSeries*, 7> Series; // red, green, blue, intensity, hue, saturation, value
    std::array<QCheckBox*, 7> PlaneBoxes;
    QLabel* ImagePixelRow;
    QLabel* LabelPixelSlice;
    QPushButton* ButtonPrintGraph;
    QToolButton* SpeedButtonErase;
    QTextEdit* MemoData;
    QLabel* LabelFilename;
    QPushButton* SaveButton;
    QPushButton* PrintButton;
    QPushButton* CopyButton;
    QLabel* LabelPoints;
    QPushButton* CloseBtn;
    QPushButton* HelpBtn;
    QGroupBox* GroupBoxDraw;
    QToolButton* SpeedButtonLine;
    QToolButton* SpeedButtonSelect;

  protected:
    void FormClose() override;

  private:
    // The picture the profile samples, as it was named when the tool started: its table is saved
    // beside that picture whatever another window shows since.
    std::string ProfileFolder;
    std::string ProfileName;
    // The profile's table as this tool last wrote it.
    TFileStamp ProfileStamp;
    void DrawProfileLine();
    void UpdatePointsLabel();
    void BuildProfile();
    void ShowPages(bool shown);
    void MoveWholeLine(int x, int y);
    void RepaintImage() const;
};

extern QPointer<TLineProfileForm> LineProfileForm;
// A new line is being dragged.
extern bool LineProfileDrawing;
