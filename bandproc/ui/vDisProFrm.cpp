#include "bandproc/ui/vDisProFrm.h"

#include "bandproc/ui/vDisAlgebraPages.h"
#include "bandproc/ui/vDisProPages.h"
#include "bandproc/ui/vDisSinglePages.h"
#include "bandproc/vBandFiles.h"
#include "import/vHeaderPages.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/ui/vHelp.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vToolForms.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

QPointer<TDisProcessForm> DisProcessForm;

namespace {

constexpr const char* DISFilter = "DIS Header file (DIS)|*.DIS";
constexpr int NotReadyMessage = 39993;

void HeaderPagesChanged() {
    if (Hooks.HeaderPagesChanged) Hooks.HeaderPagesChanged();
}

TDisProcessForm::TScene GlobalScene() {
    TDisProcessForm::TScene s;
    s.Pages.AssignScene(HeaderPages);
    s.Folder = SceneFolder;
    s.Bounds = SubsetBounds;
    s.BandFiles = SelectedBandFiles;
    s.Loaded = DISLoaded;
    return s;
}

void PutScene(const TDisProcessForm::TScene& s) {
    HeaderPages.AssignScene(s.Pages);
    SceneFolder = s.Folder;
    SubsetBounds = s.Bounds;
    SelectedBandFiles = s.BandFiles;
    DISLoaded = s.Loaded;
}

// The subset a DIS's pages give.
TSubsetBounds DISSubset(const THeaderPages& pages) {
    const auto bound = [&pages](DISField f) { return static_cast<int32_t>(StrToInt(pages[f])); };
    return {bound(DISField::DISSubsetLeft), bound(DISField::DISSubsetRight),
            bound(DISField::DISSubsetTop), bound(DISField::DISSubsetBottom)};
}

} // namespace

TDisProcessForm::TSceneInstalled::TSceneInstalled(TDisProcessForm& form)
    : Form(form), WorkingFolder(ImageDirectory) {
    if (Form.SceneDepth++ > 0) return;
    Saved = GlobalScene();
    PutScene(Form.Scene);
    // The window's dialogs open in its own folder; until it has one, in the working folder.
    if (!Form.Scene.Folder.empty()) ImageDirectory = Form.Scene.Folder;
}

TDisProcessForm::TSceneInstalled::~TSceneInstalled() {
    if (--Form.SceneDepth > 0) return;
    Form.Scene = GlobalScene();
    PutScene(Saved);
    ImageDirectory = WorkingFolder;
    // The import window shows its own pages again.
    HeaderPagesChanged();
}

void TDisProcessForm::AdoptScene() {
    const std::string shown = Scene.Loaded ? Scene.Pages.DISFilePath() : std::string();
    // The scene is the DIS the import window shows: its folder and its subset, whatever folder
    // and subset other windows have chosen since.
    Scene = GlobalScene();
    Scene.Folder = HeaderPages.DISFolder;
    Scene.Bounds = DISSubset(HeaderPages);
    // The bands are the ones this window's pages show: none yet. The import window's DIS->DIP
    // page chose its own, and a run must never read a band the page it runs on shows empty.
    Scene.BandFiles.fill("");
    // Launched again on the same DIS, the pages keep what the user typed.
    if (Scene.Pages.DISFilePath() == shown) return;
    // Launched on another DIS, the pages name that one and let go of what they held of the
    // last, as when a DIS is chosen here.
    const TSceneInstalled installed(*this);
    Guarded([this] { ShowChosenDIS(ExtractFileName(HeaderPages.DISFilePath())); });
}

void TDisProcessForm::ShowChosenDIS(const std::string& name) {
    IM_Hints->setText(QString::fromStdString(name));
    BandsAvailableLabel->setText(QString::fromStdString(HeaderPages.DISSubsetNBands));
    for (const auto& f : DISChosenHandlers)
        f(name);
}

