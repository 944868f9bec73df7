#include "bandproc/ui/vDisAlgebraPages.h"

#include "bandproc/ui/vDisPageKit.h"
#include "bandproc/ui/vDisProFrm.h"
#include "bandproc/vBandFiles.h"
#include "bandproc/vTasselledCapFile.h"
#include "bandproc/vUPrepare.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const ABItems[] = {"1", "2", "3", "4", "5", "6L", "6H", "7", "8"};
constexpr int TCLines = TasselledCapLines;
constexpr const char* TCOpenFilter = "TC Header file (TC)|*.tc";
constexpr const char* TCSaveFilter = "TC Header file |*.tc";
constexpr const char* BandsCreatedCaption = "# of Bands Created";

const char* OnOff(bool on) {
    return on ? "AutoRange: on" : "AutoRange: off";
}

// The radio group of A or B as the engine numbers the slots (0 .. 8).
QButtonGroup* SlotGroup(QWidget* parent, const char* name, const char* caption, int initial) {
    return KitRadioGroup(parent, name, caption,
                         {ABItems[0], ABItems[1], ABItems[2], ABItems[3], ABItems[4], ABItems[5],
                          ABItems[6], ABItems[7], ABItems[8]},
                         initial, 3);
}

} // namespace

// ---- Multi Band File Algebra ----------------------------------------------------------------

TDisMBFAPage::TDisMBFAPage(TDisProcessForm* form) : Form(form) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(KitDISRow(this, form, MBFADISHeaderBtn, "MBFADISHeaderBtn",
                                "1. Select DIS Header File", MBFADISFileEdit, "MBFADISFileEdit"));
    auto* files = new QGroupBox("2. Select Band Files", this);
    auto* grid = new QGridLayout(files);
    const char* const btnNames[] = {"MBFAFile1Btn",  "MBFAFile2Btn", "MBFAFile3Btn",
                                    "MBFAFile4Btn",  "MBFAFile5Btn", "MBFAFile6LBtn",
                                    "MBFAFile6HBtn", "MBFAFile7Btn", "MBFAFile8Btn"};
    const char* const editNames[] = {"MBFAFile1Edit",  "MBFAFile2Edit", "MBFAFile3Edit",
                                     "MBFAFile4Edit",  "MBFAFile5Edit", "MBFAFile6LEdit",
                                     "MBFAFile6HEdit", "MBFAFile7Edit", "MBFAFile8Edit"};
    for (int s = 0; s < BandSlotCount; ++s) {
        MBFAFileBtns[s] = KitButton(files, btnNames[s], QString("Band ") + ABItems[s]);
        MBFAFileEdits[s] = KitEdit(files, editNames[s]);
        grid->addWidget(MBFAFileBtns[s], s, 0);
        grid->addWidget(MBFAFileEdits[s], s, 1);
        KitBandButton(form, MBFAFileBtns[s], s, MBFAFileEdits[s], false);
    }
    layout->addWidget(files);
    auto* ops = new QHBoxLayout;
    MBFAARG = SlotGroup(this, "MBFAARG", "A", 3);
    MBFABRG = SlotGroup(this, "MBFABRG", "B", 2);
    MBFAAopBRG =
        KitRadioGroup(this, "MBFAAopBRG", "A Operation B", {"A + B", "A - B", "A * B", "A / B"}, 3);
    ops->addWidget(KitGroupBox(MBFAARG));
    ops->addWidget(KitGroupBox(MBFAAopBRG));
    ops->addWidget(KitGroupBox(MBFABRG));
    layout->addLayout(ops);
    MBFAAutoRangeCB = new QCheckBox("Autorange results", this);
    MBFAAutoRangeCB->setObjectName("MBFAAutoRangeCB");
    layout->addWidget(MBFAAutoRangeCB);
    auto* run = new QHBoxLayout;
    MBFAFileEdit = KitEdit(this, "MBFAFileEdit");
    MBFAOKBtn = KitButton(this, "MBFAOKBtn", "4. Press Me");
    run->addWidget(new QLabel("3. FileName: .pfa, .pfs, .pfm, .pfd", this));
    run->addWidget(MBFAFileEdit, 1);
    run->addWidget(MBFAOKBtn);
    run->addWidget(TDisProcessForm::HelpButton(this, "MultiBandFileAlgebraFAHelp", 2130));
    layout->addLayout(run);
    layout->addStretch(1);
    connect(MBFAOKBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { MBFAOKBtnClick(); }); });
    form->OnDISChosen([this](const std::string& dis) {
        SetText(MBFADISFileEdit, dis);
        SetText(MBFAFileEdit, dis);
        for (QLineEdit* e : MBFAFileEdits)
            e->clear();
    });
}

