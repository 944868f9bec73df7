#include "shell/vPictureFiles.h"

#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <algorithm>

const char* const FileTypeUnknown = "File type unk";
const char* const CompanionFilesInMemoryStatus =
    "Folder not writable: headers and counts kept in memory, not saved beside the picture";

namespace {

constexpr int JpegQuality = 90;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

PictureFileKind PictureKindOf(const std::string& name) {
    const std::string ext = LowerCase(ExtractFileExt(name));
    if (ext == ".bmp") return PictureFileKind::Bmp;
    if (ext == ".png") return PictureFileKind::Png;
    if (ext == ".jpg") return PictureFileKind::Jpeg;
    return PictureFileKind::Unknown;
}

EPictureTooLarge::EPictureTooLarge(const std::string& path, int64_t width, int64_t height)
    : EInvalidGraphic(path + ": too big for memory: " + PictureMemoryText(width, height)),
      Width(width), Height(height) {}

std::string PictureMemoryText(int64_t width, int64_t height) {
    constexpr uint64_t MB = 1000000;
    // The need is rounded up and the limit down, so that a refusal never reads as a need the
    // limit meets.
    const auto megabytes = [](uint64_t bytes, bool up) {
        return IntToStr(static_cast<int64_t>(bytes / MB + (up && bytes % MB != 0)));
    };
    const std::string size = IntToStr(width) + " x " + IntToStr(height) + " needs ";
    const uint64_t need = PictureMemoryNeed(width, height);
    // Within the memory, a picture may still be refused by the byte size of one buffer, which
    // no machine lifts.
    if (need <= PictureMemoryLimit && !PictureBuffersFit(width, height))
        return size + megabytes(PictureBufferBytes(width, height), true) +
               " MB for one working buffer, " + megabytes(MaxBufferBytes, false) + " MB allowed";
    return size + megabytes(need, true) + " MB, " + megabytes(PictureMemoryLimit, false) +
           " MB allowed";
}

DecodedPicture ReadPictureFile(const std::string& path) {
    const PictureFileKind kind = PictureKindOf(path);
    if (kind != PictureFileKind::Bmp && kind != PictureFileKind::Png)
        throw EInvalidGraphic(path + ": unknown picture file type");
    const auto unreadable = [&path] {
        return EInOutError(FileExists(path) ? EInOutError::AccessDenied
                                            : EInOutError::FileNotFound);
    };
    // The header's size decides before the file is read: a picture the memory cannot hold is
    // refused whatever follows its header, and without the whole file ever being loaded.
    std::vector<uint8_t> bytes;
    if (!ReadFileStart(path, PictureHeaderBytes, bytes)) throw unreadable();
    int64_t width = 0, height = 0;
    const bool sized = kind == PictureFileKind::Png
                           ? PngHeaderSides(bytes.data(), bytes.size(), width, height)
                           : BmpHeaderSides(bytes.data(), bytes.size(), width, height);
    if (sized && !PictureMemoryFits(width, height)) throw EPictureTooLarge(path, width, height);
    if (!ReadWholeFile(path, bytes)) throw unreadable();
    DecodedPicture decoded;
    std::string error;
    const bool ok = kind == PictureFileKind::Png
                        ? DecodePng(bytes.data(), bytes.size(), decoded, error)
                        : DecodeBmp(bytes.data(), bytes.size(), decoded, error);
    if (!ok && decoded.RefusedWidth > 0)
        throw EPictureTooLarge(path, decoded.RefusedWidth, decoded.RefusedHeight);
    if (!ok) throw EInvalidGraphic(path + ": " + error);
    // The decoder accepted the file; a walk that stops early keeps the chunks before the fault.
    if (kind == PictureFileKind::Png)
        WalkPngChunks(bytes.data(), bytes.size(), decoded.PngChunks, error);
    return decoded;
}

namespace {

std::vector<uint8_t> EncodePictureFile(const std::string& path, const Picture& picture,
                                       PictureFileKind kind) {
    std::vector<uint8_t> bytes;
    std::string error = "unknown picture file type";
    bool ok = false;
    switch (kind) {
    case PictureFileKind::Bmp:
        ok = EncodeBmp(picture, bytes, error);
        break;
    case PictureFileKind::Png:
        ok = EncodePng(picture, bytes, error);
        break;
    case PictureFileKind::Jpeg:
        ok = EncodeJpeg(picture, JpegQuality, bytes, error);
        break;
    case PictureFileKind::Unknown:
        break;
    }
    if (!ok) throw EInvalidGraphic(path + ": " + error);
    return bytes;
}

// Whether the file at `path` already holds these very pixels: its companions then still describe
// what is saved. A file that cannot be read holds none.
bool HoldsPixels(const std::string& path, const Picture& picture) {
    if (!FileExists(path)) return false;
    try {
        const Picture held = ReadPictureFile(path).Image;
        return held.Width == picture.Width && held.Height == picture.Height &&
               std::equal(held.Pixels.begin(), held.Pixels.end(), picture.Pixels.begin(),
                          picture.Pixels.end(),
                          [](uint32_t a, uint32_t b) { return ((a ^ b) & 0x00FFFFFFu) == 0; });
    } catch (const std::exception&) {
        return false;
    }
}

// Found as the loader finds them, in any letter case, beside the name saved to and beside the
// file a link under that name leads to; a link or anything but a plain file under a companion's
// name is the loader's to refuse, and is left alone. A JPEG is never loaded and has none.
std::vector<std::string> StaleCompanions(const std::string& path, const Picture& picture,
                                         PictureFileKind kind) {
    std::vector<std::string> stale;
    if (kind == PictureFileKind::Jpeg || HoldsPixels(path, picture)) return stale;
    for (const std::string& saved : {path, SaveTarget(path)})
        for (const char* extension : CompanionExtensions) {
            const std::string found = FindFileCaseInsensitive(
                ExtractFilePath(saved), HistogramFileName(ExtractFileName(saved), extension));
            if (!found.empty() && PlainFileExists(found) &&
                std::find(stale.begin(), stale.end(), found) == stale.end())
                stale.push_back(found);
        }
    return stale;
}

// The shown picture has written `path`, its own file from now on: the information window lists
// that file's chunks, not those of the file the picture was read from.
void ShownPictureWrote(const std::string& path) {
    StampShownFile(path);
    DisplayedPngChunks.clear();
    std::vector<uint8_t> bytes;
    std::string error;
    if (PictureKindOf(path) == PictureFileKind::Png && ReadWholeFile(path, bytes))
        WalkPngChunks(bytes.data(), bytes.size(), DisplayedPngChunks, error);
}

} // namespace

const std::array<const char*, 4> CompanionExtensions = {"adc", "ads", "adt", "rs3"};

std::string HistogramFileName(const std::string& imageName, std::string_view extension) {
    const size_t dot = imageName.rfind('.');
    if (dot == std::string::npos) return imageName + "." + std::string(extension);
    std::string name = imageName;
    const size_t replaced = std::min<size_t>(3, name.size() - dot - 1);
    name.replace(dot + 1, replaced, extension);
    return name;
}

void WritePictureFile(const std::string& path, const Picture& picture, PictureFileKind kind,
                      const TReplaceLeave& leave, const std::vector<std::string>& alsoWritten) {
    const std::vector<uint8_t> bytes = EncodePictureFile(path, picture, kind);
    const std::vector<std::string> stale = StaleCompanions(path, picture, kind);
    // One question for every file the save replaces or removes, before any of them changes: a
    // companion of another picture that shares the name is that picture's, and goes only when
    // the user says so.
    std::vector<std::string> files = {path};
    files.insert(files.end(), stale.begin(), stale.end());
    files.insert(files.end(), alsoWritten.begin(), alsoWritten.end());
    TWriteRun run;
    if (!run.MayWrite(files, leave)) throw EFileKept(path);
    WriteFileOrRaise(path, bytes, leave);
    for (const std::string& companion : stale)
        RemoveFile(companion, leave);
}

void WriteMadePictureFile(const std::string& path, const Picture& picture, PictureFileKind kind,
                          const TReplaceLeave& leave) {
    const std::vector<uint8_t> bytes = EncodePictureFile(path, picture, kind);
    WriteMadeFileOrRaise(path, bytes.data(), bytes.size(), leave);
}

std::string PictureLogFile(const std::string& path) {
    const std::string folder = ExtractFilePath(path);
    const std::string log = HistogramFileName(ExtractFileName(path), "dip");
    const std::string found = FindFileCaseInsensitive(folder, log);
    return found.empty() ? folder + log : found;
}

int ConversionMessage(int sourceBits) {
    switch (sourceBits) {
    case 4:
        return 41;
    case 8:
        return 42;
    case 15:
        return 43;
    case 16:
        return 44;
    case 32:
        return 45;
    default:
        return 0;
    }
}

bool LoadPictureFile(const std::string& directory, const std::string& name) {
    HookBusyCursor(true);
    HookProcessMessages();
    // Decoded whole before anything changes: a file that cannot be read leaves the previous
    // picture, its buffers and its name, so a later Save cannot write the old picture over the
    // file that failed. A picture the memory cannot hold is refused before its pixels are
    // decoded, and the new buffers are had while the previous picture keeps its own: when
    // either fails, the previous picture is left whole and the new one's memory is given back.
    DecodedPicture decoded;
    int64_t width = 0, height = 0;
    bool fits = true;
    try {
        decoded = ReadPictureFile(directory + name);
        width = decoded.Image.Width;
        height = decoded.Image.Height;
        fits = ReserveImageBuffers(decoded.Image.Width, decoded.Image.Height);
    } catch (const EPictureTooLarge& e) {
        width = e.Width;
        height = e.Height;
        fits = false;
    }
    if (!fits) {
        HookBusyCursor(false);
        ShowMessageNumber(39956, PictureMemoryText(width, height));
        return false;
    }

    if (ImageBuffersAllocated) {
        FreeImageBuffers();
        if (Hooks.HistogramDisableAllNewFile) Hooks.HistogramDisableAllNewFile();
        if (Hooks.HistogramDisableAll) Hooks.HistogramDisableAll();
    }
    if (const int message = ConversionMessage(decoded.SourceBits)) ShowMessageNumber(message);
    PictureProgress(0);
    HookStatus(0, name);
    NoteAnotherPicture();
    DisplayedPicture = std::move(decoded.Image);
    DisplayedPngChunks = std::move(decoded.PngChunks);
    HookPictureChanged();
    // The name follows the picture on screen even when its buffers cannot be made, so a Save
    // never writes this picture under the previous one's name.
    ImageDirectory = directory;
    SetImageName(directory, name);
    StampShownFile(directory + name);
    HookStatus(1, "Loading Image and Stats");
    // The status goes once the load has ended, done or failed, unless the companion files' status
    // took its place.
    struct LoadStatusEnd {
        bool Replaced = false;
        ~LoadStatusEnd() {
            if (!Replaced) HookStatus(1, "");
        }
    } statusEnd;
    HookProcessMessages();
    AllocImageBuffers();
    if (ImageBuffersAllocated) {
        if (Hooks.EnableImageCommands) Hooks.EnableImageCommands(true);
        if (Hooks.EnableObjectMenus) Hooks.EnableObjectMenus(true);
        if (Hooks.LoadOrMakeHistogramFiles) Hooks.LoadOrMakeHistogramFiles();
        const std::string dip = ChangeFileExt(name, ".DIP");
        const std::string existing = FindFileCaseInsensitive(directory, dip);
        if (!existing.empty()) {
            if (Hooks.RIHOpenDIPHeader) Hooks.RIHOpenDIPHeader(ExtractFileName(existing));
        } else if (Hooks.RIHMakeAllHeaders) {
            Hooks.RIHMakeAllHeaders(dip, DisplayedPicture.Width, DisplayedPicture.Height);
        }
        // The counting pass copied the picture for processing; a fresh picture still has
        // nothing to undo.
        HookUndoEnabled(false);
        if (CompanionFilesKeptInMemory()) {
            HookStatus(1, CompanionFilesInMemoryStatus);
            statusEnd.Replaced = true;
        }
    }
    HookBusyCursor(false);
    HookProcessMessages();
    return true;
}

namespace {
// The log a logged save writes after the picture, asked about with it.
std::vector<std::string> LoggedWith(const std::string& path, bool logged) {
    if (!logged) return {};
    return {PictureLogFile(path)};
}
} // namespace

bool SavePictureFile(bool logged) {
    // The picture's own file, replaced as the picture read or last wrote it: a file another
    // window or program has changed since is replaced only when the user says so.
    const std::string path = CurrentImageFolder + CurrentImageName;
    if (!SavePictureByExtension(DisplayedPicture, path, ShownPictureLeave(),
                                LoggedWith(path, logged)))
        return false;
    ShownPictureWrote(path);
    return true;
}

bool SavePictureByExtension(const Picture& picture, const std::string& path,
                            const TReplaceLeave& leave,
                            const std::vector<std::string>& alsoWritten) {
    if (picture.Empty()) {
        ShowMessageNumber(46);
        return false;
    }
    const PictureFileKind kind = PictureKindOf(path);
    if (kind != PictureFileKind::Bmp && kind != PictureFileKind::Png) {
        HookShowMessage(MsgKind::Information, FileTypeUnknown, MessageX, MessageY);
        return false;
    }
    HookBusyCursor(true);
    HookProcessMessages();
    WritePictureFile(path, picture, kind, leave, alsoWritten);
    HookBusyCursor(false);
    HookProcessMessages();
    return true;
}

bool CompanionFilesKeptInMemory() {
    // A folder that is not there is no read-only folder: a write to it fails and says so.
    const std::string dir = CurrentImageFolder.empty() ? std::string("./") : CurrentImageFolder;
    return DirectoryExists(dir) && !DirectoryWritable(dir);
}

void PictureProgress(int32_t percent) {
    HookSetGauge(std::clamp(percent, 0, 100));
    HookStatus(1, IntToStr(percent));
}

std::string NextNumberedFileName(const std::string& folder, const std::string& name) {
    const std::string ext = ExtractFileExt(name);
    std::string base = name.substr(0, name.size() - ext.size());
    // A numbered name ends in "A" and three digits just before its extension.
    int counter = 0;
    const size_t n = base.size();
    if (n >= 4 && base[n - 4] == 'A' && IsDigit(base[n - 3]) && IsDigit(base[n - 2]) &&
        IsDigit(base[n - 1])) {
        counter = (base[n - 3] - '0') * 100 + (base[n - 2] - '0') * 10 + (base[n - 1] - '0');
        base.resize(n - 4);
    }
    auto numbered = [&](int c) { return base + "A" + FormatInt(c, 3, true) + ext; };
    // A name is taken in any letter case, as derived names are found: fieldA001.PNG and
    // fieldA001.png are one picture to the user, and to a case-blind copy of the folder. A link
    // that names nothing takes its name too: the save would make the file it names.
    auto taken = [&](int c) { return NameTakenInAnyCase(folder, numbered(c)); };
    counter = std::min(counter + 1, 999);
    while (counter < 999 && taken(counter))
        ++counter;
    if (counter == 999) {
        ShowMessageNumber(39983);
        // The picture keeps its name when the last number is taken: under fieldA999's name the
        // next plain Save would write over that file.
        if (taken(counter)) return "";
    }
    return numbered(counter);
}

bool SaveNumberedPicture(const std::string& folder, const std::string& name, bool logged) {
    const std::string numbered = NextNumberedFileName(folder, name);
    if (numbered.empty()) return false;
    // A name nobody holds: one made meanwhile, and another picture's companions under it, are
    // replaced only when the user says so.
    if (!SavePictureByExtension(DisplayedPicture, folder + numbered, TReplaceLeave::None(),
                                LoggedWith(folder + numbered, logged)))
        return false;
    SetImageName(folder, numbered);
    ShownPictureWrote(folder + numbered);
    return true;
}

bool SaveNumberedPicture(bool logged) {
    return SaveNumberedPicture(CurrentImageFolder, CurrentImageName, logged);
}

bool SavePictureAs(const std::string& path, const TReplaceLeave& leave, bool logged) {
    if (!SavePictureByExtension(DisplayedPicture, path, leave, LoggedWith(path, logged)))
        return false;
    // The leave was for this write: from now on the file is the picture's own, by its stamp.
    SetImageName(ExtractFilePath(path), ExtractFileName(path));
    ShownPictureWrote(path);
    return true;
}