TDisProcessForm::TDisProcessForm(QWidget* parent)
    : TToolWindow("Dis Process", "DisProcessForm", fpDisProcess, tfDisProcess, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFrame());
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    layout->addWidget(PageControl1, 1);

    TabSheet1 = BuildHistogramPage(this);
    TabSheet3 = DividePage = new TDisDividePage(this);
    TabSheet2 = SinglePage = new TDisSinglePage(this);
    TabSheet4 = new QWidget;
    MultiPageControl = new QTabWidget(TabSheet4);
    MultiPageControl->setObjectName("MultiPageControl");
    (new QVBoxLayout(TabSheet4))->addWidget(MultiPageControl);
    TabSheet17 = MBFAPage = new TDisMBFAPage(this);
    TabSheet12 = VIPage = new TDisVIPage(this);
    TabSheet14 = KTPage = new TDisKTPage(this);
    TabSheet15 = BuildPCAPage(this);

    const struct {
        QTabWidget* Control;
        QWidget* Page;
        const char* Name;
        const char* Caption;
    } pages[] = {
        {PageControl1, TabSheet1, "TabSheet1", "Histogram"},
        {PageControl1, TabSheet3, "TabSheet3", "Divide or Combine"},
        {PageControl1, TabSheet2, "TabSheet2", "Single Band"},
        {PageControl1, TabSheet4, "TabSheet4", "Multi Band"},
        {MultiPageControl, TabSheet17, "TabSheet17", "Multi Band File Algebra (FA)"},
        {MultiPageControl, TabSheet12, "TabSheet12", "Vegetation Indices (VI)"},
        {MultiPageControl, TabSheet14, "TabSheet14", "Tassled cap (KT)"},
        {MultiPageControl, TabSheet15, "TabSheet15", "Principal Component Analysis (PCA)"},
    };
    for (const auto& p : pages) {
        p.Page->setObjectName(p.Name);
        p.Control->addTab(p.Page, p.Caption);
    }
}

