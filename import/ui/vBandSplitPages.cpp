#include "import/ui/vBandSplitPages.h"

#include "import/ui/vPBands.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vPointer.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TBandSplitPages* Pages = nullptr;

void SetGauge(int percent) {
    if (Pages && PBands) PBands->RadarGauge->setValue(percent);
    HookProcessMessages();
}

void SetHint(const char* text) {
    if (Pages && PBands) PBands->IM_Hints->setText(QString::fromUtf8(text));
}

std::string Chosen(const char* filter) {
    FileDialogRequest request;
    request.Filter = filter;
    request.OpenIn(ImageDirectory);
    return HookChooseFile(request);
}

void ShowRefusal(int message) {
    if (message) ShowMessageNumber(message);
}

QLineEdit* Edit(QWidget* parent, const char* name, const char* text = "") {
    auto* e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(name);
    return e;
}

QPushButton* Button(QWidget* page, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), page);
    b->setObjectName(name);
    return b;
}

std::string Text(const QLineEdit* e) {
    return e->text().toStdString();
}

QString Number(int64_t v) {
    return QString::fromStdString(IntToStr(v));
}

} // namespace

TCropPreviewLabel::TCropPreviewLabel(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
    setFixedSize(PreviewSide, PreviewSide);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TCropPreviewLabel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit Moved(p.x(), p.y());
}

void TCropPreviewLabel::mousePressEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit Pressed(event->button(), p.x(), p.y());
}

TBandSplitPages::TBandSplitPages(TPBands* window) : QObject(window), Window(window) {
    setObjectName("BandSplitPages");
    Pages = this;
    BuildSplitPage();
    BuildCropPage();
}

void TBandSplitPages::BusyRun(void (TBandSplitPages::*handler)()) {
    // The busy cursor is the command's own: input the user makes once it shows is made during it.
    Window->Guarded([this, handler] {
        HookBusyCursor(true);
        (this->*handler)();
    });
    Window->RadarGauge->setValue(0);
    HookBusyCursor(false);
    Window->ShowHeaderPages();
}

void TBandSplitPages::Hint(const char* text) {
    Window->IM_Hints->setText(QString::fromUtf8(text));
}

void TBandSplitPages::BuildSplitPage() {
    QWidget* page = Window->DIHSplitPage;
    auto* grid = new QGridLayout(page);
    NALCSplit = Button(page, "NALCSplit", "Select and Split NALC sampler File");
    NALCHelp = Button(page, "NALCHelp", "Help");
    grid->addWidget(new QLabel("MSS Bands 2,3,4,5 and AVHRR", page), 0, 0);
    grid->addWidget(NALCSplit, 0, 1);
    grid->addWidget(NALCHelp, 0, 2);
    VagueSkipEdit = Edit(page, "VagueSkipEdit", "0");
    VaguePixelsWideEdit = Edit(page, "VaguePixelsWideEdit", "512");
    VaguePixelsHighEdit = Edit(page, "VaguePixelsHighEdit", "512");
    VagueBandsEdit = Edit(page, "VagueBandsEdit", "1");
    const std::pair<QLineEdit*, const char*> edits[] = {{VagueSkipEdit, "Header bytes to skip"},
                                                        {VaguePixelsWideEdit, "Pixels Wide"},
                                                        {VaguePixelsHighEdit, "Pixels High"},
                                                        {VagueBandsEdit, "Bands"}};
    int row = 1;
    for (const auto& [edit, caption] : edits) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), page), row, 0);
        grid->addWidget(edit, row++, 1);
    }
    Vague16BitCB = new QCheckBox("16 Bit pixels", page);
    Vague16BitCB->setObjectName("Vague16BitCB");
    VagueReduceCB = new QCheckBox("Reduce 16 to 8 bits", page);
    VagueReduceCB->setObjectName("VagueReduceCB");
    VagueSwapCB = new QCheckBox("(Swap) the 16 bits", page);
    VagueSwapCB->setObjectName("VagueSwapCB");
    for (QCheckBox* cb : {Vague16BitCB, VagueReduceCB, VagueSwapCB})
        grid->addWidget(cb, row++, 1);
    VagueFileBtn = Button(page, "VagueFileBtn", "Vague File splitter");
    VagueHelpBtn = Button(page, "VagueHelpBtn", "Help");
    grid->addWidget(VagueFileBtn, row, 1);
    grid->addWidget(VagueHelpBtn, row, 2);
    grid->setRowStretch(row + 1, 1);
    connect(NALCSplit, &QPushButton::clicked, this,
            [this] { BusyRun(&TBandSplitPages::NalcOKBtnClick); });
    connect(VagueFileBtn, &QPushButton::clicked, this,
            [this] { BusyRun(&TBandSplitPages::VagueFileBtnClick); });
    ConnectHelp(NALCHelp, 2411);
    ConnectHelp(VagueHelpBtn, 2412);
}

