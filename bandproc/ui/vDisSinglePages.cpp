#include "bandproc/ui/vDisSinglePages.h"

#include "bandproc/ui/vDisAlgebraPages.h"
#include "bandproc/ui/vDisPageKit.h"
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/vBandFiles.h"
#include "bandproc/vRadarDeRez.h"
#include "bandproc/vUPrepare.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int TileCounts[] = {2, 2, 4, 8, 16, 32, 64};

int64_t LenientInt(const std::string& text) {
    int code = 0;
    return ValInt(text, code);
}

void PagesChanged() {
    if (Hooks.HeaderPagesChanged) Hooks.HeaderPagesChanged();
}

std::string Slot(int slot) {
    return SelectedBandFiles[static_cast<size_t>(slot)];
}

} // namespace

// ---- Divide or Combine ----------------------------------------------------------------------

TDisDividePage::TDisDividePage(TDisProcessForm* form) : Form(form) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(KitDISRow(this, form, CDDISFile, "CDDISFile", "Select DIS file to open",
                                ComboDISEdit, "ComboDISEdit"));
    auto* size = new QHBoxLayout;
    ColumnsAcross = KitLabel(this, "ColumnsAcross");
    RowsDown = KitLabel(this, "RowsDown");
    Pixels = KitLabel(this, "Pixels");
    for (auto [caption, label] : {std::pair{"Columns:", ColumnsAcross},
                                  std::pair{"Rows:", RowsDown}, std::pair{"Pixels:", Pixels}}) {
        size->addWidget(new QLabel(caption, this));
        size->addWidget(label);
    }
    size->addStretch(1);
    layout->addLayout(size);

    auto* divide = new QGroupBox("Divide", this);
    auto* dl = new QGridLayout(divide);
    CDivideFile = KitButton(divide, "CDivideFile", "Select band to divide");
    DivideFileEdit = KitEdit(divide, "DivideFileEdit");
    KitBandButton(form, CDivideFile, 0, DivideFileEdit, true);
    FilesRG = KitRadioGroup(divide, "FilesRG", "Files",
                            {"Divide into 2 Vertical (2y)", "Divide into 2 Horizontal (2x)",
                             "Divide into 4 Files (2x*2y)", "Divide into 8 Files (4x*2y)",
                             "Divide into 16 Files (4x*4y)", "Divide into 32 Files (8x*4y)",
                             "Divide into 64 Files (8x*8y)"},
                            4);
    CDPixelOK = KitButton(divide, "CDPixelOK", "Divide and auto# name");
    dl->addWidget(CDivideFile, 0, 0);
    dl->addWidget(DivideFileEdit, 0, 1);
    dl->addWidget(KitGroupBox(FilesRG), 1, 0, 1, 2);
    dl->addWidget(CDPixelOK, 2, 0);
    dl->addWidget(TDisProcessForm::HelpButton(divide, "CDFHelp", 2420), 2, 1);
    layout->addWidget(divide);

    auto* combine = new QGroupBox("Combine", this);
    auto* cl = new QGridLayout(combine);
    DISDFELabel = KitLabel(combine, "DISDFELabel");
    C2V1CB = new QCheckBox("Combine 2 Vertical (2y) data Files (same width)", combine);
    C2V1CB->setObjectName("C2V1CB");
    C2H1CB = new QCheckBox("or Combine 2 Horizontal (2x) data Files (Same height)", combine);
    C2H1CB->setObjectName("C2H1CB");
    C4to1CB = new QCheckBox("or Combine 4 Adjacent (2x*2y) data Files", combine);
    C4to1CB->setObjectName("C4to1CB");
    CombinedFileEdit = KitEdit(combine, "CombinedFileEdit");
    C2V1 = TileButton("C2V1", "C2V1Edit", 0, true, C2V1Edit);
    C2V2 = TileButton("C2V2", "C2V2Edit", 1, false, C2V2Edit);
    C2H1 = TileButton("C2H1", "C2H1Edit", 0, true, C2H1Edit);
    C2H2 = TileButton("C2H2", "C2H2Edit", 1, false, C2H2Edit);
    C4STL = TileButton("C4STL", "C4STLEdit", 0, true, C4STLEdit);
    C4STR = TileButton("C4STR", "C4STREdit", 1, false, C4STREdit);
    C4SBL = TileButton("C4SBL", "C4SBLEdit", 2, false, C4SBLEdit);
    C4SBR = TileButton("C4SBR", "C4SBREdit", 3, false, C4SBREdit);
    int row = 0;
    cl->addWidget(DISDFELabel, row++, 0, 1, 4);
    cl->addWidget(C2V1CB, row++, 0, 1, 4);
    for (auto [b, e] : {std::pair{C2V1, C2V1Edit}, std::pair{C2V2, C2V2Edit}}) {
        cl->addWidget(b, row, 0);
        cl->addWidget(e, row++, 1);
    }
    cl->addWidget(C2H1CB, row++, 0, 1, 4);
    cl->addWidget(C2H1, row, 0);
    cl->addWidget(C2H1Edit, row, 1);
    cl->addWidget(C2H2, row, 2);
    cl->addWidget(C2H2Edit, row++, 3);
    cl->addWidget(C4to1CB, row++, 0, 1, 4);
    cl->addWidget(C4STL, row, 0);
    cl->addWidget(C4STLEdit, row, 1);
    cl->addWidget(C4STR, row, 2);
    cl->addWidget(C4STREdit, row++, 3);
    cl->addWidget(C4SBL, row, 0);
    cl->addWidget(C4SBLEdit, row, 1);
    cl->addWidget(C4SBR, row, 2);
    cl->addWidget(C4SBREdit, row++, 3);
    CDCombineBtn = KitButton(combine, "CDCombineBtn", "Combine into New data file");
    CDCombineBtn->setEnabled(false);
    cl->addWidget(new QLabel("Combined file name", combine), row, 0);
    cl->addWidget(CombinedFileEdit, row, 1);
    cl->addWidget(CDCombineBtn, row++, 2);
    layout->addWidget(combine);
    layout->addStretch(1);

    connect(CDPixelOK, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { CDPixelOKClick(); }); });
    connect(CDCombineBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { CDCombineBtnClick(); }); });
    form->OnDISChosen([this](const std::string& dis) {
        SetText(ComboDISEdit, dis);
        const int64_t w = LenientInt(HeaderPages[DISField::DISSubsetWidth]);
        const int64_t h = LenientInt(HeaderPages[DISField::DISSubsetHeight]);
        ColumnsAcross->setText(QString::number(w));
        RowsDown->setText(QString::number(h));
        Pixels->setText(QString::number(w * h));
        const bool divided = !HeaderPages.DISDividedMemo.empty();
        DISDFELabel->setText(divided ? "DIS Divided files DO Exist"
                                     : "DIS Divided files DO NOT Exist");
        CDCombineBtn->setEnabled(divided);
    });
}

