#include "bandproc/ui/vFFTFrm.h"

#include "bandproc/vBandFiles.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vGlobalMessages.h"
#include "shell/vMacroCodes.h"
#include "shell/vPictureFiles.h"
#include "shell/vToolForms.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

QPointer<TFFTForm> FFTForm;

namespace {

constexpr const char* BandFilter = "Spectral Bands (B??, P??)|*.B??;*.P??";
constexpr const char* PictureFilter = "All (*.bmp;*.png)|*.bmp;*.png";

QString Latin(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Bytes(const QString& s) {
    return s.toLatin1().toStdString();
}

QPushButton* Button(const char* text, QWidget* owner) {
    return new QPushButton(QString::fromLatin1(text), owner);
}

QLabel* ImageLabel(const char* name, QWidget* owner) {
    auto* l = new QLabel(owner);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QScrollArea* Scrolled(QLabel* image, QWidget* owner) {
    auto* area = new QScrollArea(owner);
    area->setWidget(image);
    area->setWidgetResizable(false);
    return area;
}

void SetPicture(QLabel* label, const Picture& p) {
    if (p.Empty()) return;
    const QImage wrapped(reinterpret_cast<const uchar*>(p.Pixels.data()), p.Width, p.Height,
                         p.Width * 4, QImage::Format_RGB32);
    label->setPixmap(QPixmap::fromImage(wrapped));
    label->resize(p.Width, p.Height);
}

} // namespace

TFFTForm::TFFTForm(QWidget* parent)
    : TToolWindow("Fourier Transformer", "FFTForm", fpFFT, tfFFT, parent) {
    OpenBtn = Button("dis", this);
    BandBtn = Button("band", this);
    BandBtn->setEnabled(false);
    PngBtn = Button("png", this);
    ProcessFFTBtn = Button("Do", this);
    SaveFFTBtn = Button("Save", this);
    CloseBtn = Button("Exit", this);
    HelpBtn = Button("?", this);
    FFTCB = new QComboBox(this);
    FFTCB->addItems({"None", "Low pass", "Band pass", "High pass", "1 / f^p"});
    FFTCB->setCurrentIndex(ffLowPass);
    Edit1 = new QLineEdit("53", this);
    Edit2 = new QLineEdit("123", this);
    FFTDCCentroidCB = new QCheckBox("DC Centroid", this);
    InverseCB = new QCheckBox("Inverse", this);
    DISNameEdit = new QLineEdit(this);
    BandEdit = new QLineEdit(this);
    InImage = ImageLabel("InImage", this);
    FFTImage = ImageLabel("FFTImage", this);
    FFTImage->setToolTip("FFT: Click to save image");
    FFTImage->installEventFilter(this);
    OutImage = ImageLabel("OutImage", this);
    RadarGauge = new QProgressBar(this);
    RadarGauge->setRange(0, 100);
    RadarGauge->hide();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);

    auto* left = new QWidget(this);
    auto* controls = new QGridLayout;
    controls->addWidget(OpenBtn, 0, 0);
    controls->addWidget(DISNameEdit, 0, 1, 1, 3);
    controls->addWidget(BandBtn, 1, 0);
    controls->addWidget(BandEdit, 1, 1, 1, 3);
    controls->addWidget(PngBtn, 2, 0);
    controls->addWidget(FFTCB, 2, 1);
    controls->addWidget(FFTDCCentroidCB, 2, 2);
    controls->addWidget(InverseCB, 2, 3);
    controls->addWidget(new QLabel("Filter Parameter", left), 3, 0);
    controls->addWidget(Edit1, 3, 1);
    controls->addWidget(new QLabel("Filter Band Pass Value", left), 3, 2);
    controls->addWidget(Edit2, 3, 3);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ProcessFFTBtn, SaveFFTBtn, CloseBtn, HelpBtn})
        buttons->addWidget(b);
    controls->addLayout(buttons, 4, 0, 1, 4);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->addLayout(controls);
    leftColumn->addWidget(Scrolled(InImage, left), 1);

    auto* right = new QWidget(this);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    rightColumn->addWidget(Scrolled(FFTImage, right), 1);
    rightColumn->addWidget(Scrolled(OutImage, right), 1);

    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setHandleWidth(1);
    Splitter->addWidget(left);
    Splitter->addWidget(right);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Splitter, 1);
    main->addWidget(RadarGauge);
    main->addWidget(StatusBar1);

    const auto on = [this](QPushButton* b, void (TFFTForm::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { Guarded([&] { (this->*handler)(); }); });
    };
    on(OpenBtn, &TFFTForm::OpenBtnClick);
    on(BandBtn, &TFFTForm::BandBtnClick);
    on(PngBtn, &TFFTForm::PngBtnClick);
    on(ProcessFFTBtn, &TFFTForm::ProcessFFTBtnClick);
    on(SaveFFTBtn, &TFFTForm::SaveFFTBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, [this] {
        if (!Busy) close();
    });
    ConnectHelp(HelpBtn, HelpTopic);
    resize(900, 600);
}

