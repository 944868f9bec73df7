#include "import/ui/vPBands.h"

#include "bandproc/ui/vDisProFrm.h"
#include "import/ui/vBandSplitPages.h"
#include "import/ui/vDisToDipPage.h"
#include "import/ui/vHeaderBinder.h"
#include "import/ui/vLLCropPage.h"
#include "import/ui/vPBHdr.h"
#include "import/vForeignHeaders.h"
#include "import/vHeaderChoices.h"
#include "import/vHeaderListing.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

QPointer<TPBands> PBands;

namespace {

constexpr int ListingPointSize = 12;
constexpr int BoxPointSize = 8;
constexpr const char* HeaderImportFilter =
    "Header file (DDR,IDX,DIH,FST,HDF,TXT,DAT)|*.DDR;*.IDX;*.DIH;*.DAT;*.FST;*.TXT";
constexpr const char* ViewerFilter = "Header files|*.DDR;*.IDX;*.DIH;*.DIS;*.DIP;*.TXT;*.*";
constexpr const char* BandFileFilter = "Spectral Bands (B??,P??,FST)|*.B??;*.P??;*.FST";

std::string ChooseOpen(const char* filter) {
    FileDialogRequest request;
    request.Filter = filter;
    request.OpenIn(ImageDirectory);
    return HookChooseFile(request);
}

void SetBoxFont(QTextEdit* box, int points, bool bold) {
    QFont font = box->document()->defaultFont();
    font.setPointSize(points);
    font.setBold(bold);
    box->document()->setDefaultFont(font);
}

} // namespace

void TPBands::Connect(QPushButton* button, void (TPBands::*handler)()) {
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Run([&] { (this->*handler)(); }); });
}

QPushButton* TPBands::Button(QWidget* parent, const char* name, const char* caption,
                             const char* hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // "short|long": the short text pops up, the long one goes to the status line.
    const QStringList parts = QString(hint).split('|');
    button->setToolTip(parts.value(0));
    button->setStatusTip(parts.value(parts.size() - 1));
    return button;
}

void TPBands::HelpButton(QPushButton* button, int topic) {
    ConnectHelp(button, topic);
}

TPBands::TPBands(QWidget* parent)
    : TToolWindow("Image Import", "PBands", fpPBands, tfNone, parent) {
    setToolTip("Band Selector");
    setStatusTip("Select files to collate into an RGB Image");
    Binder = new THeaderBinder(this);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    IM_Hints = new QLabel(this);
    IM_Hints->setObjectName("IM_Hints");
    RadarGauge = new QProgressBar(this);
    RadarGauge->setObjectName("RadarGauge");
    RadarGauge->setRange(0, 100);
    RadarGauge->setValue(0);
    RadarGauge->setToolTip("Radar Gauge");
    IMHelp = Button(this, "IMHelp", "Help");
    HelpButton(IMHelp, 2000);
    PreviewCloseBtn = Button(this, "PreviewCloseBtn", "X", "Hide me|the X box does this too");
    Connect(PreviewCloseBtn, &TPBands::PreviewCloseBtnClick);
    top->addWidget(IM_Hints, 1);
    top->addWidget(RadarGauge);
    top->addWidget(IMHelp);
    top->addWidget(PreviewCloseBtn);
    layout->addLayout(top);

    IIPageControl = new QTabWidget(this);
    IIPageControl->setObjectName("IIPageControl");
    IIPageControl->addTab(BuildDIHPage(), "->DIH");
    DIHSplitPage = new QWidget;
    DIHToDISXYPage = new QWidget;
    DIHToDISLLPage = new QWidget;
    IIPageControl->addTab(DIHSplitPage, "DIH Split");
    IIPageControl->addTab(DIHToDISXYPage, "DIH->DIS XY");
    IIPageControl->addTab(DIHToDISLLPage, "DIH->DIS LL");
    SplitPages = new TBandSplitPages(this);
    LLCropPage = new TLLCropPage(this);
    IIPageControl->addTab(BuildDISPage(), "DIS");
    IIPageControl->addTab(BuildDISToDIPPage(), "DIS->DIP");
    DisToDipPage = new TDisToDipPage(this);
    IIPageControl->addTab(BuildDIPPage(), "DIP");
    SetPageHelpContexts(IIPageControl, {2010, 2410, 2500, 2930, 0, 2460, 2800});
    layout->addWidget(IIPageControl);
    connect(IIPageControl, &QTabWidget::currentChanged, this,
            [this] { Run([this] { IIPageControlChange(); }); });
    connect(MultiPageControl, &QTabWidget::currentChanged, this,
            [this] { Run([this] { IIPageControlChange(); }); });
    resize(1000, 640);
    Guarded([this] { FormCreate(); });
    ShowHeaderPages();
}

