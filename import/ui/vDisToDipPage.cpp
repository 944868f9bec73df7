#include "import/ui/vDisToDipPage.h"

#include "import/ui/vHeaderBinder.h"
#include "import/ui/vPBands.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

// In `folder`; in the working folder while there is none.
std::string ChooseOpen(const char* filter, const std::string& folder) {
    FileDialogRequest request;
    request.Filter = filter;
    request.OpenIn(ImageDirectory);
    if (!folder.empty()) request.InitialDir = folder;
    return HookChooseFile(request);
}

QPushButton* PageButton(QWidget* page, const char* name, const char* caption,
                        const char* hint = "") {
    auto* b = new QPushButton(caption, page);
    b->setObjectName(name);
    const QStringList parts = QString(hint).split('|');
    b->setToolTip(parts.value(0));
    b->setStatusTip(parts.value(parts.size() - 1));
    return b;
}

} // namespace

TDisToDipPage::TDisToDipPage(TPBands* window) : QObject(window), Window(window) {
    setObjectName("DisToDipPage");
    QWidget* page = Window->DISToDIPPage;
    auto* grid = static_cast<QGridLayout*>(page->layout());
    PBandHdrBtn = PageButton(page, "PBandHdrBtn", "1. Select DIS");
    PBandFileBtn1 = PageButton(page, "PBandFileBtn1", "2. Red Band");
    PBandFileBtn2 = PageButton(page, "PBandFileBtn2", "2. Green Band");
    PBandFileBtn3 = PageButton(page, "PBandFileBtn3", "2. Blue Band");
    PBOKBtn = PageButton(page, "PBOKBtn", "4. Press Button",
                         "All Done?|Press to collate bands into RGB Image");
    // Beside the edits they fill: the header's row, the three band rows and the picture name's.
    const std::pair<QPushButton*, void (TDisToDipPage::*)()> buttons[] = {
        {PBandHdrBtn, &TDisToDipPage::PBandHdrBtnClick},
        {PBandFileBtn1, &TDisToDipPage::PBandFileBtn1Click},
        {PBandFileBtn2, &TDisToDipPage::PBandFileBtn2Click},
        {PBandFileBtn3, &TDisToDipPage::PBandFileBtn3Click},
        {PBOKBtn, &TDisToDipPage::PBOKBtnClick}};
    int row = 0;
    for (const auto& [button, handler] : buttons) {
        grid->addWidget(button, row++, 2);
        const auto h = handler;
        connect(button, &QPushButton::clicked, this, [this, h] { Run(h); });
    }
}

void TDisToDipPage::Run(void (TDisToDipPage::*handler)()) {
    Window->Guarded([this, handler] { (this->*handler)(); });
    Window->ShowHeaderPages();
}

TDisPicturePage TDisToDipPage::Read() const {
    const TPBands& w = *Window;
    TDisPicturePage p;
    const std::pair<std::string*, QLineEdit*> edits[] = {{&p.BandHdrEdit, w.BandHdrEdit},
                                                         {&p.BandFileEdit1, w.BandFileEdit1},
                                                         {&p.BandFileEdit2, w.BandFileEdit2},
                                                         {&p.BandFileEdit3, w.BandFileEdit3},
                                                         {&p.BandFileSaveAs, w.BandFileSaveAs}};
    for (const auto& [text, edit] : edits)
        *text = Bytes(edit->text());
    return p;
}

void TDisToDipPage::Show(const TDisPicturePage& p) {
    TPBands& w = *Window;
    const std::pair<const std::string*, QLineEdit*> edits[] = {
        {&p.BandHdrEdit, w.BandHdrEdit},
        {&p.BandFileEdit1, w.BandFileEdit1},
        {&p.BandFileEdit2, w.BandFileEdit2},
        {&p.BandFileEdit3, w.BandFileEdit3},
        {&p.BandFileSaveAs, w.BandFileSaveAs},
        {&p.STEdit2, w.STEdit2},
        {&p.SCEdit3, w.SCEdit3},
        {&p.NBEdit4, w.NBEdit4},
        {&p.DISLEdit, w.DISLEdit},
        {&p.DISREdit, w.DISREdit},
        {&p.DISTEdit, w.DISTEdit},
        {&p.DISBEdit, w.DISBEdit},
        {&p.IMWEdit, w.IMWEdit},
        {&p.IMHEdit, w.IMHEdit}};
    for (const auto& [text, edit] : edits)
        edit->setText(Latin1(*text));
}

void TDisToDipPage::PBandHdrBtnClick() {
    // The folder of the last DIS chosen, which the picture's name does not take until it is built.
    const std::string chosen = ChooseOpen("DIS Header file (DIS)|*.DIS", DISPictureFolder);
    if (chosen.empty() || LowerCase(ExtractFileExt(chosen)) != ".dis") return;
    TDisPicturePage p;
    if (ChooseDISForPicture(chosen, p)) Show(p);
}

void TDisToDipPage::ChooseBand(int slot) {
    // Split so that "??)" is not read as a trigraph.
    const std::string chosen = ChooseOpen("Spectral Bands (B??, P?"
                                          "?)|*.B??;*.P??",
                                          DISPictureFolder);
    if (chosen.empty()) return;
    TDisPicturePage p = Read();
    ChooseBandForPicture(slot, chosen, p);
    QLineEdit* edits[] = {Window->BandFileEdit1, Window->BandFileEdit2, Window->BandFileEdit3};
    const std::string* names[] = {&p.BandFileEdit1, &p.BandFileEdit2, &p.BandFileEdit3};
    edits[slot]->setText(Latin1(*names[slot]));
}

void TDisToDipPage::PBOKBtnClick() {
    MakeDISPicture(Read());
}
