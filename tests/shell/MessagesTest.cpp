#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

namespace {

class Messages : public ::testing::Test {
  protected:
    void SetUp() override {
        MessageX = MessageY = 123;
        ErrorBeepOption = ErrorSpokenOption = false;
    }
    RecordingHooks Rec;
};

TEST_F(Messages, RangeChoosesTheDialogKindAndNumbersOutsideShowNothing) {
    using K = MsgKind;
    const std::pair<int, MsgKind> cases[] = {{10, K::Information},     {9999, K::Information},
                                             {10001, K::Confirmation}, {19999, K::Confirmation},
                                             {20000, K::Warning},      {29999, K::Warning},
                                             {30000, K::Error},        {40000, K::Error}};
    for (auto [number, kind] : cases) {
        Rec.Clear();
        ShowMessageNumber(number);
        ASSERT_EQ(Rec.Messages.size(), 1u) << number;
        EXPECT_EQ(Rec.Messages[0].Kind, kind) << number;
        EXPECT_EQ(Rec.Messages[0].X, 123);
        EXPECT_EQ(Rec.Messages[0].Y, 123);
    }
    Rec.Clear();
    for (int n : {0, -1, 40001, 99999})
        ShowMessageNumber(n);
    EXPECT_TRUE(Rec.Messages.empty());
}

TEST_F(Messages, ErrorExtrasFollowTheOptions) {
    ShowMessageNumber(40000);
    EXPECT_TRUE(Rec.Beeps.empty());
    EXPECT_TRUE(Rec.Sounds.empty());
    ErrorBeepOption = ErrorSpokenOption = true;
    ShowMessageNumber(40000);
    EXPECT_EQ(Rec.Beeps, (std::vector<std::pair<int, int>>{{10000, 1000}}));
    ASSERT_EQ(Rec.Sounds.size(), 1u);
    EXPECT_NE(Rec.Sounds[0].find("ERRORV.WAV"), std::string::npos);
    ShowMessageNumber(10); // information: no extras
    EXPECT_EQ(Rec.Beeps.size(), 1u);
    Rec.SoundBound = false;
    ShowMessageNumber(39982); // unbound sound: silence, the dialog still shows
    EXPECT_TRUE(Rec.Shown(39982));
}

TEST_F(Messages, FileDataErrorHasThreeLines) {
    ShowFileDataError("kern.RL3", 0);
    EXPECT_TRUE(Rec.Messages.empty());
    ErrorBeepOption = true;
    ShowFileDataError("kern.RL3", 3);
    ASSERT_EQ(Rec.Messages.size(), 1u);
    EXPECT_EQ(Rec.Messages[0].Kind, MsgKind::Error);
    EXPECT_EQ(Rec.Messages[0].Text, "Error in File data Number: \r\n3\r\nkern.RL3");
    EXPECT_TRUE(Rec.Beeps.empty());
}

} // namespace
