// The options window's rules on the option globals, kept apart from its controls: the two
// resets, and the two radio choices (processing range, display channel) that must leave
// exactly one of their switches on.
#pragma once

// Items of the processing-range choice and of the display-channel choice.
enum ProcessingChoice : int { pcClip = 0, pcScale0To255 = 1, pcBelowZero = 2, pcAutoRange = 3 };
enum ChannelChoice : int { ccBlue = 0, ccGreen = 1, ccRed = 2, ccRGB = 3 };

// The item the processing switches stand for; with none of them on, clipping.
int ProcessingChoiceOf();
// All four processing switches off, then the item's one on.
void SetProcessingChoice(int item);
// The item the channel toggles stand for: the first one on of blue, green, red and all channels;
// -1 when none is on.
int ChannelChoiceOf();
// All four channel toggles off, then the item's one on.
void SetChannelChoice(int item);

// The switches, sounds, message place, thresholds and current colour back to their defaults;
// the bells and whistles are kept.
void ResetMenuOptions();
// Every folder back to the program's folder; kernel files in its "Filters" folder.
void ResetDirectories();
