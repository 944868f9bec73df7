// The import window's side of the projection library: the DIH's map and projection lines into
// DIHRecord and the two parameter blocks, the corner transformation run, the packed
// degrees-minutes-seconds texts, and the scene's map <-> pixel grid from its corners.
#pragma once

#include "import/vHeaderPages.h"

#include <array>
#include <string>
#include <vector>

// Refreshes the record's map and projection fields from the pages; a text that is not a number
// raises the run time's conversion error (fields before it keep what they took).
void CheckMapdData(const THeaderPages& pages);

// The hint list of a projection code (the "Proj out" choice); empty for a code outside 0..30.
std::vector<std::string> ProjectionHintLines(int code);

// Marks the projection valid and fills InParm from the record's target projection.
void SetMapAffine(THeaderPages& pages);

struct MapPoint {
    double X = 0.0;
    double Y = 0.0;
};
// Upper left, upper right, lower left, lower right.
using CornerPoints = std::array<MapPoint, 4>;

enum class ProjectionRunStatus {
    Done,             // every point went through its steps (see PointStatus)
    Unchanged,        // the two blocks are equal: nothing to do
    UnitError,        // a unit factor failed: its plain message was shown, no point changed
    AlreadyProjected, // "Is Projected" is set: a plain message was shown, nothing changed
};

struct ProjectionRun {
    ProjectionRunStatus Status = ProjectionRunStatus::Unchanged;
    // 0, or the failing step's status; when any point failed, no point changed.
    std::array<int, 4> PointStatus{};
    // The corners after the run, as SetMapProjection wrote them.
    CornerPoints Points{};
    bool AllPointsDone() const;
};

// One run from InParm's system to OutParm's: log cleared and named, set-ups, unit factors, then
// each point inverse, datum shift (unless ignoreDatum), forward and scaled; a geographic source
// point off the globe's ranges fails with "Input data error". Every failed point has its routine
// and message in the log. The points change only when every one went through. The main gauge
// shows the progress over the points.
ProjectionRun RunMapProjection(CornerPoints& points, bool ignoreDatum, bool ignoreErrors);

// Longitudes and latitudes in decimal degrees on NAD27 -> the DIH's "Proj out" system:
// CheckMapdData, SetMapAffine, OutParm := InParm, InParm := geographic degrees with datum 13.
void PrepareLonLatToScene(THeaderPages& pages);
// The reverse: the DIH's system -> decimal degrees on NAD27.
void PrepareSceneToLonLat(THeaderPages& pages);

// Four corners as texts: x then y (longitude then latitude) of the top left, top right, bottom
// left and bottom right corners.
using CornerTexts = std::array<std::string, 8>;

constexpr int ProjectExtentCorners = 1;
constexpr int ProjectLLCropBox = 2;

// The page's projection run on blocks already filled. Mode 1 (ProjectExtentCorners) turns the
// four "Extent" corners in place and then checks the coordinates-valid and is-projected boxes;
// mode 2 (ProjectLLCropBox) turns the LL crop page's `box` into `ddll` and then checks the DIS's
// registration-valid box. When any corner fails, no text changes and that box is cleared. The
// run's Points hold what was written. Another mode, or mode 2 without both texts, transforms
// nothing.
ProjectionRun SetMapProjection(int mode, THeaderPages& pages, const CornerTexts* box = nullptr,
                               CornerTexts* ddll = nullptr);

// The "Extent" corners in decimal degrees on NAD27 into the "Proj out" system (the Transform
// button): PrepareLonLatToScene, then SetMapProjection(ProjectExtentCorners). Refused, with a
// message and nothing changed, while "Is Projected" is checked.
ProjectionRun DIHTransformCorners(THeaderPages& pages);

// "N46 56 30" / "E007 25 59" (any case) to decimal degrees in the shortest form. Changed: text
// holds the value; NotDMS: another first letter, text untouched; BadPart: a part is not an
// unsigned whole number, minutes or seconds pass 59 or the angle passes 90 (latitude) or 180
// (longitude) degrees; text untouched and `code` the conversion's error position.
enum class DMSResult { Changed, NotDMS, BadPart };
DMSResult DMSTextToDecimal(std::string& text, int& code);

// The scene's pixel grid: map coordinates of the outer corners of the upper-left and lower-right
// pixels, the pixel size, and the scene's inclusive pixel bounds.
struct SceneGrid {
    double ULX = 0.0, ULY = 0.0, LRX = 0.0, LRY = 0.0;
    double PixelX = 0.0, PixelY = 0.0;
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    // From the DIH lines: ULCoX/ULCoY, LRCoX/LRCoY, PixelXSize/PixelYSize (decimals accepted),
    // RIHLC, RIHRC, RIHTR, RIHBR. A pixel size that is not a positive number comes from the
    // corners and the bounds. False when the grid has no extent.
    static bool FromPages(const THeaderPages& pages, SceneGrid& grid);

    // Fractional column and row (0.0 = the left or top edge of the first pixel) and back.
    void MapToPixel(double x, double y, double& column, double& row) const;
    void PixelToMap(double column, double row, double& x, double& y) const;

    // Whole pixel bounds of a box of map points, clipped to the scene: left and top measured
    // from the upper-left corner, right and bottom from the lower-right. False when the box
    // misses the scene.
    bool BoxToPixelBounds(const CornerPoints& box, TSubsetBounds& bounds) const;
};
