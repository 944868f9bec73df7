// TFormPrint, the histogram window's print window: the chosen colour plane large or small, a
// sheet of nine plane histograms with their statistics, or a sheet of nine plane pictures. It
// prints straight to the main window's printer and closes.
#pragma once

#include "shell/ui/vToolWindow.h"
#include "shell/vPicture.h"

#include <QString>

class QPainter;
class QPushButton;

// What the print window prints: its own copies, since the histogram window blanks its pictures
// as soon as it loses the focus to this one.
struct PrintSource {
    QString Caption;
    QString Attributes;
    QString PlaneName;
    Picture ColorPlaneBitmap;
    Picture ColorSourceBitmap;
};

class TFormPrint : public TToolWindow {
    Q_OBJECT
  public:
    TFormPrint(PrintSource source, QWidget* parent = nullptr);
    ~TFormPrint() override;

    void ButtonPrintBigImageClick();
    void ButtonPrintSmallImageClick();
    void ButtonHistogramsClick();
    void ButtonColorSpaceArrayClick();

    QPushButton* ButtonPrintBigImage = nullptr;
    QPushButton* ButtonPrintSmallImage = nullptr;
    QPushButton* ButtonHistograms = nullptr;
    QPushButton* ButtonColorSpaceArray = nullptr;
    QPushButton* ButtonCancel = nullptr;

    const PrintSource Source;

  private:
    // Begins the document in the orientation, runs `draw` on its page and ends it, with the
    // hourglass in between; then closes the window.
    template <typename Draw> void PrintPage(bool landscape, Draw draw);
    // The title line, and the date and time at the foot of the page from `left`.
    void PrintTitle(QPainter& canvas) const;
    void PrintFooter(QPainter& canvas, int left) const;
    // The nine panels: histograms, or pictures of every plane.
    void PrintSheet(QPainter& canvas, bool pictures) const;
};