QWidget* TPBands::BuildDISPage() {
    DISPageControl = new QTabWidget;
    DISPageControl->setObjectName("DISPageControl");
    auto* info = new QWidget;
    auto* grid = new QGridLayout(info);
    int row = 0;
    AddDISFields(grid, row, DISField::DISSubsetID, DISField::DISSubsetHeight);
    const struct {
        QLineEdit** Edit;
        const char* Name;
        const char* Caption;
        std::string* Value;
    } extras[] = {
        {&DISFileEdit, "DISFileEdit", "Header File Name", &HeaderPages.DISFileEdit},
        {&DISSubsetNBands, "DISSubsetNBands", "Original # of Bands", &HeaderPages.DISSubsetNBands},
        {&DISSubsetNBCreated, "DISSubsetNBCreated", "# of Bands Created",
         &HeaderPages.DISSubsetNBCreated},
        {&DISSubsetDividedEdit, "DISSubsetDividedEdit", "Divided",
         &HeaderPages.DISSubsetDividedEdit},
    };
    for (const auto& e : extras) {
        *e.Edit = new QLineEdit(info);
        (*e.Edit)->setObjectName(e.Name);
        Binder->BindText(*e.Edit, e.Value);
        auto* label = new QLabel(e.Caption, info);
        if (*e.Edit == DISSubsetNBCreated) DISBCreatedLabel = label;
        grid->addWidget(label, row, 0);
        grid->addWidget(*e.Edit, row++, 1);
    }
    DISFileEdit->setToolTip("Header File Name");
    DISSubsetDividedCB = new QCheckBox("Divided Bands Created", info);
    DISSubsetDividedCB->setObjectName("DISSubsetDividedCB");
    Binder->BindBool(DISSubsetDividedCB, &HeaderPages.DISSubsetDividedCB);
    grid->addWidget(DISSubsetDividedCB, row++, 1);
    auto* buttons = new QHBoxLayout;
    DISFileOpen = Button(info, "DISFileOpen", "Select DIS file to open");
    DISFileSave = Button(info, "DISFileSave", "Save", "Save as DIH|Save as DIH Header");
    DISClear = Button(info, "DISClear", "Clear", "Clear all entries|Use to MAKE a DIH");
    DISLabeledFileSave =
        Button(info, "DISLabeledFileSave", "Labeled", "Save As|Data Descriptions added when saved");
    DISPrint = Button(info, "DISPrint", "Print", "Print|Data Descriptions added when printed");
    PreProcessDISBandsBtn = Button(info, "PreProcessDISBandsBtn", "Launch DIS Bands Pre Processor");
    auto* help = Button(info, "DISSubsetHelp", "Help");
    Connect(DISFileOpen, &TPBands::DISFileOpenClick);
    Connect(DISFileSave, &TPBands::DISFileSaveClick);
    Connect(DISClear, &TPBands::DISClearClick);
    Connect(DISLabeledFileSave, &TPBands::DISLabeledFileSaveClick);
    Connect(DISPrint, &TPBands::DISPrintClick);
    Connect(PreProcessDISBandsBtn, &TPBands::PreProcessDISBandsBtnClick);
    HelpButton(help, 2700);
    for (QPushButton* b : {DISFileOpen, DISFileSave, DISClear, DISLabeledFileSave, DISPrint,
                           PreProcessDISBandsBtn, help})
        buttons->addWidget(b);
    grid->addLayout(buttons, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    DISPageControl->addTab(info, "Subset Information");

    auto* reg = new QWidget;
    auto* regGrid = new QGridLayout(reg);
    row = 0;
    AddDISFields(regGrid, row, DISField::DISRegistrationValidCB, DISField::DISLRLatitude);
    DISPageControl->addTab(reg, "Registration");

    auto* co = new QWidget;
    auto* coGrid = new QGridLayout(co);
    row = 0;
    AddDISFields(coGrid, row, DISField::DISCoLocoCB, DISField::DISOverlappedCB);
    const char* const directions[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    for (int d = 0; d < 8; ++d) {
        const std::string name = std::string("DIS") + directions[d] + "CoFileBtn";
        QPushButton*& button = DISCoFileBtns[static_cast<size_t>(d)];
        button = Button(co, name.c_str(), directions[d], "Select Header");
        connect(button, &QPushButton::clicked, this,
                [this, d] { Run([d] { HeaderPages.DISChooseCoFile(d); }); });
        const int first = row;
        AddDISFields(coGrid, row, DISCoFileFields[static_cast<size_t>(d)],
                     DISCoFileFields[static_cast<size_t>(d)]);
        coGrid->addWidget(button, first, 2);
    }
    DISPageControl->addTab(co, "Co-Located");

    const struct {
        QPlainTextEdit** Memo;
        const char* Name;
        const char* Caption;
        std::vector<std::string>* Lines;
    } lists[] = {{&DISDividedMemo, "DISDividedMemo", "Divided Files", &HeaderPages.DISDividedMemo},
                 {&DISProcessMemo, "DISProcessMemo", "Process", &HeaderPages.DISProcessMemo},
                 {&DISDIPMemo, "DISDIPMemo", "DIP's", &HeaderPages.DISDIPMemo}};
    for (const auto& l : lists) {
        *l.Memo = new QPlainTextEdit;
        (*l.Memo)->setObjectName(l.Name);
        (*l.Memo)->setLineWrapMode(QPlainTextEdit::NoWrap);
        Binder->BindList(*l.Memo, l.Lines);
        DISPageControl->addTab(*l.Memo, l.Caption);
    }
    SetPageHelpContexts(DISPageControl, {2700, 2720, 2730, 2740, 2750, 2760});
    return DISPageControl;
}

QWidget* TPBands::BuildDISToDIPPage() {
    DISToDIPPage = new QWidget;
    auto* grid = new QGridLayout(DISToDIPPage);
    const struct {
        QLineEdit** Edit;
        const char* Name;
        const char* Hint;
    } edits[] = {{&BandHdrEdit, "BandHdrEdit", "Header File Name"},
                 {&BandFileEdit1, "BandFileEdit1", "Red File Name"},
                 {&BandFileEdit2, "BandFileEdit2", "Green File Name"},
                 {&BandFileEdit3, "BandFileEdit3", "Blue File Name"},
                 {&BandFileSaveAs, "BandFileSaveAs", ""},
                 {&STEdit2, "STEdit2", ""},
                 {&SCEdit3, "SCEdit3", ""},
                 {&NBEdit4, "NBEdit4", ""},
                 {&DISLEdit, "DISLEdit", ""},
                 {&DISREdit, "DISREdit", ""},
                 {&DISTEdit, "DISTEdit", ""},
                 {&DISBEdit, "DISBEdit", ""},
                 {&IMWEdit, "IMWEdit", ""},
                 {&IMHEdit, "IMHEdit", ""}};
    int row = 0;
    for (const auto& e : edits) {
        *e.Edit = new QLineEdit(DISToDIPPage);
        (*e.Edit)->setObjectName(e.Name);
        (*e.Edit)->setToolTip(e.Hint);
        grid->addWidget(new QLabel(*e.Hint ? e.Hint : e.Name, DISToDIPPage), row, 0);
        grid->addWidget(*e.Edit, row++, 1);
    }
    auto* help = Button(DISToDIPPage, "PBHelpBtn", "Help");
    HelpButton(help, 2460);
    grid->addWidget(help, row++, 0);
    grid->setRowStretch(row, 1);
    return DISToDIPPage;
}

QWidget* TPBands::BuildDIPPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel("Tracks Image Processing on currently opened Image", page));
    DIPMemo = new QPlainTextEdit(page);
    DIPMemo->setObjectName("DIPMemo");
    DIPMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DIPMemo->setToolTip("Process list");
    DIPMemo->setStatusTip("DIP processes accumulate here");
    Binder->BindList(DIPMemo, &HeaderPages.DIPMemo);
    layout->addWidget(DIPMemo);
    auto* buttons = new QHBoxLayout;
    DIPCopyBtn = Button(page, "DIPCopyBtn", "Copy", "Copy DIP text to Clipboard");
    DIPSelectAllBtn = Button(page, "DIPSelectAllBtn", "Select All");
    DIPPrintBtn =
        Button(page, "DIPPrintBtn", "Print", "Print|Data Descriptions added when printed");
    DIPHelpBtn = Button(page, "DIPHelpBtn", "Help");
    Connect(DIPCopyBtn, &TPBands::DIPCopyBtnClick);
    Connect(DIPSelectAllBtn, &TPBands::DIPSelectAllBtnClick);
    Connect(DIPPrintBtn, &TPBands::DIPPrintBtnClick);
    HelpButton(DIPHelpBtn, 2800);
    for (QPushButton* b : {DIPCopyBtn, DIPSelectAllBtn, DIPPrintBtn, DIPHelpBtn})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    return page;
}

