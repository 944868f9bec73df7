// The projection tools on the import window's pages and the import button's dispatch, driven
// through the controls.
#include "import/HeaderFixture.h"
#include "import/ui/vLLCropPage.h"
#include "import/ui/vPBHdr.h"
#include "import/ui/vPBands.h"
#include "projections/kovStatePlane.h"
#include "shell/vToolModes.h"
#include "support/GuiStartup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <filesystem>

namespace {

using F = DIHField;

class MapProjPageGui : public GuiStartup {
  protected:
    void SetUp() override {
        GuiStartup::SetUp();
        HeaderPages = THeaderPages();
        DIHRecord = TDIHRecord();
        ImageDirectory = Dir.Path();
        Window = std::make_unique<TPBands>();
        Window->show();
    }
    void TearDown() override {
        Window.reset();
        RegistrationMode = false;
        StatePlaneFileDirectory.clear();
        GuiStartup::TearDown();
    }
    QString Text(F f) { return qobject_cast<QLineEdit*>(Window->DIHControl(f))->text(); }
    std::unique_ptr<TPBands> Window;
};

TEST_F(MapProjPageGui, TransformButtonPutsOlindaCornersInUtm25South) {
    THeaderPages& p = HeaderPages;
    p.SetItemIndex(F::ProjectionCBOut, 1);
    p.SetItemIndex(F::UnitCBOut, 2);
    p.SetItemIndex(F::UtmZoneCBOut, 24);
    p.SetItemIndex(F::SpheroidCBOut, 8);
    p.SetChecked(F::IgnoreDatumCB, true);
    p[F::ULLongitudeEdit] = "-34.9161666666667"; // 34 54 58.20 W
    p[F::ULLatitudeEdit] = "-7.94982222222222";  //  7 56 59.36 S
    // The other corners of the scene: left at 0, 0 they lie 33 degrees from the zone, where no
    // place is given, and the box is transformed only whole.
    for (F f : {F::URLongitudeEdit, F::LRLongitudeEdit})
        p[f] = "-34.8";
    p[F::URLatitudeEdit] = "-7.94982222222222";
    p[F::LLLongitudeEdit] = "-34.9161666666667";
    for (F f : {F::LLLatitudeEdit, F::LRLatitudeEdit})
        p[f] = "-8.1";
    Window->ShowHeaderPages();
    Window->DIHTransformBtn->click();
    EXPECT_NEAR(Text(F::ULLongitudeEdit).toDouble(), 288776.25, 1.0) << Rec->Summary();
    EXPECT_NEAR(Text(F::ULLatitudeEdit).toDouble(), 9120760.75, 1.0);
    EXPECT_EQ(p[F::CoordinatesValidCBox], "true");
}

// A NAD27 State Plane scene counting in its zone's units, chosen as the seventh unit item: the
// corners go to Tennessee feet, and the choice is saved and read back with the DIH.
TEST_F(MapProjPageGui, StatePlaneZoneUnitsAreChosenTransformedSavedAndLoaded) {
    StatePlaneFileDirectory = TestData("projections/");
    LastStatePlaneZone = 0;
    THeaderPages& p = HeaderPages;
    p.SetItemIndex(F::ProjectionCBOut, 2);
    p[F::StatePlaneZoneEditOut] = "4100";
    p.SetChecked(F::IgnoreDatumCB, true);
    p[F::RIHHeaderFileEdit] = "tennessee.dih";
    const char* degrees[8] = {"-86.25", "35.75", "-85.75", "35.75",
                              "-86.25", "35.5",  "-85.75", "35.5"};
    const F corners[8] = {F::ULLongitudeEdit, F::ULLatitudeEdit,  F::URLongitudeEdit,
                          F::URLatitudeEdit,  F::LLLongitudeEdit, F::LLLatitudeEdit,
                          F::LRLongitudeEdit, F::LRLatitudeEdit};
    for (size_t k = 0; k < 8; ++k)
        p[corners[k]] = degrees[k];
    Window->ShowHeaderPages();
    auto* units = qobject_cast<QComboBox*>(Window->DIHControl(F::UnitCBOut));
    ASSERT_EQ(units->count(), 7);
    EXPECT_EQ(units->itemText(6), "state zone table units");
    units->setCurrentIndex(6);
    emit units->activated(6);
    EXPECT_EQ(p[F::UnitCBOut], "6");

    Window->DIHTransformBtn->click();
    // US survey feet of NAD27 / Tennessee, as PROJ gives them.
    const double feet[8] = {1925816.3657, 494415.6072, 2074183.6343, 494415.6072,
                            1925583.9165, 403418.4841, 2074416.0835, 403418.4841};
    for (size_t k = 0; k < 8; ++k)
        EXPECT_NEAR(Text(corners[k]).toDouble(), feet[k], 0.01) << k << Rec->Summary();
    EXPECT_EQ(p[F::CoordinatesValidCBox], "true");

    // The page holds no file: the user names it.
    Rec->FileAnswers.push_back(Dir.File("tennessee.dih"));
    Window->RIHSaveBtn->click();
    EXPECT_EQ(FileLines(Dir.File("tennessee.dih")).at(192), "6");
    HeaderPages = THeaderPages();
    Window->ShowHeaderPages();
    EXPECT_EQ(units->currentIndex(), 0);
    Rec->FileAnswers.push_back(Dir.File("tennessee.dih"));
    Window->RIHOpenBtn->click();
    EXPECT_EQ(units->currentText(), "state zone table units") << Rec->Summary();
    EXPECT_EQ(DIHRecord.TargetUnit, 6);
}

TEST_F(MapProjPageGui, DMSButtonsConvertOrReport) {
    const struct {
        QLineEdit* Edit;
        QPushButton* Button;
    } pairs[] = {{Window->RIHDMStoDDEdit, Window->RIHDMStoDDBtn},
                 {Window->DIHConvertDMSEdit, Window->DIHConvertDMSBtn}};
    for (const auto& pair : pairs) {
        pair.Edit->setText("S06 56 30");
        pair.Button->click();
        EXPECT_EQ(pair.Edit->text(), "-6.94166666666667");
        Rec->Clear();
        pair.Edit->setText("N4x 56 30");
        pair.Button->click();
        EXPECT_EQ(pair.Edit->text(), "N4x 56 30");
        ASSERT_EQ(Rec->Messages.size(), 1u);
        EXPECT_EQ(Rec->Messages[0].Text.rfind("Error in File data Number: ", 0), 0u);
    }
}

TEST_F(MapProjPageGui, ProcessHeaderListsHintsAndRefreshesTheRecord) {
    HeaderPages.SetItemIndex(F::ProjectionCBOut, 17);
    HeaderPages[F::CentMerEdit] = "33000000";
    Window->ShowHeaderPages();
    Window->Precheck2Btn->click();
    EXPECT_EQ(Window->ProjPHintsMemo->toPlainText(),
              "Requires Sphere\nRequires Central Meridian (Longitude)\nRequires True Scale\n"
              "Requires X Shift (False Easting)\nRequires Y Shift (False Northing)");
    EXPECT_TRUE(Rec->Shown(200)) << Rec->Summary();
    EXPECT_EQ(DIHRecord.TargetProjection, 17);
    EXPECT_EQ(DIHRecord.ProjectionParameters[9], 33000000.0);
}

TEST_F(MapProjPageGui, RegistrationStartsAndIsAccepted) {
    Window->StartRegBtn->click();
    EXPECT_TRUE(RegistrationMode);
    Window->DIHAcceptBtn->click();
    EXPECT_FALSE(RegistrationMode);
}

TEST_F(MapProjPageGui, ImportedDDRShowsInThePageAndTheViewer) {
    const std::string path = Dir.File("scene.ddr");
    std::filesystem::copy_file(GoldenHeader("foreign/scene.ddr"), path);
    Rec->FileAnswers.push_back(path);
    Window->RIHOpenBtn->click();
    EXPECT_EQ(Text(F::RIHSceneTitle), "Olinda subset") << Rec->Summary();
    EXPECT_EQ(Text(F::RIHHeaderFileEdit), "scene.dih");
    EXPECT_TRUE(FileExists(Dir.File("scene.dih")));
    ASSERT_TRUE(PBandHdrForm);
    EXPECT_TRUE(PBandHdrForm->DDRIDXMemo->toPlainText().startsWith("DDR [Olinda subset]"));
}

// A crop the LL page refuses leaves the page's map corners as they were: no DIH chosen, and a
// scene that is not projected.
TEST_F(MapProjPageGui, RefusedLLCropKeepsTheMapCorners) {
    TLLCropPage& page = *Window->LLCropPage;
    const struct {
        const char* name;
        bool disLoaded;
        std::string message;
    } table[] = {
        {"nothing chosen", false, "Variables blank, files invalid, or page turned"},
        {"not projected", true, "DIH->DIS LL Projection Error"},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        DISLoaded = c.disLoaded;
        page.DIHSubsetFileEdit->setText("scene.dih");
        page.DIHSubsetDISEdit->setText("cut.dis");
        for (size_t i = 0; i < 8; ++i)
            page.DDLLEdits[i]->setText(QString::number(1000.5 * double(i + 1)));
        Rec->Messages.clear();
        page.DIHSubsetSliceBtn->click();
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ(page.DDLLEdits[i]->text(), QString::number(1000.5 * double(i + 1))) << i;
        ASSERT_FALSE(Rec->Messages.empty());
        EXPECT_EQ(Rec->Messages.back().Text, c.message);
    }
}

} // namespace
