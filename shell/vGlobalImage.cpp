#include "shell/vGlobalImage.h"

#include "platform/PlSystemInfo.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "runtime/RtRecords.h"
#include "shell/vGlobalHooks.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"
#include "shell/vToolModes.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <sys/resource.h>

Picture DisplayedPicture;

namespace {
std::string ShownName;
std::string ShownFolder;
std::vector<TFileStamp> ShownStamps;
uint64_t PictureSerial = 0;
} // namespace

const std::string& CurrentImageName = ShownName;
const std::string& CurrentImageFolder = ShownFolder;
const char* const MainCaptionPrefix = "VORN KEEL  Image is: ";

void SetImageName(std::string folder, std::string name) {
    ShownFolder = std::move(folder);
    ShownName = std::move(name);
    ShownStamps.clear();
    ShowImageName();
}

TReplaceLeave ShownPictureLeave() {
    return TReplaceLeave::Own(ShownStamps);
}

void StampShownFile(const std::string& path) {
    TFileStamp stamp = StampFile(path);
    std::erase_if(ShownStamps, [&](const TFileStamp& s) { return s.Path == stamp.Path; });
    ShownStamps.push_back(std::move(stamp));
}

uint64_t ShownPictureSerial() {
    return PictureSerial;
}

void NoteAnotherPicture() {
    ++PictureSerial;
}

void ShowImageName() {
    if (Hooks.SetMainCaption) Hooks.SetMainCaption(MainCaptionPrefix + ShownName);
}

std::string ShownPictureFile(const std::string& ext) {
    return CurrentImageFolder + ChangeFileExt(CurrentImageName, ext);
}

uint8_t* WorkImageBuffer = nullptr;
uint8_t* UndoImageBuffer = nullptr;
std::array<uint8_t, 40> WorkBitmapInfo{};
std::array<uint8_t, 40> UndoBitmapInfo{};
int32_t ImageHeaderSize = 0;
int32_t ImageBitsSize = 0;
int32_t ImageMaxX = 0;
int32_t ImageMaxY = 0;
int32_t ImageRowStride = 0;
bool ImageBuffersAllocated = false;
bool ImageBuffersLocked = false;
int32_t PixelOffset = 0;
uint8_t* PixelBluePtr = nullptr;
uint8_t* PixelGreenPtr = nullptr;
uint8_t* PixelRedPtr = nullptr;
int32_t ProgressPercent = 0;
int32_t FilterKernelSize = 3;

std::function<void(std::vector<uint8_t>& storage, size_t bytes)> AllocateBufferStorage =
    [](std::vector<uint8_t>& storage, size_t bytes) { storage.assign(bytes, 0); };

namespace {

std::vector<uint8_t> WorkStorage;
std::vector<uint8_t> UndoStorage;
std::vector<uint8_t> ReservedWork;
std::vector<uint8_t> ReservedUndo;

// Gives the memory back: an assignment of {} would only empty the vector and keep it.
void Release(std::vector<uint8_t>& storage) {
    std::vector<uint8_t>().swap(storage);
}

uint64_t MachinePictureMemoryLimit() {
    const MemoryStatus m = ReadMemoryStatus();
    uint64_t processLimit = m.TotalVirtual;
    struct rlimit data {};
    if (getrlimit(RLIMIT_DATA, &data) == 0 && data.rlim_cur != RLIM_INFINITY)
        processLimit = std::min<uint64_t>(processLimit, data.rlim_cur);
    return PictureMemoryLimitFor(m.TotalPhys, processLimit);
}

// The reserved bytes when they are of this size, else new ones.
void TakeStorage(std::vector<uint8_t>& reserved, std::vector<uint8_t>& storage, size_t bytes) {
    if (reserved.size() == bytes) {
        storage.swap(reserved);
        Release(reserved);
    } else {
        Release(reserved);
        AllocateBufferStorage(storage, bytes);
    }
}
// The undo buffer holds a copy of a picture: fresh buffers are zero, and showing them (the
// macro player undoes without asking the Undo button) would blacken the picture.
bool UndoHoldsCopy = false;

// The undo copy of the first pass of a command run as one undo step, once a later pass is about
// to replace it.
bool InOneUndoStep = false;
bool OneUndoStepCopied = false;
std::vector<uint8_t> FirstUndoCopy;

void FillBitmapInfo(std::array<uint8_t, 40>& info, int32_t width, int32_t height) {
    info.fill(0);
    PutLeU32(&info[0], 40);
    PutLeI32(&info[4], width);
    PutLeI32(&info[8], height);
    PutLeU16(&info[12], 1);
    PutLeU16(&info[14], 24);
    PutLeU32(&info[20], static_cast<uint32_t>(ImageBitsSize));
}

bool BuffersFitPicture() {
    return ImageBuffersAllocated && WorkImageBuffer && UndoImageBuffer &&
           DisplayedPicture.Width == ImageMaxX + 1 && DisplayedPicture.Height == ImageMaxY + 1;
}

} // namespace

