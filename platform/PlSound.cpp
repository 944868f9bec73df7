#include "platform/PlSound.h"

#include "runtime/RtFiles.h"
#include "runtime/RtRecords.h"

#include <cmath>
#include <cstddef>
#include <dlfcn.h>
#include <numbers>

const char* const SoundLibraryNames[2] = {"libasound.so.2", "libasound.so"};
const char* const NoSoundLibraryMessage =
    "Cannot locate libasound.so.2 or libasound.so.. no sounds";

namespace {

// The few entry points used, with the library's own enumerator values.
using PcmOpen = int (*)(void** pcm, const char* name, int stream, int mode);
using PcmSetParams = int (*)(void* pcm, int format, int access, unsigned channels, unsigned rate,
                             int softResample, unsigned latencyMicroseconds);
using PcmWriteI = long (*)(void* pcm, const void* buffer, unsigned long frames);
using PcmRecover = int (*)(void* pcm, int err, int silent);
using PcmDrain = int (*)(void* pcm);
using PcmClose = int (*)(void* pcm);
using ErrorHandler = void (*)(const char* file, int line, const char* function, int err,
                              const char* fmt, ...);
using SetErrorHandler = int (*)(ErrorHandler handler);

constexpr int StreamPlayback = 0;
constexpr int FormatU8 = 1;
constexpr int FormatS16LE = 2;
constexpr int AccessRwInterleaved = 3;
constexpr unsigned LatencyMicroseconds = 200000;
constexpr int ToneRate = 44100;
constexpr int MaxToneMilliseconds = 10000;

struct SoundApi {
    PcmOpen Open = nullptr;
    PcmSetParams SetParams = nullptr;
    PcmWriteI WriteI = nullptr;
    PcmRecover Recover = nullptr;
    PcmDrain Drain = nullptr;
    PcmClose Close = nullptr;
};

SoundApi Api;

// The library reports a missing sound card on stderr at every open; the result says it already.
void QuietErrors(const char*, int, const char*, int, const char*, ...) {}

template <typename T> bool Take(void* module, const char* name, T& out) {
    out = reinterpret_cast<T>(dlsym(module, name));
    return out != nullptr;
}

bool Play(int format, int channels, int rate, const uint8_t* data, size_t frames) {
    if (!SoundLibraryBound() || frames == 0) return false;
    void* pcm = nullptr;
    if (Api.Open(&pcm, "default", StreamPlayback, 0) < 0 || !pcm) return false;
    bool ok = Api.SetParams(pcm, format, AccessRwInterleaved, static_cast<unsigned>(channels),
                            static_cast<unsigned>(rate), 1, LatencyMicroseconds) >= 0;
    const size_t frameBytes = static_cast<size_t>(channels) * (format == FormatU8 ? 1 : 2);
    size_t done = 0;
    while (ok && done < frames) {
        long n = Api.WriteI(pcm, data + done * frameBytes, frames - done);
        if (n < 0) n = Api.Recover(pcm, static_cast<int>(n), 1);
        if (n < 0)
            ok = false;
        else
            done += static_cast<size_t>(n);
    }
    if (ok) Api.Drain(pcm);
    Api.Close(pcm);
    return ok;
}

bool FourCC(const uint8_t* p, const char* id) {
    return p[0] == id[0] && p[1] == id[1] && p[2] == id[2] && p[3] == id[3];
}

} // namespace

bool BindSoundLibrary(const std::vector<std::string>& names) {
    Api = SoundApi{};
    for (const auto& name : names) {
        void* module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) continue;
        SoundApi api;
        if (Take(module, "snd_pcm_open", api.Open) &&
            Take(module, "snd_pcm_set_params", api.SetParams) &&
            Take(module, "snd_pcm_writei", api.WriteI) &&
            Take(module, "snd_pcm_recover", api.Recover) &&
            Take(module, "snd_pcm_drain", api.Drain) && Take(module, "snd_pcm_close", api.Close)) {
            SetErrorHandler quiet = nullptr;
            if (Take(module, "snd_lib_error_set_handler", quiet)) quiet(QuietErrors);
            Api = api;
            return true;
        }
    }
    return false;
}

bool BindSoundLibrary() {
    return BindSoundLibrary(
        std::vector<std::string>(std::begin(SoundLibraryNames), std::end(SoundLibraryNames)));
}

bool SoundLibraryBound() {
    return Api.Open != nullptr;
}

bool ParseWave(const std::vector<uint8_t>& bytes, WaveSound& out) {
    const size_t size = bytes.size();
    if (size < 12 || !FourCC(bytes.data(), "RIFF") || !FourCC(bytes.data() + 8, "WAVE"))
        return false;
    WaveSound wave;
    bool haveFormat = false;
    int blockAlign = 0;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const uint8_t* chunk = bytes.data() + pos;
        const size_t length = LeU32(chunk + 4);
        if (length > size - pos - 8) return false;
        const uint8_t* body = chunk + 8;
        if (FourCC(chunk, "fmt ")) {
            if (length < 16 || LeU16(body) != 1) return false; // 1: integer PCM
            wave.Channels = LeU16(body + 2);
            wave.SampleRate = static_cast<int>(LeU32(body + 4));
            blockAlign = LeU16(body + 12);
            wave.BitsPerSample = LeU16(body + 14);
            if (wave.Channels < 1 || wave.SampleRate < 1 ||
                (wave.BitsPerSample != 8 && wave.BitsPerSample != 16) ||
                blockAlign != wave.Channels * wave.BitsPerSample / 8)
                return false;
            haveFormat = true;
        } else if (FourCC(chunk, "data")) {
            if (!haveFormat || length % static_cast<size_t>(blockAlign) != 0) return false;
            wave.Samples.assign(body, body + length);
            out = std::move(wave);
            return true;
        }
        // Chunks are padded to an even length.
        pos += 8 + length + (length & 1);
    }
    return false;
}

bool PlaySoundFile(const std::string& path) {
    if (!SoundLibraryBound()) return false;
    // Sound files are named as on a file system that ignores case.
    const std::string found = FindFileCaseInsensitive(ExtractFilePath(path), ExtractFileName(path));
    std::vector<uint8_t> bytes;
    WaveSound wave;
    if (found.empty() || !ReadWholeFile(found, bytes) || !ParseWave(bytes, wave)) return false;
    const size_t frameBytes = static_cast<size_t>(wave.Channels) * (wave.BitsPerSample / 8);
    return Play(wave.BitsPerSample == 8 ? FormatU8 : FormatS16LE, wave.Channels, wave.SampleRate,
                wave.Samples.data(), wave.Samples.size() / frameBytes);
}

bool PlayTone(int frequency, int milliseconds) {
    if (!SoundLibraryBound() || frequency <= 0 || frequency >= ToneRate / 2 || milliseconds <= 0 ||
        milliseconds > MaxToneMilliseconds)
        return false;
    const size_t frames = static_cast<size_t>(ToneRate) * static_cast<size_t>(milliseconds) / 1000;
    std::vector<uint8_t> samples(frames * 2);
    const double step = 2.0 * std::numbers::pi * frequency / ToneRate;
    for (size_t i = 0; i < frames; ++i) {
        const auto v =
            static_cast<int16_t>(std::lrint(9000.0 * std::sin(step * static_cast<double>(i))));
        PutLeU16(samples.data() + 2 * i, static_cast<uint16_t>(v));
    }
    return Play(FormatS16LE, 1, ToneRate, samples.data(), frames);
}
