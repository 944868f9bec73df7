#include "shell/ui/vREIV.h"

#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vPointer.h"
#include "shell/ui/vResize.h"
#include "shell/ui/vRotate.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vPictureExport.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

QPointer<TREIVForm> REIVForm;

namespace {

const char* const OpenFilter = "All (*.bmp;*.png)|*.bmp;*.png";
constexpr int HelpTopic = 234;

PicturePoint ToPoint(ImagePoint p) {
    return {p.X, p.Y};
}
ImagePoint ToImagePoint(PicturePoint p) {
    return {p.X, p.Y};
}

// Sizes typed into the viewer's dialogs, or brought by the clipboard, are held to the picture
// loader's limit before any pixel is had: a side of 32767 would ask for gigabytes.
bool MayMakePicture(int64_t width, int64_t height) {
    if (PictureMemoryFits(width, height)) return true;
    ShowMessageNumber(39956, PictureMemoryText(width, height));
    return false;
}

} // namespace

TPreviewImage::TPreviewImage(const Picture& picture, QWidget* parent)
    : QWidget(parent), Shown(picture) {
    setObjectName("Image1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TPreviewImage::sizeHint() const {
    return Shown.Empty() ? QSize(0, 0) : QSize(Shown.Width, Shown.Height);
}

void TPreviewImage::PictureChanged() {
    setFixedSize(sizeHint());
    update();
}

void TPreviewImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    const QImage shown = WrapPicture(Shown);
    const QRect area = PixelsToRepaint(event->rect(), shown);
    if (!area.isEmpty()) DrawPixels(painter, QPoint(0, 0), ImagePart(shown, area), area.topLeft());
    if (!Outline || !Outline()) return;
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(
        QRect(QPoint(RubberStart.X, RubberStart.Y), QPoint(RubberEnd.X, RubberEnd.Y)).normalized());
}

void TPreviewImage::mousePressEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit MouseDown(p.x(), p.y(), event->button());
}

void TPreviewImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit MouseMove(p.x(), p.y());
}

void TPreviewImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = PixelUnder(*this, *event);
    emit MouseUp(p.x(), p.y(), event->button());
}

TREIVForm::TREIVForm(QWidget* parent)
    : TToolWindow("Preprocess", "REIVForm", fpREIV, tfNone, parent) {
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    Image1 = new TPreviewImage(PreprocessPicture, ScrollBox1);
    Image1->Outline = [this] { return FreeCropDragging || FixedCropDragging; };
    ScrollBox1->setWidget(Image1);
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName("Gauge1");
    Gauge1->setRange(0, 100);
    auto* status = new QStatusBar(this);
    StatusPanel0 = new QLabel(this);
    StatusPanel1 = new QLabel(this);
    status->addWidget(StatusPanel0, 1);
    status->addWidget(StatusPanel1, 2);
    CreateCommands();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(ToolBar1);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(status);
    resize(800, 640);

    // The press, moves and release are the crop drag itself: their frame does not end it.
    connect(Image1, &TPreviewImage::MouseDown, this, [this](int x, int y, Qt::MouseButton b) {
        GuardedOnPicture([&] { Image1MouseDown(x, y, b); });
    });
    connect(Image1, &TPreviewImage::MouseMove, this,
            [this](int x, int y) { GuardedOnPicture([&] { Image1MouseMove(x, y); }); });
    connect(Image1, &TPreviewImage::MouseUp, this, [this](int x, int y, Qt::MouseButton b) {
        GuardedOnPicture([&] { Image1MouseUp(x, y, b); });
    });
}