void TBandSplitPages::BuildCropPage() {
    QWidget* page = Window->DIHToDISXYPage;
    auto* layout = new QHBoxLayout(page);
    auto* grid = new QGridLayout;
    BSQDIHtoDISFileBtn = Button(page, "BSQDIHtoDISFileBtn", "1. Select DIH");
    MetadataFileEditBtn = Button(page, "MetadataFileEditBtn", "...");
    BSQFileEdit = Edit(page, "BSQFileEdit");
    BSQBandEdit = Edit(page, "BSQBandEdit");
    grid->addWidget(BSQDIHtoDISFileBtn, 0, 0);
    grid->addWidget(BSQFileEdit, 0, 1, 1, 3);
    grid->addWidget(MetadataFileEditBtn, 0, 4);
    grid->addWidget(new QLabel("2. New DIS name", page), 1, 0);
    grid->addWidget(BSQBandEdit, 1, 1, 1, 3);
    const char* names[2][6] = {
        {"BSQLCEdit", "BSQRCEdit", "BSQTREdit", "BSQBREdit", "BSQWEdit", "BSQHEdit"},
        {"BSQLCIEdit", "BSQRCIEdit", "BSQTRIEdit", "BSQBRIEdit", "BSQWIEdit", "BSQHIEdit"}};
    QLineEdit** boxes[2][6] = {
        {&BSQLCEdit, &BSQRCEdit, &BSQTREdit, &BSQBREdit, &BSQWEdit, &BSQHEdit},
        {&BSQLCIEdit, &BSQRCIEdit, &BSQTRIEdit, &BSQBRIEdit, &BSQWIEdit, &BSQHIEdit}};
    const char* captions[6] = {"Left", "Right", "Top", "Bottom", "Width", "Height"};
    grid->addWidget(new QLabel("Scene", page), 2, 1);
    grid->addWidget(new QLabel("3. Crop", page), 2, 2);
    for (int i = 0; i < 6; ++i) {
        grid->addWidget(new QLabel(captions[i], page), 3 + i, 0);
        for (int s = 0; s < 2; ++s) {
            *boxes[s][i] = Edit(page, names[s][i]);
            grid->addWidget(*boxes[s][i], 3 + i, 1 + s);
        }
        (*boxes[0][i])->setReadOnly(true);
    }
    BSQOKBtn = Button(page, "BSQOKBtn", "4. Press Button");
    BSQHelpBtn = Button(page, "BSQHelpBtn", "Help");
    grid->addWidget(BSQOKBtn, 9, 1);
    grid->addWidget(BSQHelpBtn, 9, 2);
    grid->setRowStretch(10, 1);
    layout->addLayout(grid, 1);
    BSQImage = new TCropPreviewLabel(page);
    BSQImage->setObjectName("BSQImage");
    layout->addWidget(BSQImage, 0, Qt::AlignTop);
    for (QPushButton* b : {BSQDIHtoDISFileBtn, MetadataFileEditBtn})
        connect(b, &QPushButton::clicked, this,
                [this] { BusyRun(&TBandSplitPages::BSQDIHtoDISFileBtnClick); });
    connect(BSQOKBtn, &QPushButton::clicked, this,
            [this] { BusyRun(&TBandSplitPages::BSQOKBtnClick); });
    ConnectHelp(BSQHelpBtn, 2500);
    connect(BSQImage, &TCropPreviewLabel::Moved, this,
            [this](int x, int y) { Window->Guarded([&] { BSQImageMouseMove(x, y); }); });
    connect(BSQImage, &TCropPreviewLabel::Pressed, this, [this](Qt::MouseButton b, int x, int y) {
        Window->Guarded([&] { BSQImageMouseDown(b, x, y); });
    });
}

void TBandSplitPages::NalcOKBtnClick() {
    const std::string input = Chosen("Nalc data|*.IMG");
    if (input.empty()) return;
    ShowRefusal(NalcSplitScene(input, SetGauge));
}