void TDisMBFAPage::MBFAOKBtnClick() {
    static const char* const opWords[] = {
        "Added to:", "Subtracted from:", "Multiplied by:", "Divided by:"};
    static const char* const exts[] = {".pfa", ".pfs", ".pfm", ".pfd"};
    // The title reaches the process list even when the run is refused, to go out with the next
    // save of the DIS.
    TDisProcessForm::DISLog({"Image MBFA:"}, false);
    const int a = MBFAARG->checkedId();
    const int b = MBFABRG->checkedId();
    const int op = MBFAAopBRG->checkedId();
    const std::string& fileA = SelectedBandFiles[static_cast<size_t>(a)];
    const std::string& fileB = SelectedBandFiles[static_cast<size_t>(b)];
    const std::string name = TextOf(MBFAFileEdit);
    if (!TDisProcessForm::Prerequisites(
            FileExists(fileA) && FileExists(fileB) && ProductNamed(name), name))
        return;
    const bool autoRange = MBFAAutoRangeCB->isChecked();
    if (!MultiBandFileAlgebra(op, autoRange, a, b, name)) return;
    TDisProcessForm::DISLog({ExtractFileName(fileA), opWords[op], ExtractFileName(fileB),
                             ChangeFileExt(name, exts[op]), OnOff(autoRange)});
}

// ---- Vegetation indices ---------------------------------------------------------------------

TDisVIPage::TDisVIPage(TDisProcessForm* form) : Form(form) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(KitDISRow(this, form, VIPDISFile, "VIPDISFile", "1. Select DIS Header File",
                                VIDISFileEdit, "VIDISFileEdit"));
    auto* top = new QHBoxLayout;
    auto* files = new QGroupBox("2. Select Band Files", this);
    auto* fileGrid = new QGridLayout(files);
    const char* const btnNames[] = {"VIPFileA", "VIPFileB", "VIPFileC", "VIPFileD"};
    const char* const editNames[] = {"VIPFileAEdit", "VIPFileBEdit", "VIPFileCEdit",
                                     "VIPFileDEdit"};
    for (int s = 0; s < 4; ++s) {
        VIPFileBtns[s] = KitButton(files, btnNames[s], QString("Band ") + QChar('A' + s));
        VIPFileEdits[s] = KitEdit(files, editNames[s]);
        fileGrid->addWidget(VIPFileBtns[s], s, 0);
        fileGrid->addWidget(VIPFileEdits[s], s, 1);
        KitBandButton(form, VIPFileBtns[s], s, VIPFileEdits[s], false);
    }
    top->addWidget(files, 1);
    auto* values = new QGroupBox("3. Variables", this);
    auto* valueGrid = new QGridLayout(values);
    const char* const vNames[] = {"VIPV1Edit", "VIPV2Edit", "VIPV3Edit",
                                  "VIPV4Edit", "VIPV5Edit", "VIPV6Edit"};
    int row = 0;
    for (int v = 0; v < 6; ++v) {
        VIPVEdits[v] = KitEdit(values, vNames[v], "0.1");
        KitRow(valueGrid, row, QString("V%1").arg(v + 1), VIPVEdits[v]);
    }
    top->addWidget(values);
    layout->addLayout(top);
    auto* formulas = new QGroupBox("4. Select a formula", this);
    auto* formulaGrid = new QGridLayout(formulas);
    const char* const captions[] = {"(A-B) / (A+B)",
                                    "(V1*A) - B",
                                    "SQRT(   SQ(V1*A - V2*B)",
                                    "SQRT(   SQ(V1 - V2*A + V3*B)",
                                    "V1*A + V2*B + V3*C + V4*D",
                                    "SQRT(A+ V1)"};
    const char* const okNames[] = {"VIPOK1", "VIPOK2", "VIPOK3", "VIPOK4", "VIPOK5", "VIPOK6"};
    const char* const helpNames[] = {"VIPHelp1", "VIPHelp2", "VIPHelp3",
                                     "VIPHelp4", "VIPHelp5", "VIPHelp6"};
    for (int n = 0; n < 6; ++n) {
        VIPOKBtns[n] = KitButton(formulas, okNames[n], captions[n]);
        formulaGrid->addWidget(VIPOKBtns[n], n, 0);
        if (n == 3) formulaGrid->addWidget(new QLabel("+ SQ(V4+ V5*A - V6*B)   )", formulas), n, 1);
        formulaGrid->addWidget(TDisProcessForm::HelpButton(formulas, helpNames[n], 2151 + n), n, 2);
        connect(VIPOKBtns[n], &QPushButton::clicked, this,
                [this, n] { Form->RunBand([this, n] { VIPCheckAndRun(n + 1); }); });
    }
    layout->addWidget(formulas);
    auto* bottom = new QHBoxLayout;
    VIPAutoRangeCB = new QCheckBox("Run twice to autorange results", this);
    VIPAutoRangeCB->setObjectName("VIPAutoRangeCB");
    VIPFileEdit = KitEdit(this, "VIPFileEdit");
    bottom->addWidget(VIPAutoRangeCB);
    bottom->addWidget(new QLabel("FileName: .pv1 - .pv6", this));
    bottom->addWidget(VIPFileEdit, 1);
    layout->addLayout(bottom);
    layout->addStretch(1);
    form->OnDISChosen([this](const std::string& dis) {
        SetText(VIDISFileEdit, dis);
        SetText(VIPFileEdit, ChangeFileExt(dis, ".pvi"));
        for (QLineEdit* e : VIPVEdits)
            e->setText("0.1");
    });
}

