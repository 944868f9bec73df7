// The main window's menus and tool bar, built from one table each, and the commands behind
// them that show windows or switch settings. Check marks are the handlers' to set: a click only
// runs the handler, which sees the mark as it was.
#include "algebra/ui/vFEditor.h"
#include "algebra/ui/vPixelAlgebra.h"
#include "classify/ui/vClassifier.h"
#include "classify/vClassifiers.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLinear.h"
#include "import/ui/vPBands.h"
#include "shell/ui/vAbout.h"
#include "shell/ui/vApplication.h"
#include "shell/ui/vImageView.h"
#include "shell/ui/vInfo.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vPrOptions.h"
#include "shell/ui/vPrinting.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vScreenPlace.h"
#include "shell/ui/vUEnabler.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"
#include "shell/vMacroCodes.h"
#include "shell/vPictureFiles.h"
#include "shell/vToolForms.h"
#include "shell/vToolModes.h"

#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QToolBar>

namespace {

using Handler = void (TVORNForm::*)();
using Item = QAction* TVORNForm::*;
using Menu = QMenu* TVORNForm::*;

// One line of a menu: a command, a submenu (Item null) or a separator (both null).
struct MenuLine {
    Item Action;
    Menu Submenu;
    const char* Name;
    const char* Caption;
    const char* Hint;
    const char* Shortcut;
    Handler Click;
    bool Checked;
};

constexpr MenuLine Separator{nullptr, nullptr, "", "", nullptr, nullptr, nullptr, false};

MenuLine Command(Item item, const char* name, const char* caption, Handler click,
                 const char* hint = nullptr, const char* shortcut = nullptr) {
    return {item, nullptr, name, caption, hint, shortcut, click, false};
}
MenuLine Checked(Item item, const char* name, const char* caption, Handler click,
                 const char* hint = nullptr) {
    return {item, nullptr, name, caption, hint, nullptr, click, true};
}
MenuLine Submenu(Menu menu) {
    return {nullptr, menu, "", "", nullptr, nullptr, nullptr, false};
}

struct MenuDef {
    Menu Target;
    const char* Name;
    const char* Caption;
    std::vector<MenuLine> Lines;
};

const std::vector<MenuDef>& MenuTable() {
    using T = TVORNForm;
    static const std::vector<MenuDef> table = {
        {&T::VornMenu,
         "VornMenu",
         "&VORN",
         {Command(&T::F_Open, "F_Open", "&Open...", &T::F_OpenClick, "Open image file", "Ctrl+O"),
          Command(&T::PreprocessPngs1, "PreprocessPngs1", "P&reprocess Bmp or Png...",
                  &T::PreprocessPngs1Click),
          Command(&T::F_ImageManager, "F_ImageManager", "&Import Satelite Image...",
                  &T::F_ImageManagerClick),
          Separator,
          Command(&T::F_Save, "F_Save", "&Save", &T::F_SaveClick, "Save displayed image into file",
                  "Ctrl+S"),
          Command(&T::SaveNumbered1, "SaveNumbered1", "Save as &Filena##", &T::SaveNumbered1Click),
          Command(&T::F__Saveas, "F__Saveas", "Save &As...", &T::F__SaveasClick),
          Submenu(&T::ExportAsMenu), Separator,
          Command(&T::F_Print, "F_Print", "&Print...", &T::F_PrintClick,
                  "Print the displayed image", "Ctrl+P"),
          Separator, Command(&T::F_Exit, "F_Exit", "E&xit", &T::F_ExitClick, "Exit this program")}},
        {&T::ExportAsMenu,
         "ExportAsMenu",
         "&Export as",
         {Command(&T::FS_BMP, "FS_BMP", "B&MP...", &T::FS_BMPClick),
          Command(&T::FS_JPG, "FS_JPG", "JP&G...", &T::FS_JPGClick)}},
        {&T::InvestigateMenu,
         "InvestigateMenu",
         "&Investigate",
         {Checked(&T::IZ_ZoomWindow, "IZ_ZoomWindow", "&Zoom Window...", &T::IZ_ZoomWindowClick,
                  "Display Zoom window for image area display"),
          Checked(&T::IV_PixelValues, "IV_PixelValues", "Pixel &Values...", &T::IV_PixelValuesClick,
                  "View Pixel values"),
          Submenu(&T::ScreensMenu), Separator,
          Command(&T::PngInfo1, "PngInfo1", "&Png Image Info...", &T::PngInfo1Click),
          Command(&T::I_SystemInfo, "I_SystemInfo", "System &Info...", &T::I_SystemInfoClick),
          Command(&T::EO__Options, "EO__Options", "Program &Options...", &T::EO__OptionsClick),
          Separator,
          Command(&T::I_Undo, "I_Undo", "&Undo", &T::I_UndoClick, "Undo Last Image Operation"),
          Checked(&T::LogtoDIP, "LogtoDIP", "Log actions: &DIP", &T::LogtoDIPClick)}},
        {&T::ScreensMenu,
         "ScreensMenu",
         "&Screens",
         {Checked(&T::IV_CMYScreen, "IV_CMYScreen", "&View CMY Screens", &T::IV_CMYScreenClick),
          Checked(&T::IV_RGBScreen, "IV_RGBScreen", "View BGR &Screens", &T::IV_RGBScreenClick),
          Separator,
          Command(&T::IV_onlyBlue, "IV_onlyBlue", "Change to only &Blue", &T::IV_onlyBlueClick),
          Command(&T::IV_onlyGreen, "IV_onlyGreen", "Change to only &Green", &T::IV_onlyGreenClick),
          Command(&T::IV_onlyRed, "IV_onlyRed", "Change to only &Red", &T::IV_onlyRedClick)}},
        {&T::ClassifyMenu,
         "ClassifyMenu",
         "&Classify",
         {Command(&T::IH__Histogram, "IH__Histogram", "&Histogram...", &T::IH__HistogramClick,
                  "Display Histogram"),
          Command(&T::IL__Linear, "IL__Linear", "&Linear...", &T::IL__LinearClick, "Linear"),
          Command(&T::IP__PixelAlgebra, "IP__PixelAlgebra", "&Pixel Algebra...",
                  &T::IP__PixelAlgebraClick, "Pixel Algebra"),
          Command(&T::IS__SpatialMatrix, "IS__SpatialMatrix", "&Spatial Matrix...",
                  &T::IS__SpatialMatrixClick, "Spatial Matrix"),
          Command(&T::IF__FFT, "IF__FFT", "Fast Fourier Transform...", &T::IF__FFTClick),
          Command(&T::IU__Classification, "IU__Classification", "&Classification...",
                  &T::IU__ClassificationClick, "Classification")}},
        {&T::ExtrapolateMenu,
         "ExtrapolateMenu",
         "&Extrapolate",
         {Command(&T::X_Macro, "X_Macro", "&Macro...", &T::X_MacroClick, "Macro"), Separator,
          Command(&T::X_LabelObjects, "X_LabelObjects", "&Labels...", &T::X_LabelObjectsClick,
                  "Labels: Text annotation"),
          Command(&T::X_ObjectorMM, "X_ObjectorMM", "&Object MM...", &T::X_ObjectorMMClick,
                  "Label Objects MM")}},
    };
    return table;
}

// The tool bar, in its order; the progress gauge sits where Action is null.
struct ToolButton {
    Item Action;
    const char* Name;
    const char* Text;
    const char* Hint;
    Handler Click;
};

const ToolButton ToolButtons[] = {
    {&TVORNForm::ToolButton1, "ToolButton1", "Open", "Open image file", &TVORNForm::F_OpenClick},
    {&TVORNForm::SaveButton, "SaveButton", "Save", "Save displayed image into file",
     &TVORNForm::F_SaveClick},
    {&TVORNForm::PrintButton, "PrintButton", "Print", "Print the displayed image",
     &TVORNForm::F_PrintClick},
    {&TVORNForm::FlyByButton, "FlyByButton", "Zoom", "Display Zoom window for image area display",
     &TVORNForm::IZ_ZoomWindowClick},
    {&TVORNForm::ViewPixelsBtn, "ViewPixelsBtn", "Pixels", "View Pixel values",
     &TVORNForm::IV_PixelValuesClick},
    {nullptr, "Gauge1", "", "Process Completion", nullptr},
    {&TVORNForm::UndoBtn, "UndoBtn", "Undo", "Undo Last Image Operation", &TVORNForm::I_UndoClick},
    {&TVORNForm::HistogramBtn, "HistogramBtn", "Histogram", "Display Histogram",
     &TVORNForm::IH__HistogramClick},
    {&TVORNForm::LinearBtn, "LinearBtn", "Linear", "Linear", &TVORNForm::IL__LinearClick},
    {&TVORNForm::PixelAlgebraButton, "PixelAlgebraButton", "Algebra", "Pixel Algebra",
     &TVORNForm::IP__PixelAlgebraClick},
    {&TVORNForm::FilterEditorBtn, "FilterEditorBtn", "Matrix", "Spatial Matrix",
     &TVORNForm::IS__SpatialMatrixClick},
    {&TVORNForm::ClassificationBtn, "ClassificationBtn", "Classify", "Classification",
     &TVORNForm::IU__ClassificationClick},
    {&TVORNForm::MacroBtn, "MacroBtn", "Macro", "Macro", &TVORNForm::X_MacroClick},
    {&TVORNForm::LabelBtn, "LabelBtn", "Labels", "Labels: Text annotation",
     &TVORNForm::X_LabelObjectsClick},
    {&TVORNForm::LabelObjectsBtn, "LabelObjectsBtn", "Objects", "Label Objects MM",
     &TVORNForm::X_ObjectorMMClick},
    {&TVORNForm::AboutBtn, "AboutBtn", "About", "About VORN", &TVORNForm::AboutBtnClick},
    {&TVORNForm::HelpBtn, "HelpBtn", "Help", "Display Help system for this program",
     &TVORNForm::HelpBtnClick},
    {&TVORNForm::ExitBtn, "ExitBtn", "Exit", "Exit this program", &TVORNForm::F_ExitClick},
};

void PlainMessage(const std::string& text) {
    HookShowMessage(MsgKind::Information, text, MessageX, MessageY);
}

} // namespace

