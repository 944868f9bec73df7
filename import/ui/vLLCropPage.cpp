#include "import/ui/vLLCropPage.h"

#include "import/ui/vBandSplitPages.h"
#include "import/ui/vHeaderBinder.h"
#include "import/ui/vPBands.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

TPBands* Gauged = nullptr;

void SetGauge(int percent) {
    if (Gauged) Gauged->RadarGauge->setValue(percent);
    HookProcessMessages();
}

void SetHint(const char* text) {
    if (Gauged) Gauged->IM_Hints->setText(QString::fromUtf8(text));
}

QLineEdit* Edit(QWidget* page, QLineEdit** field, const char* name, const char* hint = "") {
    *field = new QLineEdit(page);
    (*field)->setObjectName(name);
    (*field)->setToolTip(hint);
    return *field;
}

QPushButton* PageButton(QWidget* page, const char* name, const char* caption,
                        const char* hint = "") {
    auto* b = new QPushButton(caption, page);
    b->setObjectName(name);
    b->setToolTip(hint);
    return b;
}

} // namespace

TLLCropPage::TLLCropPage(TPBands* window) : QObject(window), Window(window) {
    setObjectName("LLCropPage");
    QWidget* page = Window->DIHToDISLLPage;
    auto* grid = new QGridLayout(page);
    DIHSubsetSliceFileBtn = PageButton(page, "DIHSubsetSliceFileBtn", "1. Select DIH");
    grid->addWidget(DIHSubsetSliceFileBtn, 0, 0);
    grid->addWidget(Edit(page, &DIHSubsetFileEdit, "DIHSubsetFileEdit"), 0, 1, 1, 3);
    grid->addWidget(new QLabel("2. New DIS name", page), 1, 0);
    grid->addWidget(Edit(page, &DIHSubsetDISEdit, "DIHSubsetDISEdit", "To be RGB Image Name"), 1, 1,
                    1, 3);
    const struct {
        QLineEdit** Field;
        const char* Name;
        const char* Caption;
    } scene[] = {{&DIHSubsetLCEdit, "DIHSubsetLCEdit", "Left"},
                 {&DIHSubsetRCEdit, "DIHSubsetRCEdit", "Right"},
                 {&DIHSubsetTREdit, "DIHSubsetTREdit", "Top"},
                 {&DIHSubsetBREdit, "DIHSubsetBREdit", "Bottom"},
                 {&DIHSubsetWEdit, "DIHSubsetWEdit", "Width"},
                 {&DIHSubsetHEdit, "DIHSubsetHEdit", "Height"}};
    int row = 2;
    for (const auto& s : scene) {
        grid->addWidget(new QLabel(s.Caption, page), row, 0);
        grid->addWidget(Edit(page, s.Field, s.Name), row++, 1);
        (*s.Field)->setReadOnly(true);
    }
    const struct {
        QLineEdit** Field;
        const char* Name;
        const char* Hint;
    } box[] = {{&TopLeftXEdit, "TopLeftXEdit", "Top Left X Longitude"},
               {&TopLeftYEdit, "TopLeftYEdit", "Top Left Y Latitude"},
               {&TopRightXEdit, "TopRightXEdit", "Top Right X Longitude"},
               {&TopRightYEdit, "TopRightYEdit", "Top Right Y Latitude"},
               {&BottomLeftXEdit, "BottomLeftXEdit", "Bottom Left X Longitude"},
               {&BottomLeftYEdit, "BottomLeftYEdit", "Bottom Left Y Latitude"},
               {&BottomRightXEdit, "BottomRightXEdit", "Bottom Right X Longitude"},
               {&BottomRightYEdit, "BottomRightYEdit", "Bottom Right Y Latitude"}};
    grid->addWidget(new QLabel("3. Longitude, latitude", page), 1, 4, 1, 2);
    grid->addWidget(new QLabel("Map x, y", page), 1, 6, 1, 2);
    const char* const corners[4] = {"Top Left", "Top Right", "Bottom Left", "Bottom Right"};
    for (int i = 0; i < 8; ++i) {
        const int r = 2 + i / 2, c = i % 2;
        if (c == 0) grid->addWidget(new QLabel(corners[i / 2], page), r, 3);
        grid->addWidget(Edit(page, box[i].Field, box[i].Name, box[i].Hint), r, 4 + c);
        const std::string name = "DDLLEdit" + std::to_string(i + 1);
        grid->addWidget(Edit(page, &DDLLEdits[static_cast<size_t>(i)], name.c_str()), r, 6 + c);
    }
    DIHSubsetSliceBtn =
        PageButton(page, "DIHSubsetSliceBtn", "4. Press Button", "Subset Slice Selection");
    DIHSubsetHelp = PageButton(page, "DIHSubsetHelp", "Help");
    grid->addWidget(DIHSubsetSliceBtn, row, 1);
    grid->addWidget(DIHSubsetHelp, row, 2);
    grid->setRowStretch(row + 1, 1);
    connect(DIHSubsetSliceFileBtn, &QPushButton::clicked, this,
            [this] { BusyRun(&TLLCropPage::DIHSubsetSliceFileBtnClick); });
    connect(DIHSubsetSliceBtn, &QPushButton::clicked, this,
            [this] { BusyRun(&TLLCropPage::DIHSubsetSliceBtnClick); });
    ConnectHelp(DIHSubsetHelp, 2930);
}