void TREIVForm::CreateCommands() {
    MainMenu1 = new QMenuBar(this);
    ToolBar1 = new QToolBar(this);
    ToolBar1->addWidget(Gauge1);
    auto command = [this](QMenu* menu, QAction*& slot, const char* name, const QString& text,
                          void (TREIVForm::*click)(), const QKeySequence& keys = {}) {
        slot = menu->addAction(text);
        slot->setObjectName(name);
        slot->setShortcut(keys);
        connect(slot, &QAction::triggered, this,
                [this, click] { Guarded([&] { (this->*click)(); }); });
    };
    auto button = [this](const char* name, const QString& text, QAction* same) {
        QAction* b = ToolBar1->addAction(text);
        b->setObjectName(name);
        connect(b, &QAction::triggered, same, &QAction::trigger);
    };
    QMenu* file = MainMenu1->addMenu("&File");
    command(file, F_Open, "F_Open", "&Open...", &TREIVForm::F_OpenClick, QKeySequence("Ctrl+O"));
    command(file, F_Save, "F_Save", "&Save", &TREIVForm::F_SaveClick, QKeySequence("Ctrl+S"));
    QMenu* saveAs = file->addMenu("Save as");
    command(saveAs, FS_PNG, "FS_PNG", "PNG", &TREIVForm::FS_PNGClick);
    command(saveAs, FS_BMP, "FS_BMP", "B&MP...", &TREIVForm::FS_BMPClick);
    command(saveAs, FS_JPG, "FS_JPG", "JP&G...", &TREIVForm::FS_JPGClick);
    Exit1 = file->addAction("Exit");
    Exit1->setObjectName("Exit1");
    connect(Exit1, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = MainMenu1->addMenu("&Edit");
    command(edit, E_Crop, "E_Crop", "Crop", &TREIVForm::E_CropClick);
    QMenu* crops = edit->addMenu("Crop: ...");
    crops->setObjectName("Crop1");
    for (auto [slot, side] : {std::pair{&EFS_Crop256, 256}, std::pair{&EFS_Crop512, 512},
                              std::pair{&EFS_Crop1024, 1024}}) {
        const QString n = QString::number(side);
        *slot = crops->addAction("Crop: " + n + " x " + n);
        (*slot)->setObjectName("EFS_Crop" + n);
        connect(*slot, &QAction::triggered, this,
                [this, size = side] { Guarded([&] { FixedCropClick(size); }); });
    }
    command(edit, E_Copy, "E_Copy", "&Copy", &TREIVForm::CopyButtonClick, QKeySequence("Ctrl+C"));
    command(edit, E_Paste, "E_Paste", "&Paste", &TREIVForm::PasteButtonClick,
            QKeySequence("Ctrl+V"));
    command(edit, E_Resize, "E_Resize", "Resize...", &TREIVForm::E_ResizeClick);
    command(edit, IZ_Rotate, "IZ_Rotate", "Rotate...", &TREIVForm::IZ_RotateClick);

    button("OpenButton", "Open", F_Open);
    button("SaveButton", "Save", F_Save);
    button("CropButton", "Crop", E_Crop);
    button("CopyButton", "Copy", E_Copy);
    button("PasteButton", "Paste", E_Paste);
    button("Resizer", "Resize", E_Resize);
    button("Rotator", "Rotate", IZ_Rotate);
    button("ExitButton", "Exit", Exit1);
    QAction* help = ToolBar1->addAction("Help");
    help->setObjectName("HelpButton");
    ConnectHelp(qobject_cast<QAbstractButton*>(ToolBar1->widgetForAction(help)), HelpTopic);
}

void TREIVForm::PictureChanged() {
    Image1->PictureChanged();
}

void TREIVForm::Progress(int percent) {
    Gauge1->setValue(std::min(percent, 100));
    StatusPanel1->setText(QString::fromStdString(IntToStr(percent)));
}

void TREIVForm::F_OpenClick() {
    FileDialogRequest request;
    request.Preview = OpenPreviewOption;
    request.OpenIn(ImageDirectory);
    request.Filter = OpenFilter;
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return;
    const TWorkingFolder oldDirectory = ImageDirectory;
    const std::string oldFolder = PreprocessFolder, oldName = PreprocessFileName;
    ImageDirectory = PreprocessFolder = ExtractFilePath(chosen);
    PreprocessFileName = ExtractFileName(chosen);
    try {
        LoadFromFile(PreprocessFileName);
    } catch (...) {
        // The picture on show keeps its name: under the new one, Save would write it over the
        // file that could not be read.
        ImageDirectory = oldDirectory;
        PreprocessFolder = oldFolder;
        PreprocessFileName = oldName;
        throw;
    }
}

std::string TREIVForm::PreprocessPath() const {
    return PreprocessFolder + PreprocessFileName;
}

void TREIVForm::LoadFromFile(const std::string& name) {
    HookBusyCursor(true);
    HookProcessMessages();
    const PictureFileKind kind = PictureKindOf(name);
    if (kind == PictureFileKind::Bmp || kind == PictureFileKind::Png) {
        // Read whole before the old picture goes: a file that fails leaves it on show.
        DecodedPicture decoded = ReadPictureFile(PreprocessFolder + name);
        if (const int message = ConversionMessage(decoded.SourceBits)) ShowMessageNumber(message);
        PreprocessPicture = std::move(decoded.Image);
        PreprocessStamp = StampFile(PreprocessFolder + name);
    } else {
        PreprocessStamp = TFileStamp();
    }
    Progress(0);
    PictureChanged();
    for (QScrollBar* bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()}) {
        bar->setSingleStep(4);
        bar->setValue(0);
    }
    HookBusyCursor(false);
}

void TREIVForm::SaveImage(const TReplaceLeave& leave) {
    if (SavePictureByExtension(PreprocessPicture, PreprocessPath(), leave))
        PreprocessStamp = StampFile(PreprocessPath());
}

void TREIVForm::F_SaveClick() {
    // The viewer's own file as it read or last wrote it.
    SaveImage(TReplaceLeave::Own(PreprocessStamp));
}