QPushButton* TDisDividePage::TileButton(const char* name, const char* editName, int slot,
                                        bool first, QLineEdit*& edit) {
    QPushButton* button = KitButton(this, name, name);
    edit = KitEdit(this, editName);
    KitBandButton(Form, button, slot, edit, false, [this, first](const std::string& path) {
        if (first) SetText(CombinedFileEdit, ExtractFileName(path));
    });
    return button;
}

void TDisDividePage::CDPixelOKClick() {
    if (!TDisProcessForm::Prerequisites(true)) return;
    const int layout = FilesRG->checkedId();
    const int tiles = TileCounts[layout];
    std::vector<std::string> listed;
    if (!QuadDivide(layout, listed)) return;
    THeaderPages& h = HeaderPages;
    h.DISProcessMemo.push_back("Do QuadDivide");
    h.DISProcessMemo.push_back(Slot(0));
    h.DISProcessMemo.push_back(IntToStr(layout));
    h.DISDividedMemo.push_back(Slot(0));
    h.DISSubsetDividedCB = true;
    h.DISProcessMemo.push_back(IntToStr(tiles));
    h.DISSubsetDividedEdit = IntToStr(LenientInt(h.DISSubsetDividedEdit) + tiles);
    h.DISDividedMemo.push_back(IntToStr(tiles));
    h.DISDividedMemo.insert(h.DISDividedMemo.end(), listed.begin(), listed.end());
    h.DISSaveIt();
    PagesChanged();
}