std::string TFFTForm::ChooseToOpen(const char* filter) {
    OpenFilter = filter;
    FileDialogRequest r;
    r.Filter = filter;
    r.OpenIn(ImageDirectory);
    return HookChooseFile(r);
}

TFFTReport TFFTForm::Report() {
    return {[this](const std::string& text) { StatusBar1->showMessage(Latin(text)); },
            [this](int percent) {
                RadarGauge->setValue(percent);
                HookProcessMessages();
            }};
}

TFFTSettings TFFTForm::Settings() const {
    return {FFTCB->currentIndex(), StrToInt(Trim(Bytes(Edit1->text()))),
            StrToInt(Trim(Bytes(Edit2->text()))), InverseCB->isChecked(),
            FFTDCCentroidCB->isChecked()};
}

void TFFTForm::ShowPictures() {
    SetPicture(InImage, InPicture);
    SetPicture(FFTImage, FFTPicture);
    SetPicture(OutImage, OutPicture);
}

void TFFTForm::RecordOpen(const std::string& path) {
    RecordCommand(MacroCommandLine(3), {ExtractFilePath(path), ExtractFileName(path)}, false);
}

// Every handler that loads or replaces the data refuses while a run works on it: the run lets
// window messages in once per line.
void TFFTForm::OpenBtnClick() {
    if (Busy) return;
    const std::string path = ChooseToOpen("DIS Header file (DIS)|*.DIS");
    if (path.empty() || LowerCase(ExtractFileExt(path)) != ".dis") return;
    // The workbench reads the DIS for itself: the shared header pages are the DIS of the
    // band-processing window, which logs its runs into whatever they hold. A DIS that cannot be
    // read or is refused for its size leaves the last one standing, its size, name and folder
    // with it: bands opened afterwards are read at that DIS's side.
    THeaderPages dis;
    if (!dis.OpenDISHeader(path)) return;
    const int64_t width = StrToInt(Trim(dis[DISField::DISSubsetWidth]));
    const int64_t height = StrToInt(Trim(dis[DISField::DISSubsetHeight]));
    if (const int message = FFTSizeMessage(width, height)) {
        ShowMessageNumber(message);
        return;
    }
    ImageDirectory = ExtractFilePath(path);
    DISPath = LastPath = path;
    DISNameEdit->setText(Latin(ExtractFileName(path)));
    N = static_cast<int32_t>(width);
    DISSide = N;
    DISOpened = true;
    BandBtn->setEnabled(true);
    RecordOpen(path);
}

void TFFTForm::BandBtnClick() {
    if (Busy || !DISOpened) return;
    const std::string path = ChooseToOpen(BandFilter);
    if (path.empty()) return;
    RadarGauge->show();
    uint8_t lo = 0, hi = 0;
    const TFFTReport report = Report();
    struct GaugeOff {
        QProgressBar* Gauge;
        ~GaugeOff() { Gauge->hide(); }
    } gaugeOff{RadarGauge};
    if (!LoadFFTBand(Spectrum, path, DISSide, InPicture, lo, hi, report)) return;
    N = DISSide;
    InputPath = LastPath = path;
    ImageDirectory = ExtractFilePath(path);
    BandEdit->setText(Latin(ExtractFileName(path)));
    FFTPicture = InPicture;
    OutPicture = InPicture;
    ShowPictures();
    Edit1->setText(Latin(IntToStr(lo)));
    Edit2->setText(Latin(IntToStr(hi)));
    BandLoaded = true;
    RecordOpen(path);
}

