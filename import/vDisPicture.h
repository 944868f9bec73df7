// The import window's "DIS->DIP" page without its window: a DIS subset chosen, one or three of
// its band files, and a picture made of them that becomes the current image with its own
// processing-history log, listed among the DIS's pictures.
#pragma once

#include "import/vHeaderPages.h"

#include <string>

// The page's texts, as its edits hold them.
struct TDisPicturePage {
    std::string BandHdrEdit;   // the DIS file name
    std::string BandFileEdit1; // red (or grey) band file name
    std::string BandFileEdit2; // green
    std::string BandFileEdit3; // blue
    std::string BandFileSaveAs;
    std::string STEdit2, SCEdit3, NBEdit4;              // scene title, sensor, band count
    std::string DISLEdit, DISREdit, DISTEdit, DISBEdit; // the subset bounds
    std::string IMWEdit, IMHEdit;                       // the subset's width and height
};

// The name the picture edit holds until one is typed; no picture is made under it.
extern const char* const PicturePlaceholderName;
// The folder of the chosen DIS: its band files are looked for there and the picture is made there.
extern std::string DISPictureFolder;
// The chosen DIS and its DIH as the page read them: the picture is listed in that DIS and its log
// names that DIH, whatever headers the import window's pages hold by then.
extern THeaderPages DISPicturePages;

// The chosen DIS and its DIH read into the header pages, the subset into SubsetBounds (message
// 39971 for a bound that is not a whole number), the page filled, the picture's name proposed
// after the DIS with ".png"; the displayed image keeps its name and folder until a picture is
// made. Message 39967 when the bounds disagree with the stored size. A DIS that cannot be read, or
// whose DIH is missing (39998) or refused, clears DISLoaded and leaves the page and the image's
// name as they were; false then.
bool ChooseDISForPicture(const std::string& disPath, TDisPicturePage& page);
// Slot 0, 1, 2: the red, green or blue band file.
void ChooseBandForPicture(int slot, const std::string& bandPath, TDisPicturePage& page);
// Checks the page (each refusal its message, nothing written), lists the picture's DIP in the
// DIS, starts and saves its log and makes the picture: grey from the red band alone, else colour.
// True when the picture was made; only then does the displayed image take the picture's name,
// folder and caption.
bool MakeDISPicture(const TDisPicturePage& page);
