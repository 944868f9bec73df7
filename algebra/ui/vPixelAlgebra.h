// TPixelAlgebraForm, the pixel-algebra window: band expressions, ratios, coefficient products and
// colour look-up tables on the working image. Created on demand; freed after its close.
#pragma once

#include "shell/ui/vToolWindow.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

class QButtonGroup;
class QLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class TColorContortionsPage;

class TPixelAlgebraForm : public TToolWindow {
    Q_OBJECT
  public:
    explicit TPixelAlgebraForm(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QButtonGroup* TogglesRG = nullptr;
    QPushButton* PACloseBtn = nullptr;
    QPushButton* PixelAlgebraHelpBtn = nullptr;

    // ---- "Pixel Operations" ----
    QButtonGroup *BA0 = nullptr, *BA1 = nullptr, *BA2 = nullptr, *BA3 = nullptr, *BA4 = nullptr,
                 *BA5 = nullptr, *BA6 = nullptr;
    QButtonGroup *BB0 = nullptr, *BB1 = nullptr, *BB2 = nullptr, *BB3 = nullptr, *BB4 = nullptr,
                 *BB5 = nullptr, *BB6 = nullptr;
    QButtonGroup *OpRGA1 = nullptr, *OpRGA2 = nullptr, *OpRGA3 = nullptr;
    QButtonGroup *OpRGB1 = nullptr, *OpRGB2 = nullptr, *OpRGB3 = nullptr;
    QButtonGroup* OpRGMain = nullptr;
    QPushButton* PAPODOBtn = nullptr;

    // ---- "Ratios" ----
    QButtonGroup* PixelRatiosRG = nullptr;
    QPushButton* PA_RatiosBtn = nullptr;
    // PARREdit1..3, PARGEdit1..3, PARBEdit1..3: the engine's order.
    std::array<QLineEdit*, 9> PAREdits{};
    QButtonGroup* PARRG = nullptr;
    QPushButton* PARBtn = nullptr;
    std::array<QLineEdit*, 3> PMEdits{};
    QButtonGroup* PMRG = nullptr;
    QPushButton* PMultiplyBtn = nullptr;

    // ---- "Color Contortions" ----
    TColorContortionsPage* ColorContortions = nullptr;

    // The 21 groups of "Pixel Operations" in the recorded order.
    std::array<QButtonGroup*, 21> ExpressionGroups() const;

    void DOPAPODO();
    void PA_RatiosBtnClick();
    void PARBtnClick();
    void PMultiplyBtnClick();
    void TogglesRGClick(int item);

  protected:
    void FormClose() override;
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* MakePixelOperationsPage();
    QWidget* MakeRatiosPage();
    QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* hint,
                        void (TPixelAlgebraForm::*click)());
    QPushButton* HelpButton(QWidget* parent, const char* name, int topic);
    // The edits read as whole numbers after trimming; the first malformed one shows the
    // file-data error and gives nothing.
    template <size_t N>
    std::optional<std::array<double, N>> ReadEdits(const std::array<QLineEdit*, N>& edits);
};

extern QPointer<TPixelAlgebraForm> PixelAlgebraForm;

// A titled radio group of `items` in rows of `columns`, put into `into`; `chosen` -1 for none.
QButtonGroup* ItemRadioGroup(QWidget* parent, const char* name, const QString& title,
                             std::initializer_list<const char*> items, int chosen, int columns,
                             QLayout* into);
// Sets a radio group's item; -1 (or any item it lacks) leaves none chosen.
void SetRadioItem(QButtonGroup* group, int item);