void TVORNForm::CreateMenus() {
    // A checkable item's click has already flipped its mark; the mark goes back so the handler
    // decides it, as the mode flags do.
    auto wire = [this](QAction* action, Handler click) {
        connect(action, &QAction::triggered, this, [this, action, click] {
            if (action->isCheckable()) {
                const QSignalBlocker block(action);
                action->setChecked(!action->isChecked());
            }
            // Help only opens a page: it is heard while an operation runs.
            if (click == &TVORNForm::HelpBtnClick)
                RunGuardedMidRun([&] { (this->*click)(); });
            else
                Guarded([&] { (this->*click)(); });
        });
    };
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    for (const MenuDef& menuDef : MenuTable()) {
        // A submenu was made by its line in the menu above it.
        QMenu*& menu = this->*menuDef.Target;
        if (!menu) menu = MainMenu1->addMenu(QString());
        menu->setTitle(menuDef.Caption);
        menu->setObjectName(menuDef.Name);
        menu->menuAction()->setObjectName(menuDef.Name);
        for (const MenuLine& line : menuDef.Lines) {
            if (line.Submenu) {
                this->*line.Submenu = menu->addMenu(QString());
            } else if (!line.Action) {
                menu->addSeparator();
            } else {
                QAction*& action = this->*line.Action;
                if (!action) action = new QAction(this);
                action->setObjectName(line.Name);
                action->setText(line.Caption);
                action->setCheckable(line.Checked);
                if (line.Hint) action->setStatusTip(line.Hint);
                if (line.Shortcut) action->setShortcut(QKeySequence(line.Shortcut));
                menu->addAction(action);
                wire(action, line.Click);
            }
        }
    }
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolButton& button : ToolButtons) {
        if (!button.Action) {
            Gauge1->setToolTip(button.Hint);
            Gauge1->setStatusTip(button.Hint);
            ToolBar1->addWidget(Gauge1);
            continue;
        }
        QAction*& action = this->*button.Action;
        if (!action) action = new QAction(this);
        action->setObjectName(button.Name);
        action->setText(button.Text);
        action->setToolTip(button.Hint);
        action->setStatusTip(button.Hint);
        ToolBar1->addAction(action);
        wire(action, button.Click);
        // Help only opens a page: its button is heard while an operation runs.
        if (button.Click == &TVORNForm::HelpBtnClick)
            HeardMidRun(ToolBar1->widgetForAction(action));
    }
}

