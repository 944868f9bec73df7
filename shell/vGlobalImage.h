// The working image: the displayed picture and its two 24-bit working copies (work and undo),
// their addressing globals, and the frame every image operation runs through: copy, loop with
// progress, clear the border, show the result; Undo shows the copy again.
#pragma once

#include "runtime/RtFiles.h"
#include "shell/vPicture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What Image1 shows.
extern Picture DisplayedPicture;
// The displayed image's file name without folder, and its own folder with the trailing "/". Both
// are read-only here: only opening, saving or building a picture names it (SetImageName), so no
// band command or page can give the shown picture the name of a file it never wrote, which the
// next Save would replace. Save, the numbered save and the picture's log write there, whichever
// folder another window has chosen since.
extern const std::string& CurrentImageName;
extern const std::string& CurrentImageFolder;
extern const char* const MainCaptionPrefix;
// Names the shown picture and shows the name in the caption. Called where a picture is opened,
// saved or built, and nowhere else in the program: scripts/check-writers refuses it elsewhere.
void SetImageName(std::string folder, std::string name);
// The files of the shown picture (the picture, its log, its histogram companions) as it read or
// last wrote them: what its saves and the files made beside it may replace without asking; a
// path chosen in a dialog was chosen for its one write, and is the picture's own after it. A file
// changed since by another window or program is replaced only when the user says so. Naming the
// picture starts the list afresh: a picture built from bands and named after a file it never read
// has no leave over that file.
TReplaceLeave ShownPictureLeave();
// After the shown picture read or wrote `path`.
void StampShownFile(const std::string& path);
// Counts the pictures shown: it moves on when another picture is opened or built, not when the
// shown one's pixels change. A window that keeps a copy of the picture, or what it made from
// it, tells by it that the picture it read is no longer the one shown.
uint64_t ShownPictureSerial();
// Another picture is about to be shown.
void NoteAnotherPicture();
// The caption naming the shown picture again, after a mode has shown its own.
void ShowImageName();
// The shown picture's file with its extension changed to `ext`, in the picture's own folder: what
// a save dialog proposes for a file made from the picture.
std::string ShownPictureFile(const std::string& ext);

// Working buffers: bottom-up rows (row 0 is the picture's bottom row), ImageRowStride bytes a
// row, pixel x of row y at 3x + y * ImageRowStride, blue, green, red; row padding is never
// written. The pointers are valid while the buffers are allocated.
extern uint8_t* WorkImageBuffer;
extern uint8_t* UndoImageBuffer;
// The 40-byte bitmap information headers of the two buffers.
extern std::array<uint8_t, 40> WorkBitmapInfo;
extern std::array<uint8_t, 40> UndoBitmapInfo;
extern int32_t ImageHeaderSize;
extern int32_t ImageBitsSize;
extern int32_t ImageMaxX;
extern int32_t ImageMaxY;
extern int32_t ImageRowStride;
extern bool ImageBuffersAllocated;
// Set by CopyImageForProcessing when both buffers hold the copy; an operation stops when it is
// false after that call.
extern bool ImageBuffersLocked;
extern int32_t PixelOffset;
extern uint8_t* PixelBluePtr;
extern uint8_t* PixelGreenPtr;
extern uint8_t* PixelRedPtr;
extern int32_t ProgressPercent;
extern int32_t FilterKernelSize;

// Bytes a buffer row takes for a width.
inline int32_t RowStrideFor(int32_t width) {
    return ((width * 24 + 31) / 32) * 4;
}
// A buffer's byte size must fit in 32 bits.
constexpr int64_t MaxBufferBytes = 0x7FFFFFFF;
// The largest picture the working image takes.
inline bool PictureSizeAcceptable(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > MaxBufferBytes / 24) return false;
    return static_cast<int64_t>(RowStrideFor(static_cast<int32_t>(width))) * height <=
           MaxBufferBytes;
}
// Bytes one working buffer of a picture of this size takes, at any size.
uint64_t PictureBufferBytes(int64_t width, int64_t height);
// Bytes a picture of this size takes once loaded: the displayed picture and both buffers.
uint64_t PictureMemoryNeed(int64_t width, int64_t height);
// The most a loaded picture may take: an eighth of the machine's memory, or of the process's
// address-space or data limit when that is smaller. Operations, the colour screens and the
// preprocess viewer make further copies of the picture, which must still find room.
uint64_t PictureMemoryLimitFor(uint64_t physicalMemory, uint64_t processLimit);
// Set at start from the machine; tests lower it.
extern uint64_t PictureMemoryLimit;
// Whether the working buffers of a picture of this size can be had on any machine (their byte
// sizes are 32-bit); an empty size needs none.
bool PictureBuffersFit(int64_t width, int64_t height);
// The one rule by which a picture of any kind is opened or refused: its need within the limit
// and its buffers within their sizes.
bool PictureMemoryFits(int64_t width, int64_t height);
// Gets the buffers of a picture of this size while the previous picture still has its own, so
// that a picture the memory cannot hold leaves the previous one whole. False, with nothing
// held, when the memory cannot be had; else the next AllocImageBuffers of that size takes them.
bool ReserveImageBuffers(int32_t width, int32_t height);
// Where the buffers' memory comes from: zero-filled bytes, or std::bad_alloc.
extern std::function<void(std::vector<uint8_t>& storage, size_t bytes)> AllocateBufferStorage;
// Row pointers into the buffers by buffer row (0 = bottom).
inline uint8_t* WorkRow(int32_t y) {
    return WorkImageBuffer + static_cast<size_t>(y) * ImageRowStride;
}
inline const uint8_t* UndoRow(int32_t y) {
    return UndoImageBuffer + static_cast<size_t>(y) * ImageRowStride;
}
// The percentage of a loop at row y of 0..maxY; a one-row picture is done at once (100).
int32_t RowPercent(int32_t y, int32_t maxY);

void AllocImageBuffers();
void CopyImageForProcessing();
// For the commands that only look at the picture (counts, plots, profiles): the working buffer
// alone gets the copy, and the undo copy and Undo stay as the last operation left them.
void CopyImageForReading();
void UnlockImageBuffers();
void FreeImageBuffers();
void ShowProgress(int32_t percent);
void ShowPartProgress(int32_t part, int32_t percent, double minimum, double maximum);
void ShowStageProgress(int32_t stage, int32_t percent);
void ClearFilterBorder();
void ShowProcessedImage();
void UndoImage();
// Runs the engine passes of one command as one undo step: each pass copies the picture it
// starts from, and the engines read that copy from the undo buffer, so after the passes the
// buffer gets back the picture from before the first; Undo shows that, not an intermediate.
void RunAsOneUndoStep(const std::function<void()>& passes);
// Runs an image command and tells whether it ran: whether it took a copy of the shown picture to
// work on or read. A command is recorded only then, so one refused before it began (no picture,
// a name or value it does not take) leaves the macro and the log as they were.
bool RanOnThePicture(const std::function<void()>& command);
double StrToFloatDef(const std::string& text, double def);
int32_t GetFilterFileSize(const std::string& fileName);

// Gives the displayed picture new content. When the size changes while buffers exist, they are
// made anew for the new size (and Undo is disabled, since the undo copy no longer fits).
void ReplaceDisplayedPicture(Picture picture);
// Converts between the displayed picture and a 24-bit bottom-up buffer of the current layout.
void PictureToBuffer(const Picture& picture, uint8_t* buffer, int32_t stride);
void BufferToPicture(const uint8_t* buffer, int32_t stride, Picture& picture);