void TPBands::ShowHeaderPages() {
    Binder->Show();
}

// A restore from minimised sends a show event too; only an opening clears the window, or a
// restore would drop the names typed and disarm a chosen scene.
void TPBands::showEvent(QShowEvent* event) {
    TToolWindow::showEvent(event);
    if (event->spontaneous()) return;
    Run([this] { FormShow(); });
}

void TPBands::FormCreate() {
    HeaderPages.ClearRIH();
    HeaderPages.ClearDIS();
    HeaderPages.RIHDISMemo.clear();
}

void TPBands::FormShow() {
    for (QLineEdit* e :
         {BandHdrEdit, BandFileEdit1, BandFileEdit2, BandFileEdit3, BandFileSaveAs, STEdit2,
          SCEdit3, NBEdit4, DISLEdit, DISREdit, DISTEdit, DISBEdit, IMWEdit, IMHEdit})
        e->clear();
    // The red, green and blue band files of a picture to be made.
    for (size_t slot = 0; slot < 3; ++slot)
        SelectedBandFiles[slot].clear();
    DISLoaded = false;
    SplitPages->PreviewActive = false;
}

void TPBands::IIPageControlChange() {
    DISLoaded = false;
}

void TPBands::PreviewCloseBtnClick() {
    close();
}

void TPBands::RIHClearBtnClick() {
    HeaderPages.ClearRIH();
}