void TVORNForm::ShowLongLived(QWidget* window) {
    if (window) BringForward(*window);
}

void TVORNForm::Show() {
    ShowLongLived(this);
}

void TVORNForm::PreprocessPngs1Click() {
    ShowLongLived(REIVForm);
}

void TVORNForm::F_ImageManagerClick() {
    ShowLongLived(PBands);
}

QPrinter& TVORNForm::PrinterDevice() {
    return UsablePrinter(Printer);
}

void TVORNForm::F_PrintClick() {
    if (ChoosePrinterSettings(PrinterDevice(), this, "PrinterSetupDialog1"))
        ShowToolForm(tfPrintersize);
}

void TVORNForm::IZ_ZoomWindowClick() {
    if (IZ_ZoomWindow->isChecked()) {
        EndZoomMode();
    } else if (!DisplayedPicture.Empty()) {
        ArmToolMode(ZoomMode, [] {
            if (VORNForm) VORNForm->EndZoomMode();
        });
        Image1->setCursor(Qt::CrossCursor);
        ShowLongLived(MagniForm);
        IZ_ZoomWindow->setChecked(true);
    }
}

void TVORNForm::EndZoomMode() {
    IZ_ZoomWindow->setChecked(false);
    ZoomMode = false;
    if (MagniForm) MagniForm->hide();
    Image1->unsetCursor();
}

