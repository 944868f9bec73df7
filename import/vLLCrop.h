// The import window's "DIH->DIS LL" page without its window: a DIH scene cropped by a box of
// longitudes and latitudes. The box goes into the scene's map coordinates through the projection
// library, becomes whole pixel bounds of the scene, and is cut by the XY crop.
#pragma once

#include "import/vBandImport.h"

#include <array>
#include <string>

// The page's texts, as its edits hold them.
struct TLLCropValues {
    std::string DIHSubsetFileEdit; // the DIH's file name
    std::string DIHSubsetDISEdit;  // the new DIS name
    std::string DIHSubsetLCEdit, DIHSubsetRCEdit, DIHSubsetTREdit, DIHSubsetBREdit;
    std::string DIHSubsetWEdit, DIHSubsetHEdit;
    // Longitude and latitude (decimal degrees) of the box's top left, top right, bottom left and
    // bottom right corners: TopLeftXEdit, TopLeftYEdit, TopRightXEdit ... BottomRightYEdit.
    std::array<std::string, 8> Box;
    // The corners in the scene's map coordinates: DDLLEdit1 .. DDLLEdit8.
    std::array<std::string, 8> DDLL;
    // The pixel bounds found, as the XY crop takes them.
    TCropRect Bounds;
    bool BoundsSet = false;
};

// Reads the DIH (its bounds into SubsetBounds, message 39971 for one that is not a whole number)
// and fills the page; the box starts as the scene's corners. DISLoaded only when the DIH's
// coordinates are marked valid, else message 39966. A DIH the XY crop refuses clears DISLoaded
// and leaves `scene` and the page as they were; false then.
bool ChooseDIHForLLCrop(const std::string& dihPath, TLLCropValues& page, TCropScene& scene);

// The box into map coordinates (DDLL) and pixel bounds (Bounds); false when the scene is not
// projected (message 39964), the projection or a corner failed, or the box misses the scene.
bool LatLongToMetersToIMAGEPixels(TLLCropValues& page);

// The crop: 0, or the message that refused it (39993, 27, 39965 and the XY crop's own), nothing
// written then. The new DIS keeps the box and its map corners as its registration.
int LLCropScene(TCropScene& scene, TLLCropValues& page, bool& tooManyBands,
                TBandGauge gauge = nullptr, TBandHint hint = nullptr);
