// The pages of the import window. The DIH and DIS controls are made from the header pages'
// field tables, each bound to its line, so a page shows exactly what the header holds.
#include "import/ui/vHeaderBinder.h"
#include "import/ui/vPBands.h"
#include "import/vHeaderChoices.h"
#include "import/vHeaderListing.h"
#include "shell/ui/vHelp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <climits>

namespace {

using F = DIHField;

// A run of DIH lines shown on one sub-page (or on a tab inside it).
struct FieldRun {
    const char* Caption;
    int HelpTopic; // 0: none
    F First;
    F Last;
    int Columns;
};

// The sub-pages of "->DIH" that are plain runs of lines, in page order; "Bands", "Registration",
// "DIS's" and "Viewer" are built apart.
const FieldRun ImageRun = {"Image", 2012, F::RIHRIHEdit, F::PolarityEdit, 3};
const FieldRun GeoRuns[] = {
    {"GeoData", 2011, F::ImageLatLongorUTMEdit, F::MMaxEdit, 2},
    {"MapData", 0, F::ProjectionGridOriginEdit, F::IsProjectedCB, 2},
    {"Proj in", 2013, F::A1Edit, F::DLGPPP8, 3},
};
const FieldRun ProjOutRuns[] = {
    {"P pt1", 2400, F::ProjectionCBOut, F::UTMZoneNorthCBOut, 1},
    {"P pt2", 2400, F::ModeEdit, F::TrueScaleEdit, 1},
    {"P pt3", 2400, F::CentLonEdit, F::Long2Edit, 1},
    {"P pt4", 2400, F::Lat1Edit, F::PathEdit, 1},
    {"Registration Array", 2400, F::DLGPA1, F::DLGPE3, 3},
};
const FieldRun ExtentRun = {"Extent", 2014, F::CoordinatesValidCBox, F::CenCoPixYEdit, 4};
const FieldRun RegistrationRun = {"Registration", 2015, F::RegistrationValidCBox,
                                  F::RegistrationPointsCountEdit, 2};
const FieldRun CoLocatedRun = {"Co Located", 2016, F::CoLocatedDataCBox, F::MapEdgeS2Edit, 3};

const char* const DirectionNames[8] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};

// Captions the DIS page gives its check boxes; the other lines are labelled by their keys.
const char* DISCaption(DISField f) {
    switch (f) {
    case DISField::DISCoLocoCB:
        return "Co-Located Data present";
    case DISField::DISStereoCB:
        return "Stereo Coverage";
    case DISField::DISOverlappedCB:
        return "Overlapped Coverage";
    default:
        return nullptr;
    }
}

QString KeyCaption(const std::string& key, const char* name) {
    QString caption = QString::fromLatin1(key.empty() ? name : key.c_str()).trimmed();
    if (caption.endsWith(':')) caption.chop(1);
    return caption;
}

QWidget* Scrolled(QWidget* inner) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    return scroll;
}

QPlainTextEdit* Memo(const char* name) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

QLineEdit* Edit(QLineEdit** field, const char* name, const char* hint = "") {
    *field = new QLineEdit;
    (*field)->setObjectName(name);
    (*field)->setToolTip(hint);
    return *field;
}

} // namespace

QWidget* TPBands::MakeDIHControl(DIHField f, QWidget* parent) {
    const DIHFieldRow& row = RowOf(f);
    std::string& value = HeaderPages[f];
    QWidget* control = nullptr;
    if (row.Kind == DIHKind::Flag) {
        auto* box = new QCheckBox(KeyCaption(DIHListingKey(f), row.Name), parent);
        Binder->BindFlag(box, &value);
        control = box;
    } else if (row.Kind == DIHKind::Index || row.Kind == DIHKind::ZoneIndex) {
        const std::vector<std::string>& items = ItemTexts(f);
        if (items.empty()) {
            // No list of names comes with this box: it shows the item number itself.
            auto* spin = new QSpinBox(parent);
            spin->setRange(-1, INT_MAX);
            spin->setSpecialValueText(" ");
            Binder->BindIndex(spin, f);
            control = spin;
        } else {
            auto* box = new QComboBox(parent);
            for (const std::string& item : items)
                box->addItem(Latin1(item));
            Binder->BindIndex(box, f);
            control = box;
        }
    } else {
        auto* edit = new QLineEdit(parent);
        Binder->BindText(edit, &value);
        control = edit;
    }
    control->setObjectName(row.Name);
    DIHControls[static_cast<size_t>(f)] = control;
    return control;
}

