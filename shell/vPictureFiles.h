// Opening, saving and exporting the displayed picture by file name: the engine behind the main
// window's file commands, with the numbered names and the caption. A load decodes the whole
// file before it touches the shared state; a save encodes the whole file before it replaces it.
#pragma once

#include "runtime/RtFiles.h"
#include "shell/vPictureCodecs.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class PictureFileKind { Unknown, Bmp, Png, Jpeg };

// By the name's extension compared in lower case.
PictureFileKind PictureKindOf(const std::string& name);

// A picture file whose size the memory cannot hold (PictureMemoryFits), refused before
// anything was allocated for its pixels.
class EPictureTooLarge : public EInvalidGraphic {
  public:
    EPictureTooLarge(const std::string& path, int64_t width, int64_t height);
    int64_t Width;
    int64_t Height;
};
// "23000 x 23000 needs 5290 MB, 2930 MB allowed"
std::string PictureMemoryText(int64_t width, int64_t height);

// Reads and decodes a BMP or PNG file. Throws EInvalidGraphic for an unknown kind or a file
// that is not a valid picture (EPictureTooLarge for one too big for the memory), EInOutError
// when it cannot be read.
DecodedPicture ReadPictureFile(const std::string& path);
// The companion file's name for a picture: the (up to) three characters after the last "."
// become the extension; a name without a "." gets it appended.
std::string HistogramFileName(const std::string& imageName, std::string_view extension);
// The extensions of the companions kept beside a picture: counts, tables, statistics, colour cube.
extern const std::array<const char*, 4> CompanionExtensions;

// Writes the picture as BMP, PNG or JPEG (quality 90) under the writer's replace rule. Throws
// EInvalidGraphic when it cannot be encoded, EInOutError when the file cannot be replaced and
// EFileKept when the user keeps it; the old file is then intact.
// Companions beside a BMP or PNG are removed unless the file replaced held these very pixels:
// they counted other pixels, and the next load would read them in place of counting the new
// ones. They go under the same leave as the picture, and together with `alsoWritten` (the log a
// save writes next) every file not covered is asked about in one question before anything is
// written; kept, nothing is.
void WritePictureFile(const std::string& path, const Picture& picture, PictureFileKind kind,
                      const TReplaceLeave& leave, const std::vector<std::string>& alsoWritten = {});
// The same for a picture the program makes on its own under a derived name (a cached preview):
// a name that is a link or anything but a plain file is refused with "File access denied". It
// has no companions: those under its name are another picture's.
void WriteMadePictureFile(const std::string& path, const Picture& picture, PictureFileKind kind,
                          const TReplaceLeave& leave);
// The log kept beside the picture at `path`, as it is found, else the name it is made under.
std::string PictureLogFile(const std::string& path);

// The message naming the format a picture is converted from (41 to 45); 0 for none.
int ConversionMessage(int sourceBits);

// Loads directory + name as the displayed picture and working image: the previous picture's
// buffers are freed, the new one named (ImageDirectory and CurrentImageFolder := directory), its
// buffers made, the
// image commands enabled, its histogram files and headers opened or made. A file that cannot
// be read throws and leaves everything as it was; a picture the memory cannot hold is refused
// with message 39956 naming its size, and leaves everything as it was too.
// False when the picture was refused and the shown one stays (the refusal has been reported).
bool LoadPictureFile(const std::string& directory, const std::string& name);
// The plain message of a save to a name that is neither ".bmp" nor ".png".
extern const char* const FileTypeUnknown;
// Writes the displayed picture to CurrentImageFolder + CurrentImageName when its extension is
// ".bmp" or ".png" in any case; message 46 when there is no picture, FileTypeUnknown for another
// extension. True when written; a save that writes nothing has said why.
// The picture's own file is replaced as it was read or last written (ShownPictureLeave); one
// changed since is replaced only when the user says so. `logged`: the command writes the
// picture's log next, which is asked about with the picture.
bool SavePictureFile(bool logged = false);
// The same for any picture and path.
bool SavePictureByExtension(const Picture& picture, const std::string& path,
                            const TReplaceLeave& leave,
                            const std::vector<std::string>& alsoWritten = {});

// True when the displayed picture's folder is there but cannot be written (a shared drive, a
// mounted disc): its headers and log are then kept in memory and not saved beside it.
bool CompanionFilesKeptInMemory();
extern const char* const CompanionFilesInMemoryStatus;

// The main window's gauge (capped at 100) and status panel 1 (the number).
void PictureProgress(int32_t percent);

// The next numbered name after `name` (base + "A" + three digits + extension) not present in
// `folder`. At 999 it shows message 39983; when fieldA999 exists too the result is empty: nothing
// may be written. The shown picture's name is not touched: band tiles are numbered by it too.
std::string NextNumberedFileName(const std::string& folder, const std::string& name);
// Writes the displayed picture under the next numbered name after folder + name and only then
// names the picture so: a save that fails leaves the name, so the next one tries the same number.
// False when nothing was written.
bool SaveNumberedPicture(const std::string& folder, const std::string& name, bool logged = false);
bool SaveNumberedPicture(bool logged = false);
// Writes the displayed picture to `path` (".bmp" or ".png" in any case) and only then names the
// picture after it. False, with the name as it was, when nothing was written. `leave` is for
// this write only: a dialog that named the picture named none of the files kept beside it.
bool SavePictureAs(const std::string& path, const TReplaceLeave& leave, bool logged = false);