void TDisDividePage::CDCombineBtnClick() {
    std::string combined = TextOf(CombinedFileEdit);
    if (!TDisProcessForm::Prerequisites(!combined.empty(), combined)) return;
    std::vector<std::string> lines = {"Do Combine Image Files", combined};
    const bool two = C2V1CB->isChecked() || C2H1CB->isChecked();
    if (!two && !C4to1CB->isChecked()) {
        TDisProcessForm::DISLog(lines, false);
        return;
    }
    const THeaderPages& h = HeaderPages;
    std::vector<std::string> written;
    bool joined = false;
    if (C2V1CB->isChecked())
        joined = CombineTwoVertical(h.DISDividedMemo, written, combined);
    else if (two)
        joined = CombineTwoHorizontal(h.DISDividedMemo, written, combined);
    else
        joined = CombineFour(h.DISDividedMemo, written, combined);
    if (!joined) return;
    for (int s = 0; s < (two ? 2 : 4); ++s)
        lines.push_back(Slot(s));
    TDisProcessForm::DISLog(lines);
    // The joined file's name goes out with the next save of the DIS.
    HeaderPages.DISProcessMemo.insert(HeaderPages.DISProcessMemo.end(), written.begin(),
                                      written.end());
    SetText(CombinedFileEdit, combined);
    PagesChanged();
}

// ---- Single Band ----------------------------------------------------------------------------

TDisSinglePage::TDisSinglePage(TDisProcessForm* form) : Form(form) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(KitDISRow(this, form, SingleDISFileBtn, "SingleDISFileBtn",
                                "1. Select a DIS Header File", BCDISFileEdit, "BCDISFileEdit"));
    auto* subset = new QHBoxLayout;
    const struct {
        QLineEdit** Edit;
        const char* Name;
        const char* Caption;
    } bounds[] = {
        {&BCBandFileLC, "BCBandFileLC", "Left"},  {&BCBandFileRC, "BCBandFileRC", "Right"},
        {&BCBandFileTR, "BCBandFileTR", "Top"},   {&BCBandFileBR, "BCBandFileBR", "Bottom"},
        {&BCBandFileIW, "BCBandFileIW", "Width"}, {&BCBandFileIH, "BCBandFileIH", "Height"}};
    for (const auto& b : bounds) {
        *b.Edit = KitEdit(this, b.Name);
        subset->addWidget(new QLabel(b.Caption, this));
        subset->addWidget(*b.Edit);
    }
    layout->addLayout(subset);
    auto* files = new QGridLayout;
    SingleBandFileBtn = KitButton(this, "SingleBandFileBtn", "2. Select a Band File");
    BCBandFileEdit = KitEdit(this, "BCBandFileEdit");
    KitBandButton(form, SingleBandFileBtn, 0, BCBandFileEdit, true);
    BCNewFileEdit = KitEdit(this, "BCNewFileEdit");
    files->addWidget(SingleBandFileBtn, 0, 0);
    files->addWidget(BCBandFileEdit, 0, 1);
    files->addWidget(new QLabel("3. New File Name", this), 1, 0);
    files->addWidget(BCNewFileEdit, 1, 1);
    layout->addLayout(files);
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildMath());
    middle->addWidget(BuildExchange());
    layout->addLayout(middle);
    layout->addStretch(1);
    form->OnDISChosen([this](const std::string& dis) {
        SetText(BCDISFileEdit, dis);
        const DISField fields[] = {DISField::DISSubsetLeft,  DISField::DISSubsetRight,
                                   DISField::DISSubsetTop,   DISField::DISSubsetBottom,
                                   DISField::DISSubsetWidth, DISField::DISSubsetHeight};
        QLineEdit* edits[] = {BCBandFileLC, BCBandFileRC, BCBandFileTR,
                              BCBandFileBR, BCBandFileIW, BCBandFileIH};
        for (size_t i = 0; i < std::size(fields); ++i)
            SetText(edits[i], HeaderPages[fields[i]]);
        // The band of the last DIS is no band of this one.
        BCBandFileEdit->clear();
        for (QLineEdit* e : SRFileEdits)
            e->clear();
    });
}

