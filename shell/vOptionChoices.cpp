#include "shell/vOptionChoices.h"

#include "runtime/RtFiles.h"
#include "shell/vGlobalOptions.h"

namespace {

bool* const ProcessingSwitches[] = {&ClipOption, &Scale0To255Option, &BelowZeroOption,
                                    &AutoRangeOption};
bool* const ChannelToggles[] = {&ToggleBlue, &ToggleGreen, &ToggleRed, &ToggleRGB};

template <size_t N> void SetOnly(bool* const (&switches)[N], int item) {
    for (bool* s : switches)
        *s = false;
    if (item >= 0 && item < static_cast<int>(N)) *switches[item] = true;
}

} // namespace

int ProcessingChoiceOf() {
    if (Scale0To255Option) return pcScale0To255;
    if (BelowZeroOption) return pcBelowZero;
    if (!AutoRangeOption) return pcClip;
    return pcAutoRange;
}

void SetProcessingChoice(int item) {
    SetOnly(ProcessingSwitches, item);
}

int ChannelChoiceOf() {
    if (ToggleBlue) return ccBlue;
    if (ToggleGreen) return ccGreen;
    if (ToggleRed) return ccRed;
    if (ToggleRGB) return ccRGB;
    return -1;
}

void SetChannelChoice(int item) {
    SetOnly(ChannelToggles, item);
}

void ResetMenuOptions() {
    OpenPreviewOption = SavePreviewOption = DisplayConvert32Option = true;
    ColorSettings[3] = 0x000000;
    DoneSpokenOption = DoneNotificationOption = ErrorBeepOption = ErrorSpokenOption = false;
    MessageX = MessageY = 123;
    SetAbsoluteOption = AbsoluteValuesOption = false;
    RealATMin = 0.0;
    RealATMax = 255.0;
    SetThresholdOption = false;
    IntATMin = 0;
    IntATMax = 255;
    SetProcessingChoice(pcClip);
    SetChannelChoice(ccBlue);
}

void ResetDirectories() {
    ProgramDirectory = ExecutableDirectory();
    // The separator doubles before "Filters"; stored files carry that form.
    FilterDirectory = ProgramDirectory + "/Filters/";
    ImageDirectory = DEMDirectory = VectorsDirectory = VDatabaseDirectory = StorageDirectory =
        ProgramDirectory;
}
