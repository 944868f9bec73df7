// The program block: the application, the twelve windows that live for the whole run, created in
// this order (the main window first: it is the application's main window and owns the others),
// then the event loop until the main window closes.
#include "bandproc/ui/vDisProFrm.h"
#include "histogram/ui/vHistogram.h"
#include "histogram/ui/vLProfile.h"
#include "histogram/ui/vLinear.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "platform/PlAutostart.h"
#include "projections/ui/kovMemoFrm.h"
#include "shell/ui/vApplication.h"
#include "shell/ui/vMacro.h"
#include "shell/ui/vMagniForm.h"
#include "shell/ui/vREIV.h"
#include "shell/ui/vVCScreen.h"
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    VornApplication app(argc, argv);
    QApplication::setApplicationName("VORN");
    // The main window's close ends the run, whatever tool windows are still open.
    QApplication::setQuitOnLastWindowClosed(false);
    // The entry left when the last desktop session ended has done its work.
    RemoveAutostartEntry();

    TVORNForm form;
    InstallGuiHooks(&form);
    // The bytes the system gave: the application's own list of arguments is text, and a name
    // that is not UTF-8 would no longer name its file.
    form.FormCreate(std::vector<std::string>(argv + 1, argv + argc));
    MagniForm = new TMagniForm(&form);
    ViewCursorScreen = new TViewCursorScreen(&form);
    PBands = new TPBands(&form);
    MacroForm = new TMacroForm(&form);
    kovMemoForm = new TkovMemoForm(&form);
    HistogramForm = new THistogramForm(&form);
    DisProcessForm = new TDisProcessForm(&form);
    PBandHdrForm = new TPBandHdrForm(&form);
    LineProfileForm = new TLineProfileForm(&form);
    LinearForm = new TLinearForm(&form);
    REIVForm = new TREIVForm(&form);
    return TVORNForm::RunMessageLoop(form);
}