uint64_t PictureMemoryLimit = MachinePictureMemoryLimit();

uint64_t PictureBufferBytes(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) return 0;
    const uint64_t w = static_cast<uint64_t>(width), h = static_cast<uint64_t>(height);
    return ((w * 24 + 31) / 32) * 4 * h;
}

uint64_t PictureMemoryNeed(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) return 0;
    const uint64_t picture = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4;
    const uint64_t buffers = PictureBufferBytes(width, height);
    // The sides a bitmap's header can give (2^31 each) would pass 2^64 bytes: such a need is
    // all there is.
    if (buffers > (std::numeric_limits<uint64_t>::max() - picture) / 2)
        return std::numeric_limits<uint64_t>::max();
    return picture + 2 * buffers;
}

uint64_t PictureMemoryLimitFor(uint64_t physicalMemory, uint64_t processLimit) {
    const uint64_t memory = physicalMemory ? std::min(physicalMemory, processLimit) : processLimit;
    return memory / 8;
}

bool PictureBuffersFit(int64_t width, int64_t height) {
    return width <= 0 || height <= 0 || PictureSizeAcceptable(width, height);
}

bool PictureMemoryFits(int64_t width, int64_t height) {
    return PictureMemoryNeed(width, height) <= PictureMemoryLimit &&
           PictureBuffersFit(width, height);
}

bool ReserveImageBuffers(int32_t width, int32_t height) {
    Release(ReservedWork);
    Release(ReservedUndo);
    // A size the buffers cannot take at all is AllocImageBuffers' to report.
    if (!PictureSizeAcceptable(width, height)) return true;
    const size_t bytes = static_cast<size_t>(RowStrideFor(width)) * static_cast<size_t>(height);
    try {
        AllocateBufferStorage(ReservedWork, bytes);
        AllocateBufferStorage(ReservedUndo, bytes);
    } catch (const std::bad_alloc&) {
        Release(ReservedWork);
        Release(ReservedUndo);
        return false;
    }
    return true;
}

int32_t RowPercent(int32_t y, int32_t maxY) {
    if (maxY <= 0) return 100;
    return static_cast<int32_t>(Round(static_cast<double>(y) / maxY * 100.0));
}

namespace {

// Rows move four pixels (12 buffer bytes) at a time through 64-bit words; the bytes of a word
// in memory are its bits from the lowest up, as the picture's pixel words are.
constexpr uint64_t Opaque = 0xFF000000FF000000u;

uint64_t Load64(const void* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// One picture row into one or two buffer rows (the second may be null).
void PackRow(const uint32_t* src, int width, uint8_t* dst, uint8_t* second) {
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 4) {
        const uint64_t a = Load64(src), b = Load64(src + 2);
        const uint64_t low = (a & 0xFFFFFFu) | ((a >> 8) & 0xFFFFFF000000u) | (b << 48);
        const uint32_t high =
            static_cast<uint32_t>(((b >> 16) & 0xFFu) | ((b >> 24) & 0xFFFFFF00u));
        std::memcpy(dst, &low, 8);
        std::memcpy(dst + 8, &high, 4);
        dst += 12;
        if (second) {
            std::memcpy(second, &low, 8);
            std::memcpy(second + 8, &high, 4);
            second += 12;
        }
    }
    for (; x < width; ++x, ++src) {
        const uint8_t bgr[3] = {PixelBlue(*src), PixelGreen(*src), PixelRed(*src)};
        std::memcpy(dst, bgr, 3);
        dst += 3;
        if (second) {
            std::memcpy(second, bgr, 3);
            second += 3;
        }
    }
}

void UnpackRow(const uint8_t* src, int width, uint32_t* dst) {
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12, dst += 4) {
        const uint64_t low = Load64(src);
        uint32_t high;
        std::memcpy(&high, src + 8, 4);
        const uint64_t first = Opaque | (low & 0xFFFFFFu) | ((low << 8) & 0xFFFFFF00000000u);
        const uint64_t second =
            Opaque | (low >> 48) | (uint64_t{high & 0xFFu} << 16) | (uint64_t{high >> 8} << 32);
        std::memcpy(dst, &first, 8);
        std::memcpy(dst + 2, &second, 8);
    }
    for (; x < width; ++x, src += 3)
        *dst++ = PackPixel(src[2], src[1], src[0]);
}

