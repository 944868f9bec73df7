#include "shell/ui/vPSize.h"

#include "shell/ui/vApplication.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vMarkControls.h"
#include "shell/ui/vMarkPainter.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVorn.h"
#include "shell/ui/vXAnnoLO.h"
#include "shell/vGlobal.h"
#include "shell/vMarkLists.h"
#include "shell/vToolForms.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

QPointer<TPrintersizeForm> PrintersizeForm;

namespace {

constexpr int LegendPanelWidth = 166;
// Picture rows drawn between two looks at the window events while printing.
constexpr int PrintBandRows = 64;
// The area the page picture is drawn in, and the page picture's distance from its edges.
constexpr int PageAreaWidth = 400, PageAreaHeight = 500, PageMargin = 8;

QGroupBox* RadioGroup(const char* name, const char* caption,
                      std::initializer_list<const char*> items, QButtonGroup*& group,
                      QWidget* parent) {
    auto* box = Named(new QGroupBox(caption, parent), name);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(item, box);
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return box;
}

void SetBackground(QWidget* widget, QPalette::ColorRole from) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, widget->style()->standardPalette().color(from));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TPrintersizeForm::TPrintersizeForm(QWidget* parent)
    : TToolWindow("Image Print Selection", "PrintersizeForm", fpPrintersize, tfPrintersize,
                  parent) {
    BuildControls();
    ImageFits = LegendFits = false;
}

TPrintersizeForm::~TPrintersizeForm() = default;

void TPrintersizeForm::BuildControls() {
    auto* grid = new QGridLayout(this);
    PrintStyleCB = Named(new QComboBox(this), "PrintStyleCB");
    PrintStyleCB->addItems({"Portrait", "Landscape"});
    grid->addWidget(new QLabel("Print Style", this), 0, 0);
    grid->addWidget(PrintStyleCB, 0, 1);

    PrintSizeRG = RadioGroup(
        "PrintSizeRG", "Print Size",
        {"Original Size", "2 Times", "3 Times", "4 Times", "5 Times", "6 Times", "Max Size"},
        PrintSizeItems, this);
    grid->addWidget(PrintSizeRG, 1, 0, 4, 1);

    WidthSpinEdit = Named(new QSpinBox(this), "WidthSpinEdit");
    HeightSpinEdit = Named(new QSpinBox(this), "HeightSpinEdit");
    for (QSpinBox* spin : {WidthSpinEdit, HeightSpinEdit})
        spin->setRange(0, 1 << 30);
    PageWidthLabel = Named(new QLabel(this), "PageWidthLabel");
    PageHeightLabel = Named(new QLabel(this), "PageHeightLabel");
    grid->addWidget(WidthSpinEdit, 1, 1);
    grid->addWidget(HeightSpinEdit, 2, 1);
    grid->addWidget(PageWidthLabel, 3, 1);
    grid->addWidget(PageHeightLabel, 4, 1);

    TitleEdit = Named(new QLineEdit("Title", this), "TitleEdit");
    AuthorEdit = Named(new QLineEdit("Author Name, 1Jan2001, Source", this), "AuthorEdit");
    grid->addWidget(TitleEdit, 5, 0, 1, 2);
    grid->addWidget(AuthorEdit, 6, 0, 1, 2);
    LegendRG = RadioGroup("LegendRG", "Legend", {"None", "Top", "Bottom"}, LegendItems, this);
    LegendItems->button(lpBottom)->setChecked(true);
    grid->addWidget(LegendRG, 7, 0, 3, 1);
    LOFontBtn = Named(new QPushButton("Font", this), "LOFontBtn");
    LegendBitBtn = Named(new QPushButton("OK", this), "LegendBitBtn");
    LegendBitBtn->setToolTip("Display Changes");
    LegendBitBtn->setStatusTip("Display Changes");
    LegendBitBtn->setAutoDefault(false);
    grid->addWidget(LOFontBtn, 7, 1);
    grid->addWidget(LegendBitBtn, 8, 1);
    FontDialog1Font = QFont("Arial", 12);

    PALCB = Named(new QCheckBox("Print Annotation List", this), "PALCB");
    POLCB = Named(new QCheckBox("Print Object List", this), "POLCB");
    grid->addWidget(PALCB, 10, 0);
    grid->addWidget(POLCB, 10, 1);

    OKBtn = Named(new QPushButton("Print", this), "OKBtn");
    AbortBtn = Named(new QPushButton("Abort", this), "AbortBtn");
    HelpBtn = Named(new QPushButton("Help", this), "HelpBtn");
    CloseBtn = Named(new QPushButton("Close", this), "CloseBtn");
    for (QPushButton* b : {OKBtn, AbortBtn, HelpBtn, CloseBtn})
        b->setAutoDefault(false);
    grid->addWidget(OKBtn, 11, 0);
    grid->addWidget(AbortBtn, 11, 1);
    grid->addWidget(HelpBtn, 12, 0);
    grid->addWidget(CloseBtn, 12, 1);

    auto* page = new QWidget(this);
    page->setFixedSize(PageAreaWidth, PageAreaHeight);
    PrinterPagePanel = Named(new QFrame(page), "PrinterPagePanel");
    PrinterPagePanel->setFrameShape(QFrame::Box);
    SetBackground(PrinterPagePanel, QPalette::Base);
    PrinterSizeShape = Named(new QFrame(PrinterPagePanel), "PrinterSizeShape");
    PrinterSizeShape->setAutoFillBackground(true);
    PrinterSizeShape->setPalette(QPalette(Qt::gray));
    LegendPanel = Named(new QFrame(PrinterPagePanel), "LegendPanel");
    LegendPanel->resize(LegendPanelWidth, 24);
    auto* legendLayout = new QHBoxLayout(LegendPanel);
    legendLayout->setContentsMargins(0, 0, 0, 0);
    TitlePanel = Named(new QLabel("Title", LegendPanel), "TitlePanel");
    AuthorPanel = Named(new QLabel(LegendPanel), "AuthorPanel");
    legendLayout->addWidget(TitlePanel);
    legendLayout->addWidget(AuthorPanel);
    grid->addWidget(page, 0, 2, 13, 1);

    connect(PrintStyleCB, &QComboBox::activated, this,
            [this] { Guarded([this] { CheckStyle(); }); });
    connect(PrintSizeItems, &QButtonGroup::idClicked, this,
            [this] { Guarded([this] { CheckImage(); }); });
    const std::pair<QPushButton*, void (TPrintersizeForm::*)()> buttons[] = {
        {LOFontBtn, &TPrintersizeForm::LOFontBtnClick},
        {LegendBitBtn, &TPrintersizeForm::CheckText},
        {OKBtn, &TPrintersizeForm::OKBtnClick},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { Guarded([&] { (this->*handler)(); }); });
    // Abort is for the print under way, which lets window events in so that it is heard.
    HeardMidRun(AbortBtn);
    connect(AbortBtn, &QPushButton::clicked, this,
            [this] { GuardedMidRun([this] { AbortBtnClick(); }); });
    ConnectHelp(HelpBtn, [this] { HelpBtnClick(); });
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
}