QWidget* TDisProcessForm::BuildFrame() {
    auto* frame = new QWidget(this);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(0, 0, 0, 0);
    IM_Hints = new QLabel(frame);
    IM_Hints->setObjectName("IM_Hints");
    RadarGauge = new QProgressBar(frame);
    RadarGauge->setObjectName("RadarGauge");
    RadarGauge->setRange(0, 100);
    RadarGauge->setValue(0);
    BandsAvailableLabel = new QLabel(frame);
    BandsAvailableLabel->setObjectName("BandsAvailableLabel");
    IMHelp = HelpButton(frame, "IMHelp", 2720);
    ProcessCloseBtn = new QPushButton("Close", frame);
    ProcessCloseBtn->setObjectName("ProcessCloseBtn");
    ProcessCloseBtn->setToolTip("Hide me");
    ProcessCloseBtn->setStatusTip("the X box does this too");
    connect(ProcessCloseBtn, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(IM_Hints, 1);
    row->addWidget(new QLabel("Bands:", frame));
    row->addWidget(BandsAvailableLabel);
    row->addWidget(RadarGauge);
    row->addWidget(IMHelp);
    row->addWidget(ProcessCloseBtn);
    return frame;
}

QPushButton* TDisProcessForm::HelpButton(QWidget* parent, const char* name, int topic) {
    auto* button = new QPushButton("Help", parent);
    button->setObjectName(name);
    ConnectHelp(button, topic);
    return button;
}

void TDisProcessForm::OnDISChosen(std::function<void(const std::string&)> f) {
    DISChosenHandlers.push_back(std::move(f));
}

void TDisProcessForm::OnClose(std::function<void()> f) {
    CloseHandlers.push_back(std::move(f));
}

void TDisProcessForm::ALLDISFileBtnClick() {
    Guarded([this] {
        FileDialogRequest request;
        request.Filter = DISFilter;
        request.OpenIn(ImageDirectory);
        const std::string chosen = HookChooseFile(request);
        if (chosen.empty() || LowerCase(ExtractFileExt(chosen)) != ".dis") return;
        // The DIS and its scene's DIH are read into a copy, and the window takes them only when
        // both were read: a DIS that cannot be read, or whose DIH is missing or stops at a bad
        // line, leaves the last choice standing whole, not its name over the new one's pages.
        THeaderPages pages = HeaderPages;
        if (!pages.OpenDISHeader(chosen)) return;
        // The scene's DIH is the one beside the DIS; only a scene laid out with its DIH in the
        // folder the pictures came from finds it there, where the dialog opened.
        std::string dih = ExtractFilePath(chosen) + pages[DISField::DISSubsetDIH];
        if (!FileExists(dih)) dih = request.InitialDir + pages[DISField::DISSubsetDIH];
        if (!FileExists(dih)) {
            ShowMessageNumber(39998);
            return;
        }
        if (!pages.RIHOpenRIHHeader(dih)) return;
        HeaderPages.AssignScene(pages);
        DISLoaded = true;
        MoveSceneFolder(ExtractFilePath(chosen));
        const std::string name = ExtractFileName(chosen);
        // The runs' records go into this DIS, whatever folder a band is chosen from later.
        HeaderPages.NameDIS(chosen);
        SubsetBounds = DISSubset(HeaderPages);
        HeaderPages.DISSubsetNBands = HeaderPages[DIHField::RIHNBEdit];
        HeaderPages.DISSaveIt();
        SelectedBandFiles.fill("");
        ShowChosenDIS(name);
        HeaderPagesChanged();
    });
}

std::string TDisProcessForm::ChooseBandFile(int slot, QLineEdit* edit, bool setDirectory) {
    FileDialogRequest request;
    request.Filter = BandFilter;
    request.OpenIn(ImageDirectory);
    const std::string chosen = HookChooseFile(request);
    if (chosen.empty()) return chosen;
    SelectedBandFiles[static_cast<size_t>(slot)] = chosen;
    edit->setText(QString::fromStdString(ExtractFileName(chosen)));
    if (setDirectory) MoveSceneFolder(ExtractFilePath(chosen));
    return chosen;
}

void TDisProcessForm::RunBand(const std::function<void()>& run, bool savesRecord) {
    if (Running()) return;
    OperationScope scope;
    if (!scope.Acquired()) return;
    ++RunDepth;
    Guarded([&run, savesRecord] {
        // The scene is installed: its DIS is the one the run records into.
        const THeaderPages& h = HeaderPages;
        const bool records = savesRecord && DISLoaded && !h.DISFolder.empty();
        const TRecordedRun recorded(records ? h.DISFilePath() : std::string(), h.DISStamp);
        run();
    });
    --RunDepth;
}

bool TDisProcessForm::Prerequisites(bool ready, const std::string& productName) {
    return !RefuseFolderInName(productName) && Prerequisites(ready);
}

bool TDisProcessForm::Prerequisites(bool ready) {
    if (DISLoaded && ready) return true;
    ShowMessageNumber(NotReadyMessage);
    return false;
}

void TDisProcessForm::DISLog(const std::vector<std::string>& lines, bool save) {
    auto& memo = HeaderPages.DISProcessMemo;
    memo.insert(memo.end(), lines.begin(), lines.end());
    if (save) HeaderPages.DISSaveIt();
    HeaderPagesChanged();
}

namespace {

// One conversion of a box's text; the file-data error box names a text that is not a number.
template <typename T, typename Convert>
bool Converted(const QString& text, T& value, Convert convert) {
    const std::string s = text.toStdString();
    int code = 0;
    value = convert(s, code);
    if (code == 0) return true;
    ShowFileDataError(s, code);
    return false;
}

} // namespace

bool TDisProcessForm::NumberOf(const QString& text, double& value) {
    return Converted(text, value, [](const std::string& s, int& code) { return ValReal(s, code); });
}

bool TDisProcessForm::WholeNumberOf(const QString& text, int64_t& value) {
    return Converted(text, value, [](const std::string& s, int& code) { return ValInt(s, code); });
}

void TDisProcessForm::FormClose() {
    for (const auto& f : CloseHandlers)
        f();
    TToolWindow::FormClose();
}

void TDisProcessForm::closeEvent(QCloseEvent* event) {
    if (Running()) {
        event->ignore();
        return;
    }
    TToolWindow::closeEvent(event);
}

void InstallBandWindowHooks() {
    Hooks.SetBandGauge = [](int percent) {
        if (DisProcessForm) DisProcessForm->RadarGauge->setValue(percent);
    };
    Hooks.SetBandHints = [](const std::string& text) {
        if (DisProcessForm) DisProcessForm->IM_Hints->setText(QString::fromStdString(text));
    };
}