void TDisVIPage::VIPCheckAndRun(int n) {
    TVegetationParams p;
    p.FileEdit = TextOf(VIPFileEdit);
    if (!TDisProcessForm::Prerequisites(ProductNamed(p.FileEdit), p.FileEdit)) return;
    for (size_t v = 0; v < p.V.size(); ++v)
        if (!TDisProcessForm::NumberOf(VIPVEdits[v]->text(), p.V[v])) return;
    p.AutoRange = VIPAutoRangeCB->isChecked();
    std::vector<std::string> lines = {"Image VIP " + IntToStr(n) + ":"};
    for (int s = 0; s < 4; ++s)
        lines.push_back(std::string("Band ") + static_cast<char>('A' + s) + ": " +
                        SelectedBandFiles[static_cast<size_t>(s)]);
    for (size_t v = 0; v < p.V.size(); ++v)
        lines.push_back("V" + IntToStr(static_cast<int64_t>(v) + 1) + ": " + FloatToStr(p.V[v]));
    lines.push_back(OnOff(p.AutoRange));
    lines.push_back(ChangeFileExt(p.FileEdit, ".pv" + IntToStr(n)));
    bool written = false;
    if (n <= 4)
        written = VegetationIndexAB(n, p);
    else if (n == 5)
        written = VegetationIndexABCD(p);
    else
        written = VegetationIndexRoot(p);
    if (written) TDisProcessForm::DISLog(lines);
}

// ---- Tasselled Cap --------------------------------------------------------------------------

namespace {

const char* const TCRows[] = {"SBI", "GVI", "YVI", "NSI"};
const char* const TCColumns[] = {"TM 1",      "MSS4, TM2", "MSS5, TM3",
                                 "MSS6, TM4", "MSS7, TM5", "TM 7"};
const char* const TCColumnKeys[] = {"1", "2", "3", "4", "5", "7"};
constexpr int TCSlots[] = {0, 1, 2, 3, 4, 7};

using TCPreset = std::array<const char*, TCLines>;
const TCPreset MSSPreset = {"0.0", "0.332",  "0.603", "0.675",  "0.262",  "0.0",
                            "0.0", "-0.283", "-0.66", "0.577",  "0.388",  "0.0",
                            "0.0", "-0.899", "0.428", "0.076",  "-0.041", "0.0",
                            "0.0", "-0.016", "0.131", "-0.452", "0.882",  "0.0"};
const TCPreset TMPreset = {"0.33183",  "0.33121",  "0.55177",  "0.42514", "0.48087",  "0.25252",
                           "-0.24717", "-0.16263", "-0.40639", "0.85468", "0.05493",  "-0.11749",
                           "0.13929",  "0.22490",  "0.40359",  "0.25178", "-0.70133", "-0.45732",
                           "0.0",      "0.0",      "0.0",      "0.0",     "0.0",      "0.0"};
const TCPreset TMMPreset = {"0.3037",  "0.2793",  "0.4343",  "0.5585", "0.5082",  "0.1863",
                            "-0.2848", "-0.2435", "-0.5436", "0.7243", "0.0840",  "-0.18",
                            "0.1509",  "0.1793",  "0.3299",  "0.3406", "-0.7112", "-0.4572",
                            "0.0",     "0.0",     "0.0",     "0.0",    "0.0",     "0.0"};

} // namespace