void TBandSplitPages::VagueFileBtnClick() {
    const std::string input = Chosen("Vague data|*.*");
    if (input.empty()) return;
    TRawSplit p;
    p.Bands = StrToInt(Text(VagueBandsEdit));
    p.Width = StrToInt(Text(VaguePixelsWideEdit));
    p.Height = StrToInt(Text(VaguePixelsHighEdit));
    p.Skip = StrToInt(Text(VagueSkipEdit));
    p.Sixteen = Vague16BitCB->isChecked();
    p.Reduce = VagueReduceCB->isChecked();
    p.Swap = VagueSwapCB->isChecked();
    ShowRefusal(RawSplitScene(input, p, SetGauge));
}

void TBandSplitPages::BSQDIHtoDISFileBtnClick() {
    // Only a scene read here arms the crop and the picking: a cancelled choice would else send
    // "4. Press Button" to cut whatever the pages last held.
    const std::string dih = Chosen("Import DIH to DIS header|*.dih");
    if (dih.empty() || LowerCase(ExtractFileExt(dih)) != ".dih") return;
    Hint("Display DIH Image");
    PreviewActive = ChooseCropScene(dih, Scene);
    if (!PreviewActive) return;
    BSQFileEdit->setText(QString::fromStdString(dih));
    BSQBandEdit->setText(QString::fromStdString(Scene.DISName));
    ShowScene();
    if (!Scene.Radar) Hint("BSQ File Display Processing");
    const Picture p = CropPreviewPicture(Scene, Step, SetGauge);
    QImage image(reinterpret_cast<const uchar*>(p.Pixels.data()), p.Width, p.Height,
                 QImage::Format_RGB32);
    BSQImage->setPixmap(QPixmap::fromImage(image.copy()));
}

void TBandSplitPages::ShowScene() {
    const std::pair<QLineEdit*, int64_t> values[] = {{BSQLCEdit, Scene.Left},
                                                     {BSQRCEdit, Scene.Right},
                                                     {BSQTREdit, Scene.Top},
                                                     {BSQBREdit, Scene.Bottom},
                                                     {BSQWEdit, Scene.Right - Scene.Left + 1},
                                                     {BSQHEdit, Scene.Bottom - Scene.Top + 1},
                                                     {BSQLCIEdit, Scene.Left},
                                                     {BSQRCIEdit, Scene.Right},
                                                     {BSQTRIEdit, Scene.Top},
                                                     {BSQBRIEdit, Scene.Bottom},
                                                     {BSQWIEdit, Scene.Right - Scene.Left + 1},
                                                     {BSQHIEdit, Scene.Bottom - Scene.Top + 1}};
    for (const auto& [edit, v] : values)
        edit->setText(Number(v));
}

void TBandSplitPages::BSQImageMouseMove(int x, int y) {
    if (!PreviewActive) return;
    Window->IM_Hints->setText("X: " + Number(x * Step) + " Y: " + Number(y * Step));
}

void TBandSplitPages::BSQImageMouseDown(Qt::MouseButton button, int x, int y) {
    if (!PreviewActive) return;
    if (button == Qt::LeftButton) {
        BSQLCIEdit->setText(Number(x * Step));
        BSQTRIEdit->setText(Number(y * Step));
    } else if (button == Qt::RightButton) {
        BSQRCIEdit->setText(Number(x * Step));
        BSQBRIEdit->setText(Number(y * Step));
    }
    BSQImageMouseMove(x, y);
    BSQWIEdit->clear();
    BSQHIEdit->clear();
}

void TBandSplitPages::BSQOKBtnClick() {
    if (!DISLoaded) {
        ShowMessageNumber(39993);
        return;
    }
    PreviewActive = false;
    Hint("BSQ Crop Band File Processing");
    const TCropRect r = TCropRect{StrToInt(Text(BSQLCIEdit)), StrToInt(Text(BSQRCIEdit)),
                                  StrToInt(Text(BSQTRIEdit)), StrToInt(Text(BSQBRIEdit))}
                            .Ordered();
    BSQWIEdit->setText(Number(r.Width()));
    BSQHIEdit->setText(Number(r.Height()));
    bool tooMany = false;
    ShowRefusal(CropScene(Scene, Text(BSQBandEdit), r, tooMany, SetGauge, SetHint));
    if (tooMany) HookShowMessage(MsgKind::Error, "I only do 9 bands!", -1, -1);
}
