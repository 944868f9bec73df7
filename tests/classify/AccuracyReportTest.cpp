#include "classify/vAccuracyReport.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string Golden = TestData("accuracy.rcm");
const std::string GoldenText = "Class 1\tWater\nA {b} c:\\d \xE9";

TEST(AccuracyReport, WritesTheHandWrittenDocumentAndReadsItBack) {
    std::string file = FileText(Golden);
    EXPECT_EQ(DocumentFromReport(GoldenText), file);
    EXPECT_EQ(LoadAccuracyReport(Golden), GoldenText);

    const std::string path = testing::TempDir() + "round.rcm";
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += static_cast<char>(c);
    SaveAccuracyReport(path, every);
    EXPECT_EQ(LoadAccuracyReport(path), every);
    std::filesystem::remove(path);
}

TEST(AccuracyReport, LinesAreKeptWhateverTheirBytes) {
    const struct {
        const char* Document;
        const char* Text;
    } cases[] = {
        {"plain words\r\nstay", "plain words\nstay"},
        {"{\\rtf1 a\\par b\\par}", "a\nb"},
        {"{\\rtf1 a\\par\\par b\\par}", "a\n\nb"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportFromDocument(c.Document), c.Text) << c.Document;
    for (const char* text : {"", "one", "a\n\nb", "tab\there\r{}\\"})
        EXPECT_EQ(ReportFromDocument(DocumentFromReport(text)), text) << text;
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
    EXPECT_THROW(SaveAccuracyReport(dir, "text"), ERunError);
    EXPECT_FALSE(FileExists(dir));
}

} // namespace
