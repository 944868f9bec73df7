// Labelled listings of the DIH and DIS headers: one "key: value" line per header value, in the
// order of the header file, for people to read; saved as text or printed, never read back.
#pragma once

#include "import/vHeaderPages.h"

#include <string>
#include <vector>

// The key of a DIH line as the listing writes it ("Scene Title: "); empty for a line the
// listing leaves out and for the DLG values DLGPP1 to DLGPPP8, listed without a key.
std::string DIHListingKey(DIHField f);
// The key of a DIS line ("DIS Subset Left: ").
std::string DISListingKey(DISField f);

std::vector<std::string> LabelDIHLines(const THeaderPages& pages);
std::vector<std::string> LabelDISLines(const THeaderPages& pages);

// Writes `lines` as the text file `chosen` unless that is the header file `headerPath` itself,
// however either is spelt, which is refused with a message; true when the listing was written. A
// failed write raises the run time's input/output error.
bool SaveHeaderListing(const std::string& chosen, const std::string& headerPath,
                       const std::vector<std::string>& lines);
