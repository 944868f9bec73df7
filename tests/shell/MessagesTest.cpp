#include "shell/vGlobal.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

namespace {

class Messages : public ::testing::Test {
protected:
    void SetUp() override {
        MessageX = 123;
        MessageY = 123;
        ErrorBeepOption = false;
        ErrorSpokenOption = false;
    }
    RecordingHooks Rec;
};

TEST_F(Messages, RangeChoosesTheDialogKind) {
    const std::pair<int, MsgKind> cases[] = {
        {10, MsgKind::Information},  {200, MsgKind::Information}, {9999, MsgKind::Information},
        {10001, MsgKind::Confirmation}, {19999, MsgKind::Confirmation},
        {20000, MsgKind::Warning},   {29999, MsgKind::Warning},   {30000, MsgKind::Error},
        {39977, MsgKind::Error},     {40000, MsgKind::Error},
    };
    for (auto [number, kind] : cases) {
        Rec.Clear();
        ShowMessageNumber(number);
        ASSERT_EQ(Rec.Messages.size(), 1u) << number;
        EXPECT_EQ(Rec.Messages[0].Kind, kind) << number;
        EXPECT_EQ(Rec.Messages[0].X, 123);
        EXPECT_EQ(Rec.Messages[0].Y, 123);
    }
}

TEST_F(Messages, NumbersOutsideTheRangesShowNothing) {
    for (int n : {0, -1, 40001, 99999}) ShowMessageNumber(n);
    EXPECT_TRUE(Rec.Messages.empty());
}

TEST_F(Messages, TableTextsAndGaps) {
    EXPECT_EQ(MessageText(39977), "You Crashed ! OUT of Resources!");
    EXPECT_EQ(MessageText(40000), "FATAL Error creating bitmap... byebye");
    EXPECT_EQ(MessageText(15), "Number input wrong,\r\nPlease try again");
    EXPECT_EQ(MessageText(39994), "Not a DIH file Version: DIH 1.1");
    EXPECT_EQ(MessageText(39996), "Not a DIP file Version: DIP 1.1");
    EXPECT_EQ(MessageText(200), "");
    ShowMessageNumber(200);
    ASSERT_EQ(Rec.Messages.size(), 1u);
    EXPECT_EQ(Rec.Messages[0].Text, "");
}

TEST_F(Messages, ConfirmationAnswerIsNotUsed) {
    Rec.MessageAnswers = {MsgButton::Yes};
    ShowMessageNumber(10001);
    Rec.MessageAnswers = {MsgButton::No};
    ShowMessageNumber(10001);
    EXPECT_EQ(Rec.Messages.size(), 2u);
}

TEST_F(Messages, ErrorExtrasFollowTheOptions) {
    ShowMessageNumber(40000);
    EXPECT_TRUE(Rec.Beeps.empty());
    EXPECT_TRUE(Rec.Sounds.empty());
    ErrorBeepOption = true;
    ErrorSpokenOption = true;
    ShowMessageNumber(40000);
    ASSERT_EQ(Rec.Beeps.size(), 1u);
    EXPECT_EQ(Rec.Beeps[0], std::make_pair(10000, 1000));
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
