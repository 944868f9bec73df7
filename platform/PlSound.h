// Sounds: a playing library bound at run time (ALSA's libasound), PCM WAV files and plain tones
// played synchronously. When no library loads, every call is silent and says so by its result.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The libraries tried in turn, and the start-up message shown when none of them loads.
extern const char* const SoundLibraryNames[2];
extern const char* const NoSoundLibraryMessage;

// Binds the playing functions from the first of `names` that loads and has them all; false, and
// nothing bound, when none does. Libraries stay loaded for the life of the process.
bool BindSoundLibrary(const std::vector<std::string>& names);
bool BindSoundLibrary();
bool SoundLibraryBound();

struct WaveSound {
    int Channels = 0;
    int SampleRate = 0;
    int BitsPerSample = 0; // 8 (unsigned) or 16 (signed, little-endian)
    std::vector<uint8_t> Samples;
};

// Reads a PCM WAV image: the "fmt " and "data" chunks, every chunk checked against the bytes
// present. False for anything else (other encodings, 24/32-bit samples, a chunk running past
// the end, a data block that is not whole frames).
bool ParseWave(const std::vector<uint8_t>& bytes, WaveSound& out);

// Plays a WAV file to the end; false when nothing was played.
bool PlaySoundFile(const std::string& path);
// A sine tone of `frequency` Hz for `milliseconds`, to the end; false when nothing was played.
bool PlayTone(int frequency, int milliseconds);
