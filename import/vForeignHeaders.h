// Headers of other systems read into the DIH page: Landsat fast format (FST), ASCII DDR, IDX,
// the radar DAT record, HDF files and plain text, and the import that chooses the reader by
// extension and saves the DIH beside the foreign header. Every reader works on a copy of the
// page and keeps it only when the whole header was read: a short or malformed header shows a
// message and changes nothing.
#pragma once

#include "import/vHeaderPages.h"

#include <string>

// A header that ends before its last field, or a field that is not what it must be.
constexpr int ForeignHeaderDamagedMessage = 39958;
// A file named .hdf that the HDF library refuses to open.
constexpr int NotHDFMessage = 39957;
constexpr int RadarRecordSize = 4224;

// Each reader takes the full path; true when the page now holds the header's values.
bool RIHOpenFSTHeader(THeaderPages& pages, const std::string& fileName);
bool RIHOpenDDRHeader(THeaderPages& pages, const std::string& fileName);
bool RIHOpenIDXHeader(THeaderPages& pages, const std::string& fileName);
bool RIHOpenDATHeader(THeaderPages& pages, const std::string& fileName);
// Opens the file read-only through the HDF library and closes it again; no DIH field comes
// from it. A missing library raises EHdfLibraryError.
bool RIHOpenHDFHeader(THeaderPages& pages, const std::string& fileName);

struct HeaderImport {
    bool Saved = false;      // the DIH was written beside the foreign header
    bool ShowViewer = false; // the header viewer is to show the chosen file (DDR, IDX, TXT)
};

// The import of a chosen header file: a DIH is read as it is; for another extension an existing
// DIH of the same name is offered first (Yes reads it, No reads the foreign header, Cancel ends
// the import); then the reader chosen by extension. Only a successful read names the DIH after
// the file, moves ImageDirectory to its folder and saves it.
HeaderImport ImportHeaderFile(THeaderPages& pages, const std::string& fileName);