void TPBands::AddDIHFields(QGridLayout* grid, int& row, DIHField first, DIHField last,
                           int columns) {
    QWidget* parent = grid->parentWidget();
    int column = 0;
    for (int i = static_cast<int>(first); i <= static_cast<int>(last); ++i) {
        const auto f = static_cast<DIHField>(i);
        QWidget* control = MakeDIHControl(f, parent);
        if (RowOf(f).Kind != DIHKind::Flag)
            grid->addWidget(new QLabel(KeyCaption(DIHListingKey(f), RowOf(f).Name), parent), row,
                            2 * column);
        grid->addWidget(control, row, 2 * column + 1);
        if (++column == columns) {
            column = 0;
            ++row;
        }
    }
    if (column != 0) ++row;
}

QWidget* TPBands::BuildDIHSubPage(int page) {
    auto* inner = new QWidget;
    auto* grid = new QGridLayout(inner);
    int row = 0;
    const FieldRun* runs[] = {&ImageRun,  &GeoRuns[0],      &GeoRuns[1],  &GeoRuns[2],
                              &ExtentRun, &RegistrationRun, &CoLocatedRun};
    const FieldRun& run = *runs[page];
    // The header's own name, the line between these, sits in the page's top row.
    if (&run == &ImageRun) AddDIHFields(grid, row, F::RIHIDEdit, F::RIHIDEdit, 1);
    AddDIHFields(grid, row, run.First, run.Last, run.Columns);
    if (&run == &ImageRun) {
        RIHImageComboBox = new QComboBox(inner);
        RIHImageComboBox->setObjectName("RIHImageComboBox");
        RIHImageComboBox->setToolTip("Select an Image type");
        for (const char* type : ImageTypes)
            RIHImageComboBox->addItem(type);
        connect(RIHImageComboBox, &QComboBox::activated, this,
                [this] { Run([this] { RIHImageComboBoxChange(); }); });
        grid->addWidget(new QLabel("Image type", inner), row, 0);
        grid->addWidget(RIHImageComboBox, row++, 1);
    }
    if (&run == &CoLocatedRun) {
        for (int d = 0; d < 8; ++d) {
            const std::string name = std::string("RIHCO_") + DirectionNames[d] + "Btn";
            RIHCoFileBtns[static_cast<size_t>(d)] =
                Button(inner, name.c_str(), DirectionNames[d], "Select Header");
            connect(RIHCoFileBtns[static_cast<size_t>(d)], &QPushButton::clicked, this,
                    [this, d] { Run([d] { HeaderPages.RIHChooseCoFile(d); }); });
            grid->addWidget(RIHCoFileBtns[static_cast<size_t>(d)], row, 0);
            grid->addWidget(MakeDIHControl(DIHCoFileFields[static_cast<size_t>(d)], inner), row++,
                            1, 1, 5);
        }
    }
    if (&run == &RegistrationRun) {
        auto* tabs = new QTabWidget(inner);
        RegisteredDataRichEdit = Memo("RegisteredDataRichEdit");
        DIHRegMemo = Memo("DIHRegMemo");
        Binder->BindList(RegisteredDataRichEdit, &HeaderPages.RegisteredDataRichEdit);
        Binder->BindList(DIHRegMemo, &HeaderPages.DIHRegMemo);
        tabs->addTab(RegisteredDataRichEdit, "Registration Data");
        tabs->addTab(DIHRegMemo, "Register");
        grid->addWidget(tabs, row++, 0, 1, 4);
    }
    if (&run == &ExtentRun) AddExtentTools(grid, row);
    if (&run == &RegistrationRun) AddRegistrationTools(grid, row);
    if (run.HelpTopic) {
        auto* help = Button(inner, "", "Help");
        HelpButton(help, run.HelpTopic);
        grid->addWidget(help, row++, 0);
    }
    grid->setRowStretch(row, 1);
    return Scrolled(inner);
}

