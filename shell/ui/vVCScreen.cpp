#include "shell/ui/vVCScreen.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"
#include "shell/vViewingAids.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

QPointer<TViewCursorScreen> ViewCursorScreen;

TViewCursorScreen::TViewCursorScreen(QWidget* parent)
    : TToolWindow("View Cursor Screen: Red, Green, Blue Pixel Values", "ViewCursorScreen",
                  fpViewCursorScreen, tfNone, parent) {
    CursorPixelValues = new QTableWidget(CursorGridSide, CursorGridSide, this);
    CursorPixelValues->setObjectName("CursorPixelValues");
    CursorPixelValues->horizontalHeader()->hide();
    CursorPixelValues->verticalHeader()->hide();
    CursorPixelValues->horizontalHeader()->setDefaultSectionSize(71);
    CursorPixelValues->verticalHeader()->setDefaultSectionSize(21);
    CursorPixelValues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < CursorGridSide; ++r)
        for (int c = 0; c < CursorGridSide; ++c)
            CursorPixelValues->setItem(c, r, new QTableWidgetItem);
    Panel1 = new QLabel(this);
    Panel1->setObjectName("Panel1");
    VCSSaveBtn = new QPushButton("Save", this);
    VCSSaveBtn->setObjectName("VCSSaveBtn");
    VCSPrintBtn = new QPushButton("Print", this);
    VCSPrintBtn->setObjectName("VCSPrintBtn");
    VCSCloseBtn = new QPushButton("Close", this);
    VCSCloseBtn->setObjectName("VCSCloseBtn");
    VCSHelpBtn = new QPushButton("Help", this);
    VCSHelpBtn->setObjectName("VCSHelpBtn");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Panel1, 1);
    for (QPushButton* b : {VCSSaveBtn, VCSPrintBtn, VCSCloseBtn, VCSHelpBtn})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CursorPixelValues, 1);
    layout->addLayout(buttons);
    resize(900, 600);

    connect(VCSSaveBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { VCSSaveBtnClick(); }); });
    connect(VCSPrintBtn, &QPushButton::clicked, this,
            [this] { Guarded([this] { VCSPrintBtnClick(); }); });
    connect(VCSCloseBtn, &QPushButton::clicked, this, &QWidget::close);
    ConnectHelp(VCSHelpBtn, 5500);
}

TViewCursorScreen::~TViewCursorScreen() = default;

void TViewCursorScreen::FormOpen() {
    FormShow();
}

void TViewCursorScreen::FormShow() {
    Box = SelectionBox;
    ShowGrid();
}

void TViewCursorScreen::ShowGrid() {
    Grid = ReadCursorGrid(DisplayedPicture, Box);
    // Grid column r is image row top + r: the table's column index comes first.
    for (int r = 0; r < CursorGridSide; ++r)
        for (int c = 0; c < CursorGridSide; ++c)
            CursorPixelValues->item(c, r)->setText(
                QString::fromStdString(Grid.Cells[static_cast<size_t>(r)][static_cast<size_t>(c)]));
    Panel1->setText(QString::fromStdString(CursorPanelCaption(Box)));
}

void TViewCursorScreen::VCSSave() {
    FileDialogRequest request;
    request.Save = true;
    request.Filter = "Cursor txt files|*.txt";
    request.DefaultExt = "txt";
    request.OpenIn(ImageDirectory);
    // The report is of the shown picture: it is proposed beside it, by its full path. With no name
    // the dialog stayed in the working folder, wherever another window had moved it.
    request.FileName = ShownPictureFile(".txt");
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    for (const std::string& line : CursorReportLines(Grid))
        VCMemo << QString::fromLatin1(line.c_str());
    std::vector<std::string> memo;
    for (const QString& line : VCMemo)
        memo.push_back(line.toLatin1().toStdString());
    if (!WriteFileAtomic(chosen, JoinLinesCRLF(memo), TReplaceLeave::Chosen(chosen)))
        throw EInOutError(FileExists(chosen) ? EInOutError::AccessDenied
                                             : EInOutError::PathNotFound);
}

void TViewCursorScreen::VCSSaveBtnClick() {
    VCMemo.clear();
    VCSSave();
}

void TViewCursorScreen::VCSPrintBtnClick() {
    VCMemo.clear();
    VCSSave();
    const QTextDocument document(VCMemo.join('\n'));
    PrintTextOrRaise(document, QString::fromLatin1(("Pixels of " + CurrentImageName).c_str()));
}
