// The import window's band-file routines with their headers: the splitters describe the band
// files they make in a new DIH and DIS, the crop adds a DIS subset to the scene's DIH. The
// header state is HeaderPages, which a crop cuts from the DIH its scene was chosen with; band
// files and headers go to the input's folder, which becomes ImageDirectory.
#pragma once

#include "import/vBandFiles.h"
#include "import/vHeaderPages.h"
#include "shell/vPicture.h"

#include <array>
#include <string>

// Each returns 0 or the number of the message that refused the input, nothing written then:
// OutputIsInputMessage when the input bears the name of a band file or header the split makes.
int NalcSplitScene(const std::string& input, TBandGauge gauge = nullptr);
int RawSplitScene(const std::string& input, const TRawSplit& p, TBandGauge gauge = nullptr);

// A header's bound as a whole number; a text that is not one shows message 39971 and gives the
// value read up to there.
int64_t BoundValue(const std::string& text);

// The crop page's values after choosing a scene: its bounds (also in SubsetBounds) and bands.
struct TCropScene {
    std::string DIHPath;
    std::string DISName; // proposed: the DIH's name with ".dis"
    int64_t Left = 0, Right = 0, Top = 0, Bottom = 0;
    int64_t Bands = 0;
    bool Radar = false; // the scene's image type is "SLAR"
    // The DIH as chosen (and as the last crop wrote it): the crop cuts this scene's bands,
    // whatever headers another window has put on the pages since.
    THeaderPages Pages;
};
// Reads the DIH into the header pages and `scene`; a bound that is not a whole number shows
// message 39971 and goes on with the value read up to there. DISLoaded says whether the scene
// may be cropped: false when the DIH was refused (`scene` and ImageDirectory then keep what they
// had), or when a bound lies outside 0..MaxSplitValue (message 36), which no split made.
bool ChooseCropScene(const std::string& dihPath, TCropScene& scene);
// Whether a crop's DIS named `disName` (in the scene's folder) would be the scene's own DIS.
bool NamesTheScenesDIS(const TCropScene& scene, const std::string& disName);

// The scene's 312 x 312 preview: the picture saved beside the DIH with ".BMP" when there is one,
// else painted from the first band (the fifth from six bands on; records of 4224 bytes after a
// 64-byte prefix for a radar scene) and saved there for the next choice.
Picture CropPreviewPicture(const TCropScene& scene, int64_t& step, TBandGauge gauge = nullptr);

// The output extension of crop band k (1..9) from a band-sequential source.
std::string SequentialCropExtension(int k);

// The message a crop refuses with when the DIH counts a band whose file it cannot find ("Header
// Crashed: Cancel or fix Number of Bands").
constexpr int MissingBandMessage = 39970;

// The message a crop refuses with when no name is typed for the new DIS ("NO HDR FILE NAME!?!").
constexpr int NoHeaderNameMessage = 39997;

// The hint shown while crop band k (1..9) is cut.
extern const std::array<const char*, 9> CropBandHints;

// Crops the chosen scene into band files named by `disName`, writes the new DIS and moves
// ImageDirectory to the scene's folder; 39993 when no scene was chosen and read (DISLoaded),
// OutputIsInputMessage when that name is the DIH's own or a product would replace one of the
// scene's files, BandSizeMessage when the rectangle leaves the scene or the rows, or the files
// are too short, MissingBandMessage when a counted band has no file; a refusal changes nothing.
// From separate band files, bands 6 to 9 take the first slot in their order that names a file
// and no earlier band took (6: 6L, 6H, 7; 7: 6H, 7; 8: 7, 8; 9: 8), and the product is named
// after that slot (".B6L", ".B6H", ".B70", ".B80"). tooManyBands tells the scene has more than
// the nine bands cropped. A name that is empty or only an extension: NoHeaderNameMessage.
int CropScene(TCropScene& scene, const std::string& disName, const TCropRect& rect,
              bool& tooManyBands, TBandGauge gauge = nullptr, TBandHint hint = nullptr);