void TPBands::RIHOpenBtnClick() {
    const std::string chosen = ChooseOpen(HeaderImportFilter);
    if (chosen.empty()) return;
    if (ImportHeaderFile(HeaderPages, chosen).ShowViewer) ShowHeaderViewer(chosen);
}

void TPBands::RIHSaveBtnClick() {
    HeaderPages.RIHSaveIt();
}

void TPBands::SaveListing(const char* filter, const std::string& headerPath, bool dis) {
    // The header's own name in its own folder: the save is refused there, and the name is one
    // to change, not one that replaces another folder's file of that name.
    const std::string chosen = ChooseSaveFile(filter, headerPath);
    if (chosen.empty()) return;
    if (SaveHeaderListing(chosen, headerPath,
                          dis ? LabelDISLines(HeaderPages) : LabelDIHLines(HeaderPages)))
        DDRIDXMemo->clear();
}

void TPBands::PrintBox(const QString& title) {
    PrintTextOrRaise(*DDRIDXMemo->document(), title);
}

void TPBands::PrintListing(const std::string& title, bool dis) {
    SetBoxFont(DDRIDXMemo, ListingPointSize, false);
    DDRIDXMemo->setPlainText(
        MemoText(dis ? LabelDISLines(HeaderPages) : LabelDIHLines(HeaderPages)));
    PrintBox(Latin1(title));
    SetBoxFont(DDRIDXMemo, BoxPointSize, false);
    DDRIDXMemo->clear();
}