void PictureToBuffers(const Picture& picture, uint8_t* buffer, uint8_t* second, int32_t stride) {
    const int h = picture.Height;
    for (int row = 0; row < h; ++row) {
        const size_t at = static_cast<size_t>(row) * stride;
        PackRow(picture.Row(h - 1 - row), picture.Width, buffer + at,
                second ? second + at : nullptr);
    }
}

} // namespace

void PictureToBuffer(const Picture& picture, uint8_t* buffer, int32_t stride) {
    PictureToBuffers(picture, buffer, nullptr, stride);
}

void BufferToPicture(const uint8_t* buffer, int32_t stride, Picture& picture) {
    const int h = picture.Height;
    for (int row = 0; row < h; ++row)
        UnpackRow(buffer + static_cast<size_t>(row) * stride, picture.Width,
                  picture.Row(h - 1 - row));
}

void AllocImageBuffers() {
    HookBusyCursor(true);
    if (DisplayedPicture.Empty()) {
        ShowMessageNumber(10);
    } else if ((Hooks.ScreenDepth ? Hooks.ScreenDepth() : 24) < 24) {
        ShowMessageNumber(11);
    } else if (DisplayedPicture.FormatBits != 24) {
        ShowMessageNumber(12);
    } else {
        const int32_t width = DisplayedPicture.Width, height = DisplayedPicture.Height;
        // A picture whose buffers would pass 2 GiB cannot have them: the sizes are 32-bit.
        const bool fits = PictureSizeAcceptable(width, height);
        ImageHeaderSize = 40;
        ImageBuffersAllocated = false;
        ImageMaxX = width - 1;
        ImageMaxY = height - 1;
        ImageRowStride = fits ? RowStrideFor(width) : 0;
        ImageBitsSize = fits ? ImageRowStride * height : 0;
        // Fresh buffers hold no copy yet: nothing to undo.
        ImageBuffersLocked = false;
        UndoHoldsCopy = false;
        HookUndoEnabled(false);
        bool ok = fits;
        if (ok) {
            try {
                TakeStorage(ReservedWork, WorkStorage, static_cast<size_t>(ImageBitsSize));
                TakeStorage(ReservedUndo, UndoStorage, static_cast<size_t>(ImageBitsSize));
            } catch (const std::bad_alloc&) {
                ok = false;
            }
        }
        if (ok) {
            FillBitmapInfo(WorkBitmapInfo, width, height);
            FillBitmapInfo(UndoBitmapInfo, width, height);
            WorkImageBuffer = WorkStorage.data();
            UndoImageBuffer = UndoStorage.data();
            ImageBuffersAllocated = true;
        } else {
            Release(WorkStorage);
            Release(UndoStorage);
            WorkImageBuffer = UndoImageBuffer = nullptr;
            ShowMessageNumber(40000);
            if (Hooks.RequestTerminate) Hooks.RequestTerminate();
        }
        HookStatus(0, "Image loaded");
        HookProcessMessages();
        if (!ImageBuffersAllocated) UnlockImageBuffers();
    }
    // A reservation for a size that was not made is no longer wanted.
    Release(ReservedWork);
    Release(ReservedUndo);
    HookBusyCursor(false);
}