QWidget* TPBands::BuildBandsPage() {
    auto* inner = new QWidget;
    auto* grid = new QGridLayout(inner);
    const char* const columns[] = {"Name", "Spectral range", "Band file", "Gain", "Bias", "Min",
                                   "Max"};
    for (int c = 0; c < 7; ++c)
        grid->addWidget(new QLabel(columns[c], inner), 0, c + 1);
    for (int k = 0; k < BandSlotCount; ++k) {
        grid->addWidget(
            new QLabel(QString("Band ") + BandSlotLabels[static_cast<size_t>(k)], inner), k + 1, 0);
        for (int c = 0; c < 7; ++c)
            grid->addWidget(MakeDIHControl(BandSlotField(k, c), inner), k + 1, c + 1);
    }
    RIHSetTM7Btn = Button(inner, "RIHSetTM7Btn", "ETM+", "Set ETM+ (9 Bands)");
    RIHSetTMBtn = Button(inner, "RIHSetTMBtn", "TM", "7 Bands");
    RIHSetMSSBtn = Button(inner, "RIHSetMSSBtn", "MSS", "5 Bands");
    RIHNameGrabber = Button(inner, "RIHNameGrabber", "Band file", "Band File name grabber");
    Connect(RIHSetTM7Btn, &TPBands::RIHSetTM7BtnClick);
    Connect(RIHSetTMBtn, &TPBands::RIHSetTMBtnClick);
    Connect(RIHSetMSSBtn, &TPBands::RIHSetMSSBtnClick);
    Connect(RIHNameGrabber, &TPBands::RIHNameGrabberClick);
    auto* help = Button(inner, "", "Help");
    HelpButton(help, 2019);
    const int last = BandSlotCount + 1;
    grid->addWidget(RIHSetTM7Btn, last, 1);
    grid->addWidget(RIHSetTMBtn, last, 2);
    grid->addWidget(RIHSetMSSBtn, last, 3);
    grid->addWidget(Edit(&BandEdit, "BandEdit", "Band # File Name"), last, 4);
    BandEdit->setText("1");
    grid->addWidget(RIHNameGrabber, last, 5);
    grid->addWidget(help, last, 7);
    grid->setRowStretch(last + 1, 1);
    // The spectral ranges carry the thematic sensor's ranges as hints.
    const char* const hints[] = {"0.45 .. 0.52", "0.52 .. 0.60", "0.63 .. 0.69",
                                 "0.76 .. 0.90", "1.55 .. 1.75", "10.4 .. 12.5",
                                 "10.4 .. 12.5", "2.08 .. 2.35", "0.52 .. 0.90"};
    for (int k = 0; k < BandSlotCount; ++k)
        DIHControl(BandSlotField(k, 1))->setToolTip(hints[k]);
    return Scrolled(inner);
}

QWidget* TPBands::BuildViewerPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    DDRFileBtn = Button(page, "DDRFileBtn", "Select DIH DIS or DIP File");
    DDRFileNameLabel = new QLabel(page);
    DDRFileNameLabel->setObjectName("DDRFileNameLabel");
    DDRPrintBtn = Button(page, "DDRPrintBtn", "Print");
    DDRCopyBtn = Button(page, "DDRCopyBtn", "Copy", "Copy Memo text to Clipboard");
    DDRPasteClip = Button(page, "DDRPasteClip", "Paste");
    DDRSelectAllBtn = Button(page, "DDRSelectAllBtn", "Select All");
    DDRIDXHelpBtn = Button(page, "DDRIDXHelpBtn", "Help");
    Connect(DDRFileBtn, &TPBands::DDRFileBtnClick);
    Connect(DDRPrintBtn, &TPBands::DDRPrintBtnClick);
    Connect(DDRCopyBtn, &TPBands::DDRCopyBtnClick);
    Connect(DDRPasteClip, &TPBands::DDRPasteClipClick);
    Connect(DDRSelectAllBtn, &TPBands::DDRSelectAllBtnClick);
    HelpButton(DDRIDXHelpBtn, 2001);
    top->addWidget(DDRFileBtn);
    top->addWidget(Edit(&DDRHdrEdit, "DDRHdrEdit", "DDR Header File Name"));
    for (QPushButton* b : {DDRPrintBtn, DDRCopyBtn, DDRPasteClip, DDRSelectAllBtn, DDRIDXHelpBtn})
        top->addWidget(b);
    layout->addLayout(top);
    layout->addWidget(DDRFileNameLabel);
    DDRIDXMemo = new QTextEdit(page);
    DDRIDXMemo->setObjectName("DDRIDXMemo");
    DDRIDXMemo->setAcceptRichText(false);
    DDRIDXMemo->setLineWrapMode(QTextEdit::NoWrap);
    layout->addWidget(DDRIDXMemo);
    return page;
}

