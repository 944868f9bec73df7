#include "classify/vAccuracyReport.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

RichRun Stretch(const char* text, const char* font, int halfPoints, bool bold, uint32_t color) {
    return {text, font, halfPoints, bold, color};
}

// What tests/data/accuracy-formatted.rcm holds, written by hand: a bold red Arial stretch after
// a plain Courier one, an empty paragraph, and the characters the writer escapes.
const AccuracyReport Formatted = {
    {Stretch("Class 1\t", "Courier New", 16, false, 0),
     Stretch("Water", "Arial", 24, true, 0x2010C8)},
    {},
    {Stretch("A {b} c:\\d \xE9", "Courier New", 16, false, 0)},
};

TEST(AccuracyReport, FormattedReportSavesAsTheHandWrittenDocumentAndLoadsBack) {
    const std::string golden = TestData("accuracy-formatted.rcm");
    EXPECT_EQ(LoadAccuracyReport(golden), Formatted);
    TempDir dir;
    SaveAccuracyReport(dir.File("back.rcm"), Formatted,
                       TReplaceLeave::Chosen(dir.File("back.rcm")));
    EXPECT_EQ(FileText(dir.File("back.rcm")), FileText(golden));

    // Every byte a line can hold survives in its own look.
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += static_cast<char>(c == '\r' || c == '\n' ? ' ' : c);
    const AccuracyReport bytes = {{Stretch(every.c_str(), "Mono", 20, true, 0xFFFFFF)}};
    SaveAccuracyReport(dir.File("every.rcm"), bytes, TReplaceLeave::Chosen(dir.File("every.rcm")));
    EXPECT_EQ(LoadAccuracyReport(dir.File("every.rcm")), bytes);
}

TEST(AccuracyReport, LooksFollowTheDocumentsGroupsAndResets) {
    const std::string head = "{\\rtf1\\deff1{\\fonttbl{\\f0 Sans;}{\\f1{\\*\\panose 0}Serif;}}"
                             "{\\colortbl;\\red255\\green0\\blue0;}";
    const struct {
        std::string Body;
        AccuracyReport Expected;
    } cases[] = {
        // The default font from the start; a group's bold ends with the group.
        {"a{\\b b}c\\par}",
         {{Stretch("a", "Serif", 24, false, 0), Stretch("b", "Serif", 24, true, 0),
           Stretch("c", "Serif", 24, false, 0)}}},
        // \plain goes back to the default font and size, without colour or weight.
        {"\\f0\\fs30\\b\\cf1 x\\plain y\\par}",
         {{Stretch("x", "Sans", 30, true, 0xFF), Stretch("y", "Serif", 24, false, 0)}}},
        // \b0 ends bold; colour 0 is the automatic colour.
        {"\\b a\\b0\\cf0 b}",
         {{Stretch("a", "Serif", 24, true, 0), Stretch("b", "Serif", 24, false, 0)}}},
        // A colour index past the table has no colour.
        {"\\cf9 z\\par}", {{Stretch("z", "Serif", 24, false, 0)}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParagraphsFromDocument(head + c.Body), c.Expected) << c.Body;
    // A file of plain text: one paragraph per line in the default look.
    EXPECT_EQ(ParagraphsFromDocument("one\r\n\r\ntwo"),
              (AccuracyReport{
                  {Stretch("one", "", 24, false, 0)}, {}, {Stretch("two", "", 24, false, 0)}}));
}

TEST(AccuracyReport, PlainReportFilesStillLoad) {
    const AccuracyReport report = LoadAccuracyReport(TestData("accuracy.rcm"));
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], (RichParagraph{Stretch("Class 1\tWater", "Courier New", 20, false, 0)}));
    EXPECT_EQ(report[1], (RichParagraph{Stretch("A {b} c:\\d \xE9", "Courier New", 20, false, 0)}));
}

TEST(AccuracyReport, FailuresAreTheRuntimeErrors) {
    const std::string missing = testing::TempDir() + "missing.rcm";
    try {
        LoadAccuracyReport(missing);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code, EInOutError::FileNotFound);
    }
    const std::string dir = testing::TempDir() + "no-such-dir/x.rcm";
    EXPECT_THROW(SaveAccuracyReport(dir, {}, TReplaceLeave::Chosen(dir)), ERunError);
    EXPECT_FALSE(FileExists(dir));
}

} // namespace
