#include "import/vHeaderState.h"

TDIHRecord DIHRecord;
std::vector<RegistrationPoint> RegistrationPoints;
TSubsetBounds SubsetBounds;
bool DISLoaded = false;
const std::array<const char*, BandSlotCount> BandSlotLabels = {"1",  "2",  "3", "4", "5",
                                                               "6L", "6H", "7", "8"};
std::array<std::string, BandSlotCount> SelectedBandFiles;
std::string SceneFolder;