QWidget* TPBands::BuildDIHPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    RIHClearBtn = Button(page, "RIHClearBtn", "Clear", "Clear all entries|Use to MAKE a DIH");
    RIHOpenBtn = Button(page, "RIHOpenBtn", "Select Header File to Import",
                        "Select DDR, IDX, DIH Header or Radar.dat");
    RIHSaveBtn = Button(page, "RIHSaveBtn", "Save", "Save as DIH|Save as DIH Header");
    RIHPrintBtn =
        Button(page, "RIHPrintBtn", "Print", "Print|Data Descriptions added when printed");
    RIHSaveAsBtn =
        Button(page, "RIHSaveAsBtn", "Labeled", "Save As|Data Descriptions added when saved");
    RIHHelpBtn = Button(page, "RIHHelpBtn", "Help");
    Connect(RIHClearBtn, &TPBands::RIHClearBtnClick);
    Connect(RIHOpenBtn, &TPBands::RIHOpenBtnClick);
    Connect(RIHSaveBtn, &TPBands::RIHSaveBtnClick);
    Connect(RIHPrintBtn, &TPBands::RIHPrintBtnClick);
    Connect(RIHSaveAsBtn, &TPBands::RIHSaveAsBtnClick);
    HelpButton(RIHHelpBtn, 2010);
    MultiPageControl = new QTabWidget(page);
    MultiPageControl->setObjectName("MultiPageControl");
    MultiPageControl->addTab(BuildDIHSubPage(0), ImageRun.Caption);
    MultiPageControl->addTab(BuildBandsPage(), "Bands");
    for (int i = 0; i < 3; ++i)
        MultiPageControl->addTab(BuildDIHSubPage(1 + i), GeoRuns[i].Caption);
    auto* projOut = new QTabWidget;
    for (const FieldRun& run : ProjOutRuns) {
        auto* inner = new QWidget;
        auto* grid = new QGridLayout(inner);
        int row = 0;
        AddDIHFields(grid, row, run.First, run.Last, run.Columns);
        grid->setRowStretch(row, 1);
        projOut->addTab(Scrolled(inner), run.Caption);
    }
    projOut->addTab(BuildProjHintsPage(), "Hints");
    MultiPageControl->addTab(projOut, "Proj out");
    MultiPageControl->addTab(BuildDIHSubPage(4), ExtentRun.Caption);
    MultiPageControl->addTab(BuildDIHSubPage(5), RegistrationRun.Caption);
    MultiPageControl->addTab(BuildDIHSubPage(6), CoLocatedRun.Caption);
    RIHDISMemo = Memo("RIHDISMemo");
    Binder->BindList(RIHDISMemo, &HeaderPages.RIHDISMemo);
    MultiPageControl->addTab(RIHDISMemo, "DIS's");
    MultiPageControl->addTab(BuildViewerPage(), "Viewer");
    SetPageHelpContexts(MultiPageControl,
                        {2012, 2019, 2011, 0, 2013, 2400, 2014, 2015, 2016, 2018, 2001});

    QWidget* name = MakeDIHControl(F::RIHHeaderFileEdit, page);
    name->setToolTip("Header File Name");
    for (QWidget* w :
         {static_cast<QWidget*>(RIHClearBtn), static_cast<QWidget*>(RIHOpenBtn),
          static_cast<QWidget*>(RIHSaveBtn), static_cast<QWidget*>(RIHPrintBtn),
          static_cast<QWidget*>(RIHSaveAsBtn), name, static_cast<QWidget*>(RIHHelpBtn)})
        top->addWidget(w);
    layout->addLayout(top);
    layout->addWidget(MultiPageControl);
    return page;
}

void TPBands::AddDISFields(QGridLayout* grid, int& row, DISField first, DISField last) {
    QWidget* parent = grid->parentWidget();
    for (int i = static_cast<int>(first); i <= static_cast<int>(last); ++i) {
        const auto f = static_cast<DISField>(i);
        const DISFieldRow& r = RowOf(f);
        QWidget* control = nullptr;
        if (r.Kind == DISKind::Flag) {
            const char* caption = DISCaption(f);
            auto* box = new QCheckBox(
                caption ? QString(caption) : KeyCaption(DISListingKey(f), r.Name), parent);
            Binder->BindFlag(box, &HeaderPages[f]);
            control = box;
        } else {
            auto* edit = new QLineEdit(parent);
            Binder->BindText(edit, &HeaderPages[f]);
            grid->addWidget(new QLabel(KeyCaption(DISListingKey(f), r.Name), parent), row, 0);
            control = edit;
        }
        control->setObjectName(r.Name);
        DISControls[static_cast<size_t>(i)] = control;
        grid->addWidget(control, row++, 1);
    }
}