TDisKTPage::TDisKTPage(TDisProcessForm* form) : Form(form) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(KitDISRow(this, form, TCDISFileBtn, "TCDISFileBtn",
                                "1. Select DIS Header File", TCDISFileEdit, "TCDISFileEdit"));
    auto* info = new QHBoxLayout;
    TCDISBandsLabel = KitLabel(this, "TCDISBandsLabel");
    TCDISWidthLabel = KitLabel(this, "TCDISWidthLabel");
    TCDISHeightLabel = KitLabel(this, "TCDISHeightLabel");
    for (auto [caption, label] :
         {std::pair{"Bands:", TCDISBandsLabel}, std::pair{"Width:", TCDISWidthLabel},
          std::pair{"Height:", TCDISHeightLabel}}) {
        info->addWidget(new QLabel(caption, this));
        info->addWidget(label);
    }
    info->addStretch(1);
    layout->addLayout(info);
    auto* gridBox = new QGroupBox("2. Select Band Files and coefficients", this);
    auto* grid = new QGridLayout(gridBox);
    for (int c = 0; c < 6; ++c) {
        const QString key = TCColumnKeys[c];
        TCFileBtns[c] = KitButton(gridBox, ("TCFileBtn" + key).toUtf8().constData(), TCColumns[c]);
        TCFileEdits[c] = KitEdit(gridBox, ("TCFileEdit" + key).toUtf8().constData());
        grid->addWidget(TCFileBtns[c], 0, c + 1);
        grid->addWidget(TCFileEdits[c], 1, c + 1);
        KitBandButton(form, TCFileBtns[c], TCSlots[c], TCFileEdits[c], false);
        for (int r = 0; r < 4; ++r) {
            const QString name = QString(TCRows[r]) + "Edit" + key;
            Grid[r * 6 + c] = KitEdit(gridBox, name.toUtf8().constData(), "0.0");
            grid->addWidget(Grid[r * 6 + c], r + 2, c + 1);
        }
    }
    for (int r = 0; r < 4; ++r)
        grid->addWidget(new QLabel(TCRows[r], gridBox), r + 2, 0);
    layout->addWidget(gridBox);
    auto* presets = new QHBoxLayout;
    TCMSSBtn = KitButton(this, "TCMSSBtn", "MSS");
    TCTMBtn = KitButton(this, "TCTMBtn", "TM");
    TCTMMBtn = KitButton(this, "TCTMMBtn", "TM M");
    TCClearBtn = KitButton(this, "TCClearBtn", "Clear");
    LoadTCBtn = KitButton(this, "LoadTCBtn", "Load .TC");
    SaveTCBtn = KitButton(this, "SaveTCBtn", "Save .TC");
    int preset = 0;
    for (QPushButton* b : {TCMSSBtn, TCTMBtn, TCTMMBtn, TCClearBtn}) {
        presets->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, preset] { SetPreset(preset); });
        ++preset;
    }
    presets->addWidget(LoadTCBtn);
    presets->addWidget(SaveTCBtn);
    presets->addWidget(TDisProcessForm::HelpButton(this, "TassledCapKT3DHelp", 2120));
    connect(LoadTCBtn, &QPushButton::clicked, this,
            [this] { Form->Guarded([this] { LoadTCBtnClick(); }); });
    connect(SaveTCBtn, &QPushButton::clicked, this,
            [this] { Form->Guarded([this] { SaveTCBtnClick(); }); });
    layout->addLayout(presets);
    auto* run = new QHBoxLayout;
    TCFileNameEdit = KitEdit(this, "TCFileNameEdit");
    TCOKBtn = KitButton(this, "TCOKBtn", "5. Press Me");
    run->addWidget(new QLabel("FileName: .pts, .ptg, .pty, .ptn", this));
    run->addWidget(TCFileNameEdit, 1);
    run->addWidget(TCOKBtn);
    layout->addLayout(run);
    layout->addStretch(1);
    connect(TCOKBtn, &QPushButton::clicked, this,
            [this] { Form->RunBand([this] { TCOKBtnClick(); }); });
    form->OnDISChosen([this](const std::string& dis) {
        SetText(TCDISFileEdit, dis);
        SetText(TCFileNameEdit, dis);
        TCDISBandsLabel->setText(QString::fromStdString(HeaderPages.DISSubsetNBands));
        TCDISWidthLabel->setText(QString::fromStdString(HeaderPages[DISField::DISSubsetWidth]));
        TCDISHeightLabel->setText(QString::fromStdString(HeaderPages[DISField::DISSubsetHeight]));
        for (QLineEdit* e : TCFileEdits)
            e->clear();
    });
}