namespace {

// Copies of the shown picture taken for commands, so a caller can tell whether one ran.
uint64_t PictureCopiesTaken = 0;

// The shown picture into the working buffer; with `undoStep`, into the undo buffer too, as the
// step Undo goes back to.
void CopyImage(bool undoStep) {
    // A screen made from the undo copy is not the picture to process, and the copy is still
    // the mode's to give back.
    ReleaseUndoCopy();
    HookBusyCursor(true);
    ImageBuffersLocked = false;
    // Pictures put into the view at a new size get buffers of that size.
    if (ImageBuffersAllocated && !DisplayedPicture.Empty() && !BuffersFitPicture())
        AllocImageBuffers();
    if (!WorkImageBuffer || !ImageBuffersAllocated) {
        ShowMessageNumber(39977);
    } else if (!BuffersFitPicture()) {
        // The buffers could not follow the picture (AllocImageBuffers said why); copying it
        // into them would write past their end.
        if (DisplayedPicture.Empty()) ShowMessageNumber(10);
    } else if (!UndoImageBuffer) {
        ShowMessageNumber(39977);
    } else {
        ImageBuffersLocked = true;
        ++PictureCopiesTaken;
        if (undoStep) {
            HookUndoEnabled(true);
            if (InOneUndoStep && OneUndoStepCopied && FirstUndoCopy.empty())
                FirstUndoCopy.assign(UndoImageBuffer, UndoImageBuffer + ImageBitsSize);
            OneUndoStepCopied = InOneUndoStep;
            // Both copies in one pass over the picture.
            PictureToBuffers(DisplayedPicture, UndoImageBuffer, WorkImageBuffer, ImageRowStride);
            UndoHoldsCopy = true;
        } else {
            PictureToBuffer(DisplayedPicture, WorkImageBuffer, ImageRowStride);
        }
        HookStatus(1, "Image copied for processing");
        HookProcessMessages();
    }
    if (!ImageBuffersLocked) UnlockImageBuffers();
    HookBusyCursor(false);
}

} // namespace

void CopyImageForProcessing() {
    CopyImage(true);
}

void CopyImageForReading() {
    CopyImage(false);
}

void UnlockImageBuffers() {
    ImageBuffersLocked = false;
}

void FreeImageBuffers() {
    ReleaseUndoCopy();
    UnlockImageBuffers();
    Release(WorkStorage);
    Release(UndoStorage);
    WorkImageBuffer = UndoImageBuffer = nullptr;
    WorkBitmapInfo.fill(0);
    UndoBitmapInfo.fill(0);
    ImageBuffersAllocated = false;
    // Without buffers there is nothing to undo.
    UndoHoldsCopy = false;
    HookUndoEnabled(false);
}

void ShowProgress(int32_t percent) {
    HookSetGauge(percent);
    HookStatus(0, "(Part 1 of 1) % Done: " + IntToStr(percent));
    HookProcessMessages();
}

void ShowPartProgress(int32_t part, int32_t percent, double minimum, double maximum) {
    HookSetGauge(percent);
    const std::string range =
        " Min: " + FormatFixed(minimum, 5, 2) + " Max:" + FormatFixed(maximum, 5, 2);
    std::string text;
    if (part == 1 || part == 2)
        text = "(Part " + IntToStr(part) + " of 2) % Done:  " + IntToStr(percent) + range;
    else
        text = range;
    HookStatus(0, text);
    HookProcessMessages();
}

void ShowStageProgress(int32_t stage, int32_t percent) {
    static const char* const texts[] = {
        "Making Array (1/4) % Done: ",    "Counting Image (2/4) % Done: ",
        "Saving Count (3&4/4) % Done: ",  "Displaying Count (4/4) % Done: ",
        "Loading Count (2&3&4) % Done: ",
    };
    HookSetGauge(percent);
    if (stage >= 1 && stage <= 5) {
        HookStatus(0, texts[stage - 1] + IntToStr(percent));
        HookProcessMessages();
    }
}

void ClearFilterBorder() {
    if (!WorkImageBuffer || !ImageBuffersAllocated) return;
    const int32_t k = FilterKernelSize / 2;
    auto clampX = [](int32_t v) { return v < 0 ? 0 : (v > ImageMaxX ? ImageMaxX : v); };
    auto clampY = [](int32_t v) { return v < 0 ? 0 : (v > ImageMaxY ? ImageMaxY : v); };
    auto blackRows = [&](int32_t from, int32_t to) {
        from = clampY(from);
        to = clampY(to);
        for (int32_t y = from; y <= to; ++y) {
            uint8_t* row = WorkRow(y);
            std::memset(row, 0, static_cast<size_t>(ImageMaxX + 1) * 3);
        }
    };
    auto blackColumns = [&](int32_t from, int32_t to) {
        from = clampX(from);
        to = clampX(to);
        for (int32_t y = 0; y <= ImageMaxY; ++y)
            std::memset(WorkRow(y) + 3 * from, 0, static_cast<size_t>(to - from + 1) * 3);
    };
    blackRows(0, k);
    blackRows(ImageMaxY - k - 1, ImageMaxY);
    blackColumns(0, k);
    blackColumns(ImageMaxX - k - 1, ImageMaxX);
    PixelOffset = 3 * ImageMaxX + ImageMaxY * ImageRowStride;
    PixelBluePtr = WorkImageBuffer + PixelOffset;
    PixelGreenPtr = PixelBluePtr + 1;
    PixelRedPtr = PixelBluePtr + 2;
}

