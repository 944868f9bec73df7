#include "classify/vAccuracyReport.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string Golden = std::string(VORN_SOURCE_DIR) + "/tests/data/accuracy.rcm";
const std::string GoldenText = "Class 1\tWater\nA {b} c:\\d \xE9\n";

TEST(AccuracyReport, WritesTheHandWrittenDocumentAndReadsItBack) {
    std::string file;
    ASSERT_TRUE(ReadWholeFile(Golden, file));
    EXPECT_EQ(RtfFromText(GoldenText), file);
    EXPECT_EQ(LoadAccuracyReport(Golden), GoldenText);

    const std::string path = testing::TempDir() + "round.rcm";
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += static_cast<char>(c);
    SaveAccuracyReport(path, every);
    EXPECT_EQ(LoadAccuracyReport(path), every);
    std::filesystem::remove(path);
}

TEST(AccuracyReport, ReadsWhatARichTextBoxWouldAccept) {
    const struct {
        const char* Rtf;
        const char* Text;
    } cases[] = {
        {"plain words\r\nstay", "plain words\r\nstay"},
        {"{\\rtf1 a\\line b\\par}", "a\nb\n"},
        {"{\\rtf1{\\colortbl;\\red0\\green0\\blue0;}{\\*\\generator x;}{\\info{\\title t}}ok}",
         "ok"},
        {"{\\rtf1\\b bold\\b0  {\\i it}}", "bold it"},
        {"{\\rtf1\\uc1\\u233?\\u-3856?\\u8364 ?x}", "\xE9??x"},
        {"{\\rtf1\\uc0\\u65 B}", "AB"},
        {"{\\rtf1 cut\\'e", "cut"},
        {"{\\rtf1 cut\\", "cut"},
        {"{\\rtf1 open {group", "open group"},
        {"{\\rtf1 a}} after", "a"},
        {"{\\rtf1 \\~\\'zz!}", "\xA0zz!"},
        {"{\\rtf1\\fs99999999999999 big}", "big"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextFromRtf(c.Rtf), c.Text) << c.Rtf;
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