QWidget* TDisSinglePage::BuildMath() {
    auto* box = new QWidget(this);
    auto* l = new QGridLayout(box);
    SingleBandMathRG =
        KitRadioGroup(box, "SingleBandMathRG", "4. Select a Math operation",
                      {"(psf) Fill Every [  ] Line", "(psv) aVerage Every [  ] Line",
                       "(psa) Add [ ] to every pixel", "(pss) Subtract [ ] from every pixel",
                       "(psm) Multiply every pixel by [ ]", "(psd) Divide every pixel by [ ]"},
                      2);
    ImageMathEdit = KitEdit(box, "ImageMathEdit", "5");
    SingleMathBtn = KitButton(box, "SingleMathBtn", "Perform Math");
    RadarDeRez16OKBtn = KitButton(box, "RadarDeRez16OKBtn", "4. Derez: 16 to 8 Bits");
    RadarDeRez16OKBtn->setToolTip("De Rez: .pz8");
    PixelRG = KitRadioGroup(box, "PixelRG", "4. Pixel Sizer",
                            {"2x2=1 Decrease Pixels", "3x3=1 Decrease Pixels",
                             "1=2x2 Increase Pixels", "1=3x3 Increase Pixels"},
                            0);
    PixelSizerBtn = KitButton(box, "PixelSizerBtn", "Pixel Sizer");
    int row = 0;
    l->addWidget(KitGroupBox(SingleBandMathRG), row++, 0, 1, 3);
    l->addWidget(ImageMathEdit, row, 0);
    l->addWidget(SingleMathBtn, row, 1);
    l->addWidget(TDisProcessForm::HelpButton(box, "SingleMathHelp", 2210), row++, 2);
    l->addWidget(RadarDeRez16OKBtn, row, 1);
    l->addWidget(TDisProcessForm::HelpButton(box, "RadarDeRez16HelpBtn", 2240), row++, 2);
    l->addWidget(KitGroupBox(PixelRG), row++, 0, 1, 3);
    l->addWidget(PixelSizerBtn, row, 1);
    l->addWidget(TDisProcessForm::HelpButton(box, "PixelSizerHelp", 2230), row++, 2);
    connect(SingleMathBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { SingleMathBtnClick(); }); });
    connect(RadarDeRez16OKBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { RadarDeRez16OKBtnClick(); }); });
    connect(PixelSizerBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { PixelSizerBtnClick(); }, false); });
    return box;
}

QWidget* TDisSinglePage::BuildExchange() {
    auto* box = new QGroupBox("or 2. Convert 1,2,3 to HSV and back again", this);
    auto* l = new QGridLayout(box);
    const char* const captions[] = {"1 Red", "2 Green", "3 Blue", "4 Radar"};
    for (int s = 0; s < 4; ++s) {
        const QString n = QString::number(s + 1);
        SRBtns[s] = KitButton(box, ("SRBtn" + n).toUtf8().constData(), captions[s]);
        SRFileEdits[s] = KitEdit(box, ("SRFileEdit" + n).toUtf8().constData());
        KitBandButton(Form, SRBtns[s], s, SRFileEdits[s], false);
        l->addWidget(SRBtns[s], s, 0);
        l->addWidget(SRFileEdits[s], s, 1);
    }
    SRFileH1Edit = KitEdit(box, "SRFileH1Edit");
    SRFileS2Edit = KitEdit(box, "SRFileS2Edit");
    SRFileV3Edit = KitEdit(box, "SRFileV3Edit");
    int row = 4;
    KitRow(l, row, "H", SRFileH1Edit);
    KitRow(l, row, "S", SRFileS2Edit);
    KitRow(l, row, "V", SRFileV3Edit);
    BGRtoHSVOKBtn = KitButton(box, "BGRtoHSVOKBtn", "1,2,3,4>HSV>RGB");
    l->addWidget(BGRtoHSVOKBtn, row, 0);
    l->addWidget(TDisProcessForm::HelpButton(box, "BGRtoCSHelp", 2220), row++, 1);
    LaunchFFTProcessorBtn = KitButton(box, "LaunchFFTProcessorBtn", "or 2. Launch FFT Processor");
    l->addWidget(LaunchFFTProcessorBtn, row++, 0, 1, 2);
    connect(BGRtoHSVOKBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { BGRtoHSVOKBtnClick(); }); });
    connect(LaunchFFTProcessorBtn, &QPushButton::clicked, this,
            [this] { Form->Guarded([this] { LaunchFFTProcessorBtnClick(); }); });
    return box;
}