void TPBands::RIHSaveAsBtnClick() {
    SaveListing("DIH Header file |*.DIH", HeaderPages.DIHFilePath(), false);
}

void TPBands::RIHPrintBtnClick() {
    PrintListing(HeaderPages[DIHField::RIHHeaderFileEdit], false);
}

void TPBands::DISLabeledFileSaveClick() {
    SaveListing("DIS Header file |*.DIS", HeaderPages.DISProposedPath(), true);
}

void TPBands::DISPrintClick() {
    PrintListing(HeaderPages.DISFileEdit, true);
}

void TPBands::RIHImageComboBoxChange() {
    HeaderPages[DIHField::RIHImageTypeEdit] = Bytes(RIHImageComboBox->currentText());
}

void TPBands::RIHSetTM7BtnClick() {
    ApplyBandPreset(HeaderPages, BandPreset::ETMPlus);
}

void TPBands::RIHSetTMBtnClick() {
    ApplyBandPreset(HeaderPages, BandPreset::TM);
}

void TPBands::RIHSetMSSBtnClick() {
    ApplyBandPreset(HeaderPages, BandPreset::MSS);
}

void TPBands::RIHNameGrabberClick() {
    const std::string chosen = ChooseOpen(BandFileFilter);
    if (chosen.empty()) return;
    const std::optional<DIHField> field = GrabberSlotField(StrToInt(Bytes(BandEdit->text())));
    if (!field) return;
    HeaderPages[*field] = ExtractFileName(chosen);
    ImageDirectory = ExtractFilePath(chosen);
}

void TPBands::DDRFileBtnClick() {
    const std::string chosen = ChooseOpen(ViewerFilter);
    if (chosen.empty()) return;
    DDRIDXMemo->clear();
    DDRFileNameLabel->setText(QString::fromLocal8Bit(chosen));
    DDRHdrEdit->setText(QString::fromLocal8Bit(ExtractFileName(chosen)));
    LoadHeaderText(DDRIDXMemo, chosen);
}

void TPBands::DDRPrintBtnClick() {
    PrintBox(DDRFileNameLabel->text());
}

void TPBands::DDRCopyBtnClick() {
    DDRIDXMemo->copy();
}

void TPBands::DDRPasteClipClick() {
    DDRIDXMemo->paste();
}

void TPBands::DDRSelectAllBtnClick() {
    DDRIDXMemo->selectAll();
}

void TPBands::DISFileOpenClick() {
    HeaderPages.DISFileOpenClick();
}

void TPBands::DISFileSaveClick() {
    HeaderPages.DISSaveIt();
}

void TPBands::DISClearClick() {
    HeaderPages.ClearDIS();
}

void TPBands::PreProcessDISBandsBtnClick() {
    if (HeaderPages.PreProcessDISBands() && DisProcessForm) {
        DisProcessForm->AdoptScene();
        DisProcessForm->show();
        DisProcessForm->raise();
    }
}

void TPBands::DIPCopyBtnClick() {
    DIPMemo->copy();
}

void TPBands::DIPSelectAllBtnClick() {
    DIPMemo->selectAll();
}

void TPBands::DIPPrintBtnClick() {
    DDRIDXMemo->clear();
    SetBoxFont(DDRIDXMemo, ListingPointSize, true);
    DDRIDXMemo->setPlainText(MemoText(HeaderPages.DIPMemo));
    PrintBox(Latin1(CurrentImageName));
    SetBoxFont(DDRIDXMemo, BoxPointSize, false);
    DDRIDXMemo->clear();
}