namespace {
void ShowBuffer(const uint8_t* buffer) {
    HookBusyCursor(true);
    Picture& p = DisplayedPicture;
    // The result has the buffers' size; the picture's memory is reused when it already fits,
    // which spares allocating and clearing a whole picture per operation.
    p.Fit(ImageMaxX + 1, ImageMaxY + 1);
    p.FormatBits = 24;
    BufferToPicture(buffer, ImageRowStride, p);
    UnlockImageBuffers();
    HookPictureChanged();
}
} // namespace

void ShowProcessedImage() {
    if (!WorkImageBuffer) return;
    ShowBuffer(WorkImageBuffer);
    HookBusyCursor(false);
    HookStatus(1, "Image processed");
    HookProcessMessages();
    HookSetGauge(0);
    if (DoneNotificationOption) {
        if (DoneSpokenOption)
            HookPlaySound("DONEV.WAV");
        else if (DoneBellsOption)
            HookPlaySound("DONEB.WAV");
        if (DoneWhistlesOption) HookPlaySound("DONEW.WAV");
    }
}

void UndoImage() {
    if (!UndoImageBuffer || !UndoHoldsCopy) return;
    ShowBuffer(UndoImageBuffer);
    HookUndoEnabled(false);
    HookBusyCursor(false);
    HookStatus(1, "Image Undone");
    HookProcessMessages();
    HookSetGauge(0);
}

bool RanOnThePicture(const std::function<void()>& command) {
    const uint64_t before = PictureCopiesTaken;
    command();
    return PictureCopiesTaken != before;
}

void RunAsOneUndoStep(const std::function<void()>& passes) {
    if (InOneUndoStep) return passes();
    InOneUndoStep = true;
    OneUndoStepCopied = false;
    // Also when a pass fails: the picture keeps what the passes before it made, and Undo still
    // goes back to where the command began.
    struct Restore {
        ~Restore() {
            InOneUndoStep = false;
            if (!FirstUndoCopy.empty() && UndoImageBuffer &&
                FirstUndoCopy.size() == static_cast<size_t>(ImageBitsSize))
                std::copy(FirstUndoCopy.begin(), FirstUndoCopy.end(), UndoImageBuffer);
            Release(FirstUndoCopy);
        }
    } restore;
    passes();
}

double StrToFloatDef(const std::string& text, double def) {
    int code = 0;
    double v = ValReal(text, code);
    return code != 0 ? def : v;
}

int32_t GetFilterFileSize(const std::string& fileName) {
    int32_t result = 3;
    const int n = static_cast<int>(fileName.size());
    int dot = -1;
    for (int i = n - 2; i >= 0; --i)
        if (fileName[i] == '.') {
            dot = i;
            break;
        }
    // The kind is the second character of the extension and the size its third; a name whose
    // extension is shorter has no kind.
    if (dot < 0 || dot + 3 >= n) {
        ShowMessageNumber(39982);
        return result;
    }
    const char e = fileName[dot + 2];
    const char d = fileName[dot + 3];
    if (e == 'L' || e == 'l' || e == 'R' || e == 'r' || e == '2' || e == '8') {
        int code = 0;
        int64_t v = ValInt(std::string(1, d), code);
        if (code == 0)
            result = static_cast<int32_t>(v);
        else
            ShowFileDataError(fileName, code);
    } else {
        ShowMessageNumber(39982);
    }
    return result;
}

void ReplaceDisplayedPicture(Picture picture) {
    // The mode's picture comes back first, so that it cannot later cover the new one.
    ReleaseUndoCopy();
    NoteAnotherPicture();
    const bool sizeChanged =
        picture.Width != DisplayedPicture.Width || picture.Height != DisplayedPicture.Height;
    DisplayedPicture = std::move(picture);
    if (sizeChanged && ImageBuffersAllocated) {
        FreeImageBuffers();
        AllocImageBuffers();
    }
    HookPictureChanged();
}