void TDisKTPage::SetPreset(int preset) {
    const TCPreset* values[] = {&MSSPreset, &TMPreset, &TMMPreset};
    for (int i = 0; i < TCLines; ++i)
        Grid[i]->setText(preset < 3 ? (*values[preset])[i] : "0.0");
}

void TDisKTPage::TCOKBtnClick() {
    const std::string name = TextOf(TCFileNameEdit);
    if (!TDisProcessForm::Prerequisites(ProductNamed(name), name)) return;
    int64_t bands = 0, height = 0, width = 0;
    if (!TDisProcessForm::WholeNumberOf(TCDISBandsLabel->text(), bands) ||
        !TDisProcessForm::WholeNumberOf(TCDISHeightLabel->text(), height) ||
        !TDisProcessForm::WholeNumberOf(TCDISWidthLabel->text(), width))
        return;
    std::array<double, TCLines> c{};
    for (int i = 0; i < TCLines; ++i)
        if (!TDisProcessForm::NumberOf(Grid[i]->text(), c[i])) return;
    auto exists = [](int slot) { return FileExists(SelectedBandFiles[static_cast<size_t>(slot)]); };
    int set = 0;
    if (bands > 3 && exists(1) && exists(2) && exists(3) && exists(4)) set = 4;
    if (bands > 5 && exists(0) && exists(7)) set = 7;
    if (set == 0) return;
    std::vector<std::string> lines = {"Tassled Cap:", IntToStr(bands) + " , " + IntToStr(height) +
                                                          " , " + IntToStr(width)};
    for (int r = 0; r < 4; ++r) {
        std::string row;
        for (int k = 0; k < 6; ++k)
            row += (k ? " , " : "") + Grid[r * 6 + k]->text().toStdString();
        lines.push_back(row);
    }
    if (!TasselledCapBands(static_cast<TasselledCapSet>(set), c, name)) return;
    int code = 0;
    const int64_t created = ValInt(HeaderPages.DISSubsetNBCreated, code) + 4;
    HeaderPages.DISSubsetNBCreated = IntToStr(created);
    lines.push_back(BandsCreatedCaption + IntToStr(created));
    lines.push_back(name);
    lines.push_back("FileName.pts,ptg, pty,ptn");
    TDisProcessForm::DISLog(lines);
}

void TDisKTPage::LoadTCBtnClick() {
    FileDialogRequest request;
    request.Filter = TCOpenFilter;
    request.OpenIn(ImageDirectory);
    request.FileName = SceneFolder + ChangeFileExt(TextOf(TCDISFileEdit), ".tc");
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty() || LowerCase(ExtractFileExt(chosen)) != ".tc") return;
    MoveSceneFolder(ExtractFilePath(chosen));
    TTasselledCapTexts texts;
    ReadTasselledCapFile(chosen, texts);
    for (int i = 0; i < TCLines; ++i)
        SetText(Grid[i], texts[static_cast<size_t>(i)]);
}

void TDisKTPage::SaveTCBtnClick() {
    FileDialogRequest request;
    request.Save = true;
    request.Filter = TCSaveFilter;
    request.OpenIn(ImageDirectory);
    request.FileName = SceneFolder + ChangeFileExt(TextOf(TCDISFileEdit), ".tc");
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty() || LowerCase(ExtractFileExt(chosen)) != ".tc") return;
    TTasselledCapTexts texts;
    for (int i = 0; i < TCLines; ++i)
        texts[static_cast<size_t>(i)] = TextOf(Grid[i]);
    WriteTasselledCapFile(chosen, texts, TReplaceLeave::Chosen(chosen));
}