void TPrintersizeForm::FormOpen() {
    FormActivate();
}

void TPrintersizeForm::FormActivate() {
    TitleEdit->setText(QString::fromLocal8Bit(CurrentImageName.c_str()));
    ImageWidth = DisplayedPicture.Empty() ? 0 : DisplayedPicture.Width;
    ImageHeight = DisplayedPicture.Empty() ? 0 : DisplayedPicture.Height;
    WidthSpinEdit->setValue(ImageWidth);
    HeightSpinEdit->setValue(ImageHeight);
    PrintStyleCB->setCurrentIndex(
        ProgramPrinter().pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0);
    CheckStyle();
}

void TPrintersizeForm::CheckStyle() {
    QPrinter& printer = ProgramPrinter();
    printer.setPageOrientation(PrintStyleCB->currentIndex() == 1 ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
    PageWidth = printer.width();
    PageHeight = printer.height();
    // A fine printer resolution would give a page picture larger than its area: the picture
    // then shrinks to fit, and the image shape and legend with it.
    PageScale = PreviewScale(PageWidth, PageHeight, PageAreaWidth - 2 * PageMargin,
                             PageAreaHeight - 2 * PageMargin);
    const int panelWidth = PreviewPixels(PageWidth, PageScale),
              panelHeight = PreviewPixels(PageHeight, PageScale);
    PrinterPagePanel->setGeometry(PageMargin, PageMargin, panelWidth, panelHeight);
    const int legendWidth = std::min(LegendPanelWidth, panelWidth);
    const int legendTop =
        LegendItems->checkedId() == lpBottom ? std::max(0, panelHeight - 40) : PageMargin;
    LegendPanel->setGeometry((panelWidth - legendWidth) / 2, legendTop, legendWidth,
                             LegendPanel->height());
    PageWidthLabel->setNum(PageWidth);
    PageHeightLabel->setNum(PageHeight);
    CheckImage();
}

void TPrintersizeForm::CheckImage() {
    ImageFits = false;
    const PrintedSize size =
        CheckImageSize(PrintSizeItems->checkedId(), ImageWidth, ImageHeight, PageWidth, PageHeight);
    if (!size.Fits) {
        SetBackground(PrintSizeRG, QPalette::Base);
        return;
    }
    Printed = size;
    ImageFits = true;
    WidthSpinEdit->setValue(size.Width);
    HeightSpinEdit->setValue(size.Height);
    SetBackground(PrintSizeRG, QPalette::Button);
    const int w = PreviewPixels(size.Width, PageScale), h = PreviewPixels(size.Height, PageScale);
    PrinterSizeShape->setGeometry((PrinterPagePanel->width() - w) / 2,
                                  (PrinterPagePanel->height() - h) / 2, w, h);
}

void TPrintersizeForm::CheckText() {
    // Measured in the font and at the resolution the legend is printed with, so that the page
    // width it is held against and the places it is written at are in the same pixels.
    const QFontMetrics metrics(FontDialog1Font, &ProgramPrinter());
    const QString title = TitleEdit->text(), author = AuthorEdit->text();
    TitlePanel->setText(title);
    AuthorPanel->setText(author);
    TitleWidth = metrics.horizontalAdvance(title);
    AuthorWidth = metrics.horizontalAdvance(author);
    LegendHeight = metrics.height();
    LegendFits =
        LegendFitsPage(LegendItems->checkedId(), int64_t{TitleWidth} + AuthorWidth, PageWidth);
    LegendBitBtn->setIcon(
        style()->standardIcon(LegendFits ? QStyle::SP_DialogOkButton : QStyle::SP_DialogNoButton));
}

void TPrintersizeForm::LOFontBtnClick() {
    uint32_t color = 0;
    ChooseFontFor(FontDialog1Font, color);
    CheckText();
}

QImage TPrintersizeForm::PrintedPicture(const std::function<bool()>& goOn) const {
    // A copy: what is burnt in for paper never reaches the picture or its undo copy.
    QImage picture = TImageView::PictureImage().copy();
    if (picture.isNull()) return picture;
    {
        QPainter painter(&picture);
        if (PALCB->isChecked()) {
            PaintTextLabels(painter, TextLabels, CurrentLabelLook());
            if (goOn && !goOn()) return {};
        }
        if (POLCB->isChecked()) {
            PaintObjectMarks(painter, ObjectMarks);
            if (goOn && !goOn()) return {};
        }
    }
    return picture;
}

bool TPrintersizeForm::PrintGoesOn() {
    HookProcessMessages();
    return !PrintAbandoned;
}

void TPrintersizeForm::OKBtnClick() {
    ImageFits = LegendFits = false;
    const int32_t place = LegendItems->checkedId();
    if (place != lpNone)
        CheckText();
    else
        LegendFits = true;
    if (LegendFits) CheckImage();
    if (!ImageFits || !LegendFits) {
        ShowMessageNumber(36);
        return;
    }
    const auto ready = ReadyPrinter(SayNoPrinterAvailable);
    if (!ready) return;
    QPrinter& printer = ready->Printer();
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessageNumber(38);
        return;
    }
    PrintAbandoned = false;
    const PageRect r = CentredOnPage(PageWidth, PageHeight, Printed);
    if (place != lpNone) {
        CheckText();
        const LegendSpots spots =
            PlaceLegend(place, PageWidth, PageHeight, TitleWidth, AuthorWidth, LegendHeight);
        painter.setFont(QFont(FontDialog1Font, &printer));
        const int ascent = QFontMetrics(FontDialog1Font, &printer).ascent();
        painter.drawText(spots.TitleX, spots.Y + ascent, TitleEdit->text());
        painter.drawText(spots.AuthorX, spots.Y + ascent, AuthorEdit->text());
    }
    // The print lets window events in between its steps, so that Abort is heard while it runs.
    const QImage picture =
        PrintGoesOn() ? PrintedPicture([this] { return PrintGoesOn(); }) : QImage();
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const int rows = picture.height();
    for (int top = 0; top < rows; top += PrintBandRows) {
        // Each band reaches one row into the next, which is drawn over it: a viewer that smooths
        // the edges of pictures shows no seam between them.
        const int bottom = std::min(rows, top + PrintBandRows + 1);
        const QRectF target(r.Left, r.Top + static_cast<double>(r.Height) * top / rows, r.Width,
                            static_cast<double>(r.Height) * (bottom - top) / rows);
        painter.drawImage(target, picture, QRect(0, top, picture.width(), bottom - top));
        if (bottom == rows || !PrintGoesOn()) break;
    }
    painter.end();
    // The printer service cannot take back what it was given; an abandoned document to a file
    // replaces nothing, and the last printout there stays.
    if (!PrintAbandoned) ready->Commit();
}

void TPrintersizeForm::AbortBtnClick() {
    QPrinter& printer = ProgramPrinter();
    if (printer.printerState() != QPrinter::Active) return;
    PrintAbandoned = true;
    printer.abort();
    ShowMessageNumber(38);
}

void TPrintersizeForm::HelpBtnClick() {
    if (VORNForm) VORNForm->ShowHelpContext(112);
}
