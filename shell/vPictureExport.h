// Writing a copy of a picture under a name the user chooses, as BMP or JPEG: the name proposed
// from the picture's own, the save dialog, and the extension check. The picture's own name and
// folder do not change.
#pragma once

#include "shell/vPictureFiles.h"

#include <string>

struct ExportFormat {
    PictureFileKind Kind;
    const char* Extension;
    const char* Filter;
    const char* DefaultExt;
    const char* Upper;
    const char* Lower;
};

extern const ExportFormat BmpExport;
extern const ExportFormat JpegExport;

// Message 46 for an empty picture. Otherwise the save dialog proposes `path` with the format's
// extension; only a confirmed name with that extension in either case is written. The gauge is
// reset to 0 afterwards.
void ExportPictureCopy(const Picture& picture, const std::string& path, const ExportFormat& format);