void TDisSinglePage::SingleMathBtnClick() {
    static const char* const exts[] = {".psf", ".psv", ".psa", ".pss", ".psm", ".psd"};
    const std::string band = TextOf(BCBandFileEdit);
    const std::string name = TextOf(BCNewFileEdit);
    if (!TDisProcessForm::Prerequisites(ProductNamed(name), name)) return;
    double value = 0;
    if (!TDisProcessForm::NumberOf(ImageMathEdit->text(), value)) return;
    // Beyond 32 bits every sample saturates alike, so the constant is held at the limit rather
    // than wrapped round to a number of the other sign.
    const auto k = static_cast<int32_t>(std::clamp<int64_t>(
        Round(value), std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    const int op = SingleBandMathRG->checkedId();
    const std::string text = TextOf(ImageMathEdit);
    std::string first;
    if (op == 0)
        first = "FillLine: " + text;
    else if (op == 1)
        first = "AverageLine: " + text;
    else
        first = "ImageMath operation: " + IntToStr(op) + " variable: " + text;
    bool written = false;
    if (op == 0)
        written = FillEveryLine(k, band, name);
    else if (op == 1)
        written = AverageEveryLine(k, band, name);
    else
        written = SingleBandMath(op, k, band, name);
    if (written) TDisProcessForm::DISLog({first, band, ChangeFileExt(name, exts[op])});
}

void TDisSinglePage::RadarDeRez16OKBtnClick() {
    const std::string name = TextOf(BCNewFileEdit);
    if (!TDisProcessForm::Prerequisites(ProductNamed(name), name)) return;
    const std::string product = ChangeFileExt(name, ".pz8");
    int64_t rows = 0, columns = 0;
    if (!TDisProcessForm::WholeNumberOf(BCBandFileIH->text(), rows) ||
        !TDisProcessForm::WholeNumberOf(BCBandFileIW->text(), columns))
        return;
    std::vector<std::string> written;
    if (!RadarDeRez16(Slot(0), SceneFolder + product, rows, columns, written)) return;
    TDisProcessForm::DISLog({"RadarDeRez 16to8 bits", TextOf(BCBandFileEdit), product});
    // The product's full path goes out with the next save of the DIS.
    HeaderPages.DISProcessMemo.insert(HeaderPages.DISProcessMemo.end(), written.begin(),
                                      written.end());
    PagesChanged();
}

void TDisSinglePage::PixelSizerBtnClick() {
    const std::string band = TextOf(BCBandFileEdit);
    const std::string name = TextOf(BCNewFileEdit);
    if (!TDisProcessForm::Prerequisites(ProductNamed(name), name)) return;
    const int mode = PixelRG->checkedId();
    if (!PixelSizer(mode, band, name)) return;
    TDisProcessForm::DISLog({"Do Pixel Sizer", band, ChangeFileExt(name, ".pps"),
                             PixelRG->button(mode)->text().toStdString()},
                            false);
}

void TDisSinglePage::BGRtoHSVOKBtnClick() {
    static const char* const exts[] = {".prr", ".prg", ".prb"};
    const bool filesThere =
        FileExists(Slot(0)) && FileExists(Slot(1)) && FileExists(Slot(2)) && FileExists(Slot(3));
    // The exchange names its products from the Tasselled Cap page's name box.
    const std::string name = TextOf(Form->KTPage->TCFileNameEdit);
    const bool named = !SRFileH1Edit->text().isEmpty() && !SRFileS2Edit->text().isEmpty() &&
                       !SRFileV3Edit->text().isEmpty() && ProductNamed(name);
    if (!TDisProcessForm::Prerequisites(filesThere && named, name)) return;
    std::vector<std::string> lines = {
        "Convert 123(RGB) to HSV (exchange 4 Radar with V).. back to RGB:", Slot(0), Slot(1),
        Slot(2), Slot(3)};
    for (const char* ext : exts)
        lines.push_back(ChangeFileExt(name, ext));
    if (RGBHSVExchange(name)) TDisProcessForm::DISLog(lines);
}

void TDisSinglePage::LaunchFFTProcessorBtnClick() {
    if (VORNForm) VORNForm->ShowToolForm(tfFFT);
}
