// The histogram window's frame: its pages in tab order, the calls the main window makes after
// every load, the close, and the saved pictures every page shares.
#include "histogram/ui/vHistogram.h"

#include "histogram/ui/vHistogramControls.h"
#include "histogram/vHistogramPages.h"
#include "shell/ui/vHelp.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace histogram_ui;

QPointer<THistogramForm> HistogramForm;

namespace {

struct PageLook {
    const char* Name;
    const char* Title;
};
constexpr std::array<PageLook, THistogramForm::PageCount> PageLooks{{
    {"HistogramPage", "Histogram"},
    {"HColorPage", "H Color"},
    {"H2DPage", "H 2D"},
    {"H23DPage", "H 2/3 D"},
    {"NaturalBreakPage", "Natural Break"},
    {"ClassifierPage", "Statistical Classifier"},
    {"ClassifierDataPage", "SC data"},
    {"SOHO", "SC Slice"},
}};

} // namespace

THistogramForm::THistogramForm(QWidget* parent)
    : TToolWindow("Histogram", "HistogramForm", fpHistogram, tfHistogram, parent) {
    HistoPages = new QTabWidget(this);
    HistoPages->setObjectName("HistoPages");
    for (size_t i = 0; i < Pages.size(); ++i) {
        Pages[i] = new QWidget;
        Pages[i]->setObjectName(PageLooks[i].Name);
        HistoPages->addTab(Pages[i], PageLooks[i].Title);
    }
    BuildHistogramPage(Pages[PageHistogram]);
    BuildColorPage(Pages[PageColor]);
    Build2DPage(Pages[Page2D]);
    Build3DPage(Pages[Page23D]);
    BuildNaturalBreakPage(Pages[PageNaturalBreak]);
    BuildClassifierPage(Pages[PageClassifier]);
    BuildClassifierDataPage(Pages[PageClassifierData]);
    BuildSlicePage(Pages[PageSlice]);
    SetPageHelpContexts(HistoPages, {6100, 6050, 6200, 6300, 6400, 6600, 0, 6700});

    PreviewCloseBtn = MakeButton(this, "PreviewCloseBtn", "Close");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(PreviewCloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HistoPages);
    layout->addLayout(bottom);

    connect(PreviewCloseBtn, &QPushButton::clicked, this, [this] { close(); });
    connect(HistoPages, &QTabWidget::currentChanged, this,
            [this](int page) { Guarded([&] { HistoPagesChange(page); }); });

    // Blank pictures of the colour page's size until it is first activated.
    ColorSourceBitmap = BlankPictureFor(ImageBig);
    ColorPlaneBitmap = BlankPictureFor(ImageBig);
    ShowPicture(ImageBig, ColorSourceBitmap);
    NBPicture = BlankPictureFor(ImageNB);
    DisableAll();
}

void THistogramForm::DisableAllNewFile() {
    ImageHistogram->clear();
    ColorSourceBitmap = BlankPictureFor(ImageBig);
    ShowPicture(ImageBig, ColorSourceBitmap);
    ColorPlaneBitmap = BlankPictureFor(ImageBig);
    // Save and Print would give the blank.
    EnableColorPageCommands(false);
}

void THistogramForm::DisableAll() {
    ClearHistogramPage();
    for (auto* buttons : {&H_HSaveBtn, &SCHSaveBtn, &H_NB_SaveBtn})
        for (QPushButton* b : *buttons)
            b->setEnabled(false);
    H_NB_SetBtn->setEnabled(false);
    H_NB_SaveImageBtn->setEnabled(false);
    DisableAll2D3D();
}

void THistogramForm::FormClose() {
    DisableAllNewFile();
    DisableAll();
    TToolWindow::FormClose();
}

void THistogramForm::closeEvent(QCloseEvent* event) {
    if (CubeRunning) {
        event->ignore();
        return;
    }
    TToolWindow::closeEvent(event);
}

void THistogramForm::changeEvent(QEvent* event) {
    TToolWindow::changeEvent(event);
    // A dialog opened by a handler of this window takes the focus while the handler runs.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !InsideHandler())
        Guarded([this] { DisableAllNewFile(); });
}

void THistogramForm::ShowBandHistogram(int band, const BandHistogram& h, int32_t mode,
                                       const std::array<uint32_t, 256>& bars, Picture& picture,
                                       QLabel* view) {
    picture = BlankPictureFor(view);
    PlotHistogramBars(h, mode, bars, BandHistogramLayout, picture);
    for (int column : BandHistogramEndMarks)
        PlotColumn(column, BandColors[static_cast<size_t>(band)], picture);
    WriteTopLeft(picture, QString::number(h[static_cast<size_t>(mode & 0xFF)]));
    ShowPicture(view, picture);
}

void THistogramForm::SaveHistogramPicture(const Picture& picture, const char* suffix) {
    FileDialogRequest request;
    request.Save = true;
    request.Filter = "bmp|*.bmp";
    request.DefaultExt = "BMP";
    request.OpenIn(ImageDirectory);
    request.FileName = HistogramPictureName(CurrentImageFolder, CurrentImageName, suffix);
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    WritePictureFile(chosen, picture, PictureFileKind::Bmp, TReplaceLeave::Chosen(chosen));
}