void TREIVForm::FS_PNGClick() {
    FileDialogRequest request;
    request.Save = true;
    request.Preview = SavePreviewOption;
    request.OpenIn(ImageDirectory);
    request.FileName = ChangeFileExt(PreprocessPath(), ".png");
    request.Filter = "PNG files|*.PNG";
    request.DefaultExt = "PNG";
    const std::string chosen = HookChooseFile(request);
    const std::string ext = ExtractFileExt(chosen);
    if (!chosen.empty() && (ext == ".PNG" || ext == ".png")) {
        ImageDirectory = PreprocessFolder = ExtractFilePath(chosen);
        PreprocessFileName = ExtractFileName(chosen);
        SaveImage(TReplaceLeave::Chosen(chosen));
    }
    HookSetGauge(0);
    Gauge1->setValue(0);
}

void TREIVForm::FS_BMPClick() {
    ExportPictureCopy(PreprocessPicture, PreprocessPath(), BmpExport);
    Gauge1->setValue(0);
}

void TREIVForm::FS_JPGClick() {
    ExportPictureCopy(PreprocessPicture, PreprocessPath(), JpegExport);
    Gauge1->setValue(0);
}

void TREIVForm::E_CropClick() {
    FreeCropArmed = true;
}

void TREIVForm::FixedCropClick(int side) {
    if (const int refusal = FixedCropRefusal(Size(), side)) {
        ShowMessageNumber(refusal);
        return;
    }
    FixedCropSide = side;
}

void TREIVForm::CopyButtonClick() {
    if (!PreprocessPicture.Empty())
        QApplication::clipboard()->setImage(WrapPicture(PreprocessPicture).copy());
    Gauge1->setValue(0);
}

void TREIVForm::PasteButtonClick() {
    const QImage image = QApplication::clipboard()->image();
    if (!image.isNull() && MayMakePicture(image.width(), image.height())) {
        PreprocessPicture = PictureFromImage(image);
        PictureChanged();
    }
    Gauge1->setValue(0);
}

void TREIVForm::E_ResizeClick() {
    if (PreprocessPicture.Empty()) return;
    TResizeForm dialog(Size(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const PictureSize chosen = dialog.NewSize();
    const PictureSize size = ResizedSize(Size(), chosen.Width, chosen.Height);
    if (!MayMakePicture(size.Width, size.Height)) return;
    PreprocessPicture = ResizePicture(PreprocessPicture, size);
    PictureChanged();
}

void TREIVForm::IZ_RotateClick() {
    // The turned picture is a second one of the same size.
    if (PreprocessPicture.Empty() || !MayMakePicture(Size().Width, Size().Height)) return;
    TRotateForm dialog(PreprocessPicture, this);
    connect(&dialog, &TRotateForm::Kept, this, [this] { PictureChanged(); });
    dialog.exec();
}

void TREIVForm::Cropola() {
    PreprocessPicture = CropPicture(PreprocessPicture, ToPoint(RubberStart), ToPoint(RubberEnd));
    PictureChanged();
}

void TREIVForm::PlaceFixedBox(int x, int y) {
    const PicturePoint corner = FixedCropCorner(x, y, Size(), FixedCropSide);
    RubberStart = ToImagePoint(corner);
    RubberEnd = {corner.X + FixedCropSide, corner.Y + FixedCropSide};
    Image1->update();
}

void TREIVForm::Image1MouseDown(int x, int y, Qt::MouseButton button) {
    if (button != Qt::LeftButton || PreprocessPicture.Empty()) return;
    if (FreeCropArmed && !FreeCropDragging) {
        FreeCropDragging = true;
        RubberStart = ToImagePoint(FreeCropStart(x, y, Size()));
        RubberEnd = RubberStart;
        Image1->update();
    } else if (FixedCropSide > 0) {
        FixedCropDragging = true;
        PlaceFixedBox(x, y);
    }
}

void TREIVForm::Image1MouseMove(int x, int y) {
    if (FreeCropDragging) {
        RubberEnd =
            ToImagePoint(FreeCropFollow(ToPoint(RubberStart), ToPoint(RubberEnd), x, y, Size()));
        Image1->update();
    } else if (FixedCropDragging) {
        PlaceFixedBox(x, y);
    } else if (x >= 0 && y >= 0 && x < PreprocessPicture.Width && y < PreprocessPicture.Height) {
        StatusPanel1->setText(
            QString::fromStdString(PixelReadoutText(x, y, PreprocessPicture.At(x, y))));
    }
}

void TREIVForm::Image1MouseUp(int, int, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    if (FreeCropDragging) {
        FreeCropDragging = FreeCropArmed = false;
        Image1->update();
        if (FreeCropAccepted(ToPoint(RubberStart), ToPoint(RubberEnd))) Cropola();
    } else if (FixedCropDragging) {
        FixedCropDragging = false;
        FixedCropSide = 0;
        Image1->update();
        Cropola();
    }
}
