// Any bytes as a State Plane zone file: a set-up refuses or sets up its zone, never reads past
// a record, and the zone's projection runs on whatever the record held.
// Seeds: projections/nad27sp
#include "fuzz/FuzzSupport.h"
#include "projections/kovStatePlane.h"
#include "runtime/RtFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StatePlaneFileDirectory = ExtractFilePath(FuzzFile("nad27sp", data, size));
    for (int zone : {101, 2111, 5001, 5400}) {
        LastStatePlaneZone = 0;
        ClearProjectionLog();
        if (StatePlaneForwardInit(zone, StatePlaneNad27) != OK) continue;
        double x = 0, y = 0, lon = 0, lat = 0;
        StatePlaneForward(-1.5, 0.6, x, y);
        StatePlaneInverse(x, y, lon, lat);
    }
    return 0;
}
