#include "platform/PlSound.h"
#include "runtime/RtRecords.h"

#include <gtest/gtest.h>

namespace {

struct Chunk {
    std::string Id;
    std::vector<uint8_t> Body;
    uint32_t DeclaredLength; // what the chunk header says
};

std::vector<uint8_t> Fmt(uint16_t encoding, uint16_t channels, uint32_t rate, uint16_t bits,
                         uint16_t blockAlign) {
    std::vector<uint8_t> b(16);
    PutLeU16(b.data(), encoding);
    PutLeU16(b.data() + 2, channels);
    PutLeU32(b.data() + 4, rate);
    PutLeU32(b.data() + 8, rate * blockAlign);
    PutLeU16(b.data() + 12, blockAlign);
    PutLeU16(b.data() + 14, bits);
    return b;
}

std::vector<uint8_t> Riff(const std::vector<Chunk>& chunks) {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) {
        out.insert(out.end(), c.Id.begin(), c.Id.end());
        uint8_t len[4];
        PutLeU32(len, c.DeclaredLength);
        out.insert(out.end(), len, len + 4);
        out.insert(out.end(), c.Body.begin(), c.Body.end());
        if (c.Body.size() % 2) out.push_back(0);
    }
    PutLeU32(out.data() + 4, static_cast<uint32_t>(out.size() - 8));
    return out;
}

Chunk Whole(const std::string& id, std::vector<uint8_t> body) {
    const auto n = static_cast<uint32_t>(body.size());
    return {id, std::move(body), n};
}

} // namespace

TEST(WaveReader, ReadsPcmAndSkipsOtherChunksPaddedToEvenLengths) {
    WaveSound w;
    ASSERT_TRUE(ParseWave(Riff({Whole("fmt ", Fmt(1, 2, 8000, 8, 2)), Whole("LIST", {9, 9, 9}),
                                Whole("data", {10, 20, 30, 40})}),
                          w));
    EXPECT_EQ(w.Channels, 2);
    EXPECT_EQ(w.SampleRate, 8000);
    EXPECT_EQ(w.BitsPerSample, 8);
    EXPECT_EQ(w.Samples, (std::vector<uint8_t>{10, 20, 30, 40}));
}

TEST(WaveReader, RefusesWhatItCannotPlayOrWhatRunsPastTheEnd) {
    const auto fmt16 = Whole("fmt ", Fmt(1, 1, 8000, 16, 2));
    std::vector<uint8_t> notRiff = Riff({fmt16, Whole("data", {0, 0})});
    notRiff[0] = 'X';
    std::vector<uint8_t> truncated = Riff({fmt16, Whole("data", {0, 0, 0, 0})});
    truncated.resize(truncated.size() - 2);
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"empty", {}},
        {"not a RIFF file", notRiff},
        {"float samples",
         Riff({Whole("fmt ", Fmt(3, 1, 8000, 32, 4)), Whole("data", {0, 0, 0, 0})})},
        {"no channels", Riff({Whole("fmt ", Fmt(1, 0, 8000, 16, 0)), Whole("data", {0, 0})})},
        {"block size not channels x bytes",
         Riff({Whole("fmt ", Fmt(1, 2, 8000, 16, 2)), Whole("data", {0, 0})})},
        {"short format chunk", Riff({Whole("fmt ", {1, 0, 1, 0}), Whole("data", {0, 0})})},
        {"data before format", Riff({Whole("data", {0, 0}), fmt16})},
        {"data chunk longer than the file", truncated},
        {"data length beyond any file", Riff({fmt16, Chunk{"data", {0, 0}, 0xFFFFFFFFu}})},
        {"data not whole frames", Riff({fmt16, Whole("data", {0, 0, 0})})},
    };
    for (const auto& [what, bytes] : cases) {
        WaveSound w;
        EXPECT_FALSE(ParseWave(bytes, w)) << what;
    }
}

TEST(SoundLayer, StaysSilentWhenNoLibraryLoads) {
    EXPECT_FALSE(BindSoundLibrary({"libvorn-no-such-sound.so.9"}));
    EXPECT_FALSE(SoundLibraryBound());
    EXPECT_FALSE(PlayTone(10000, 1000));
    EXPECT_FALSE(PlaySoundFile("/nonexistent/DONEV.WAV"));
    EXPECT_STREQ(NoSoundLibraryMessage, "Cannot locate libasound.so.2 or libasound.so.. no sounds");
}