void TVORNForm::IV_PixelValuesClick() {
    if (IV_PixelValues->isChecked()) {
        IV_PixelValuesUnClick();
    } else if (!DisplayedPicture.Empty()) {
        ArmToolMode(PixelValuesMode, [] {
            if (VORNForm) VORNForm->IV_PixelValuesUnClick();
        });
        IV_PixelValues->setChecked(true);
    }
}

void TVORNForm::IV_PixelValuesUnClick() {
    IV_PixelValues->setChecked(false);
    PixelValuesMode = false;
    PixelBoxDragging = false;
    Image1->unsetCursor();
    Image1->update();
}

void TVORNForm::PngInfo1Click() {
    // The view holds a PNG picture when the picture came from, or was last saved as, a PNG.
    if (!DisplayedPicture.Empty() && PictureKindOf(CurrentImageName) == PictureFileKind::Png) {
        if (auto* info = qobject_cast<TFrInfo*>(ToolForm(tfInfo))) info->FillChunkList();
        ShowToolForm(tfInfo);
    } else
        ShowMessageNumber(25);
}

void TVORNForm::I_SystemInfoClick() {
    ShowToolForm(tfSystemInfo);
}

void TVORNForm::EO__OptionsClick() {
    TOptionsForm options(this);
    options.exec();
    // The class colours are the options' own: a reset or a colour chosen there is what the
    // classes are painted in, by a played run too, and what the classification window shows.
    ClassPaintColorsFromOptions();
    if (ClassificationForm) ClassificationForm->ColorResetPanels();
}

void TVORNForm::I_UndoClick() {
    OperationScope scope;
    if (!scope.Acquired()) return;
    ReleaseUndoCopy();
    UndoImage();
    RecordCommand(MacroCommandLine(1), {});
}

void TVORNForm::LogtoDIPClick() {
    LogtoDIP->setChecked(!LogtoDIP->isChecked());
    LogToDIP = LogtoDIP->isChecked();
}

void TVORNForm::IH__HistogramClick() {
    ShowLongLived(HistogramForm);
}

void TVORNForm::IL__LinearClick() {
    ShowLongLived(LinearForm);
}

void TVORNForm::IP__PixelAlgebraClick() {
    ShowToolForm(tfPixelAlgebra);
}

void TVORNForm::IS__SpatialMatrixClick() {
    ShowToolForm(tfFEdit);
}

void TVORNForm::IF__FFTClick() {
    PlainMessage("The Fast Fourier Transform of a picture is done with an outside image tool.");
}

void TVORNForm::IU__ClassificationClick() {
    ShowToolForm(tfClassification);
}

void TVORNForm::X_MacroClick() {
    ShowLongLived(MacroForm);
}

void TVORNForm::X_LabelObjectsClick() {
    ShowToolForm(tfLabelObjects);
}

void TVORNForm::X_ObjectorMMClick() {
    ShowToolForm(tfObjectMark);
}

void TVORNForm::AboutBtnClick() {
    TAboutVorn about(this);
    about.exec();
}

void TVORNForm::HelpBtnClick() {
    ShowHelpContext(0);
}