void TLLCropPage::BusyRun(void (TLLCropPage::*handler)()) {
    // The busy cursor is the command's own: input the user makes once it shows is made during it.
    Window->Guarded([this, handler] {
        HookBusyCursor(true);
        (this->*handler)();
    });
    Window->RadarGauge->setValue(0);
    HookBusyCursor(false);
    Window->ShowHeaderPages();
}

std::array<QLineEdit*, 8> TLLCropPage::BoxEdits() const {
    return {TopLeftXEdit,    TopLeftYEdit,    TopRightXEdit,    TopRightYEdit,
            BottomLeftXEdit, BottomLeftYEdit, BottomRightXEdit, BottomRightYEdit};
}

TLLCropValues TLLCropPage::Read() const {
    TLLCropValues v;
    v.DIHSubsetFileEdit = Bytes(DIHSubsetFileEdit->text());
    v.DIHSubsetDISEdit = Bytes(DIHSubsetDISEdit->text());
    const std::array<QLineEdit*, 8> box = BoxEdits();
    for (size_t i = 0; i < 8; ++i) {
        v.Box[i] = Bytes(box[i]->text());
        v.DDLL[i] = Bytes(DDLLEdits[i]->text());
    }
    return v;
}

void TLLCropPage::Show(const TLLCropValues& v) {
    const std::pair<QLineEdit*, const std::string*> edits[] = {
        {DIHSubsetFileEdit, &v.DIHSubsetFileEdit}, {DIHSubsetDISEdit, &v.DIHSubsetDISEdit},
        {DIHSubsetLCEdit, &v.DIHSubsetLCEdit},     {DIHSubsetRCEdit, &v.DIHSubsetRCEdit},
        {DIHSubsetTREdit, &v.DIHSubsetTREdit},     {DIHSubsetBREdit, &v.DIHSubsetBREdit},
        {DIHSubsetWEdit, &v.DIHSubsetWEdit},       {DIHSubsetHEdit, &v.DIHSubsetHEdit}};
    for (const auto& [edit, text] : edits)
        edit->setText(Latin1(*text));
    const std::array<QLineEdit*, 8> box = BoxEdits();
    for (size_t i = 0; i < 8; ++i) {
        box[i]->setText(Latin1(v.Box[i]));
        DDLLEdits[i]->setText(Latin1(v.DDLL[i]));
    }
}

void TLLCropPage::DIHSubsetSliceFileBtnClick() {
    FileDialogRequest request;
    request.Filter = "Import DIH to DIS header|*.dih";
    request.OpenIn(ImageDirectory);
    const std::string dih = HookChooseFile(request);
    if (dih.empty() || LowerCase(ExtractFileExt(dih)) != ".dih") return;
    Window->IM_Hints->setText("Select DIH Subset");
    TLLCropValues v;
    if (ChooseDIHForLLCrop(dih, v, Scene)) Show(v);
}

void TLLCropPage::DIHSubsetSliceBtnClick() {
    TLLCropValues v = Read();
    // The crop is the "DIH->DIS XY" page's: it shows the scene and the bounds it cut.
    TBandSplitPages& xy = *Window->SplitPages;
    const std::pair<QLineEdit*, QLineEdit*> copied[] = {
        {xy.BSQFileEdit, DIHSubsetFileEdit}, {xy.BSQBandEdit, DIHSubsetDISEdit},
        {xy.BSQLCEdit, DIHSubsetLCEdit},     {xy.BSQRCEdit, DIHSubsetRCEdit},
        {xy.BSQTREdit, DIHSubsetTREdit},     {xy.BSQBREdit, DIHSubsetBREdit},
        {xy.BSQWEdit, DIHSubsetWEdit},       {xy.BSQHEdit, DIHSubsetHEdit}};
    for (const auto& [to, from] : copied)
        to->setText(from->text());
    xy.PreviewActive = false;
    Window->IM_Hints->setText("Crop Processing Lat Lon");
    Gauged = Window;
    bool tooMany = false;
    const int refusal = LLCropScene(Scene, v, tooMany, SetGauge, SetHint);
    Gauged = nullptr;
    // A refused crop leaves the page as it was, its map corners too.
    if (!refusal)
        for (size_t i = 0; i < 8; ++i)
            DDLLEdits[i]->setText(Latin1(v.DDLL[i]));
    if (v.BoundsSet) {
        const TCropRect& r = v.Bounds;
        const std::pair<QLineEdit*, int64_t> bounds[] = {
            {xy.BSQLCIEdit, r.Left},   {xy.BSQRCIEdit, r.Right},  {xy.BSQTRIEdit, r.Top},
            {xy.BSQBRIEdit, r.Bottom}, {xy.BSQWIEdit, r.Width()}, {xy.BSQHIEdit, r.Height()}};
        for (const auto& [edit, value] : bounds)
            edit->setText(Latin1(IntToStr(value)));
    }
    if (refusal) ShowMessageNumber(refusal);
    if (tooMany) HookShowMessage(MsgKind::Error, "I only do 9 bands!", -1, -1);
}