void TFFTForm::PngBtnClick() {
    if (Busy) return;
    const std::string path = ChooseToOpen(PictureFilter);
    if (path.empty()) return;
    DecodedPicture decoded = ReadPictureFile(path);
    // A refused picture leaves the box naming what Do and Save still work on.
    if (const int message = FFTSizeMessage(decoded.Image.Width, decoded.Image.Height)) {
        ShowMessageNumber(message);
        return;
    }
    BandEdit->setText(Latin(ExtractFileName(path)));
    if (const int message = ConversionMessage(decoded.SourceBits)) ShowMessageNumber(message);
    N = decoded.Image.Width;
    InputPath = LastPath = path;
    InPicture = std::move(decoded.Image);
    FFTPicture = InPicture;
    OutPicture = InPicture;
    ShowPictures();
    PictureLoaded = true;
    // The line is played back by the picture loader, so it names the picture's own folder.
    RecordOpen(path);
}

void TFFTForm::ProcessFFTBtnClick() {
    if (Busy) return;
    // With nothing to work on there is no run to time: the caption would say one ended.
    if (!PictureLoaded && !(DISOpened && BandLoaded)) {
        ShowMessageNumber(10);
        return;
    }
    const TFFTSettings settings = Settings();
    const QString caption = windowTitle();
    Busy = true;
    setWindowTitle(Latin("Started: " + NowDateTimeText()));
    RadarGauge->show();
    StatusBar1->clearMessage();
    struct RunEnd {
        TFFTForm* Form;
        ~RunEnd() {
            Form->RadarGauge->hide();
            Form->StatusBar1->clearMessage();
            Form->Busy = false;
        }
    } runEnd{this};
    QElapsedTimer clock;
    clock.start();
    const TFFTReport report = Report();
    bool ran = false;
    if (PictureLoaded) {
        ran = ProcessFFTPicture(Spectrum, InPicture, settings, FFTPicture, OutPicture, report);
    } else {
        // Each run starts from the loaded samples, as a picture run does, not from the
        // previous run's result.
        LoadFFTChannel(Spectrum, InPicture, 0);
        ran = ProcessFFTBand(Spectrum, settings, FFTPicture, report);
        if (ran) ShowFFTResult(Spectrum, OutPicture, report);
    }
    ShowPictures();
    // A refused size has said so: no time of a finished run follows it.
    setWindowTitle(ran ? Latin(FFTElapsedCaption(clock.elapsed())) : caption);
}

void TFFTForm::SaveFFTBtnClick() {
    if (Busy || OutPicture.Empty()) return;
    const std::string path = ChooseSaveFile(OpenFilter, LastPath);
    if (path.empty() || RefuseOutputOverInput({path}, {DISPath, InputPath})) return;
    const TReplaceLeave leave = TReplaceLeave::Chosen(path);
    const std::string ext = LowerCase(ExtractFileExt(path));
    if (ext == ".png") {
        WritePictureFile(path, OutPicture, PictureFileKind::Png, leave);
    } else if (ext == ".bmp") {
        WritePictureFile(path, OutPicture, PictureFileKind::Bmp, leave);
    } else {
        RadarGauge->show();
        const std::vector<uint8_t> bytes = FFTResultBandBytes(OutPicture, Report());
        RadarGauge->hide();
        WriteFileOrRaise(path, bytes, leave);
    }
}

void TFFTForm::FFTImageMouseUp() {
    if (Busy || FFTPicture.Empty()) return;
    const std::string path =
        ChooseSaveFile("BMP files (*.bmp)|*.bmp", ChangeFileExt(LastPath, ".bmp"));
    if (path.empty() || RefuseOutputOverInput({path}, {DISPath, InputPath})) return;
    WritePictureFile(path, FFTPicture, PictureFileKind::Bmp, TReplaceLeave::Chosen(path));
}

void TFFTForm::FormClose() {
    Spectrum.Free();
    TToolWindow::FormClose();
}

void TFFTForm::closeEvent(QCloseEvent* event) {
    // A run lets window messages in and works on the spectrum the close would free.
    if (Busy) {
        event->ignore();
        return;
    }
    TToolWindow::closeEvent(event);
}

void TFFTForm::resizeEvent(QResizeEvent* event) {
    TToolWindow::resizeEvent(event);
    const int half = width() / 2;
    Splitter->setSizes({half, std::max(width() - half - 1, 0)});
}

bool TFFTForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FFTImage && event->type() == QEvent::MouseButtonRelease)
        Guarded([this] { FFTImageMouseUp(); });
    return TToolWindow::eventFilter(watched, event);
}
