// Any bytes as a State Plane zone file: a set-up refuses or sets up its zone, never reads past
// a record, and the zone's projection runs on whatever the record held.
#include "projections/kovStatePlane.h"
#include "runtime/RtFiles.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = "/tmp/vorn-fuzz-" + std::to_string(getpid()) + "/";
    static const bool made = MakeDirectories(dir);
    if (!made) return 0;
    WriteFileAtomic(dir + "nad27sp", data, size);
    StatePlaneFileDirectory = dir;
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
