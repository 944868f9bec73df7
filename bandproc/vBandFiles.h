// Band files as the band-product runs stream them: raw 8-bit rows without a header. A reader
// proves its file holds every row it will be asked for before the run allocates or creates
// anything; a product is written into a temporary beside its name and takes that name only when
// the whole run has succeeded, so a failed run leaves every old product as it was.
#pragma once

#include "import/vHeaderState.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"

#include <cstdint>
#include <string>
#include <vector>

// Sides and areas beyond these come from a damaged header, never from a scene: one row of a
// product may be three input rows wide, and a run must not ask for memory without bound.
constexpr int64_t MaxBandSide = int64_t{1} << 20;
constexpr int64_t MaxBandPixels = int64_t{1} << 36;

// Width and height of a run and its row numbering.
struct TBandGeometry {
    int64_t W = 0;
    int64_t H = 0;
    int32_t Left = 0;
    int32_t Top = 0;
};

// True when 1 <= w, h <= MaxBandSide and w * h <= MaxBandPixels.
bool SaneBandSize(int64_t w, int64_t h);
// The geometry of the subset; false (message 36 shown) when its size is not sane.
bool SubsetGeometry(const TSubsetBounds& bounds, TBandGeometry& g);
// True, with message 36 naming the file, when the band at `path` holds more than w x h samples: a
// band of another scene (or of this one cut again at another size) would be read folded into the
// wrong rows. A missing or short file is left to the reader's own error.
bool RefuseMisfitBand(const std::string& path, int64_t w, int64_t h);
// A run ended on a band refused by RefuseMisfitBand: its message is shown, and the error guard
// ends the action on it without a box, as on a file the user kept.
class EBandRefused : public EFileKept {
  public:
    using EFileKept::EFileKept;
};
// The gauge after `rowsDone` of `rows` rows: the share done, 0..100.
int RowGauge(int64_t rowsDone, int64_t rows);

// The run's folder moves to `folder`, and the window's dialogs open there.
void MoveSceneFolder(const std::string& folder);
// SceneFolder + the edit's text with its extension replaced by (or extended with) `ext`.
std::string ProductFileName(const std::string& editText, const char* ext);
// Whether a product's name box names a file: empty or only an extension, its products would be
// hidden files named by their extensions alone.
bool ProductNamed(const std::string& editText);
// True, with message 39993, when the box does not name a product; with 39953 when it holds a
// folder: the products lie in the scene's folder.
bool RefuseEmptyName(const std::string& editText);
// True, with message 27, when an output would be one of the inputs it is made from, under any
// spelling of its path or through a link. Every writer of products asks before it opens
// anything, so a refused run writes nothing.
bool RefuseOutputOverInput(const std::vector<std::string>& outputs,
                           const std::vector<std::string>& inputs);
// The gate of every product run, before it opens anything: RefuseOutputOverInput, then the
// writer's question about the outputs that exist and are not products this window wrote and
// nobody has changed since (true, nothing said further, when the user keeps them).
bool RefuseProducts(const std::vector<std::string>& outputs,
                    const std::vector<std::string>& inputs);

// A band run that adds its record to the scene's DIS once its products are written: while it
// lasts, the question of RefuseProducts names that DIS with the products (the window may replace
// it unasked while it is as the window read or last wrote it, `stamp`), so the user is asked once,
// before anything is written, about every file the run would replace, and a No writes nothing at
// all. What the user let go stays let go for the whole run: the DIS's own save asks no more.
class TRecordedRun {
  public:
    TRecordedRun(const std::string& dis, const TFileStamp& stamp);
    ~TRecordedRun();
    TRecordedRun(const TRecordedRun&) = delete;
    TRecordedRun& operator=(const TRecordedRun&) = delete;

  private:
    TWriteRun Run;
    std::string OuterDIS;
    TFileStamp OuterStamp;
};

class TBandReader {
  public:
    TBandReader() = default;
    // Opens `path` for rows of `rowBytes` bytes. Raises file not found, or read beyond end of
    // file when it holds fewer than `rows` rows.
    TBandReader(const std::string& path, int64_t rowBytes, int64_t rows);
    TBandReader(TBandReader&& o) noexcept;
    TBandReader& operator=(TBandReader&& o) noexcept;
    TBandReader(const TBandReader&) = delete;
    TBandReader& operator=(const TBandReader&) = delete;
    ~TBandReader();

    // The next row into `row` (rowBytes bytes); raises the read error when the file ends early.
    void ReadRow(uint8_t* row);
    // Back to the first row, for a second pass.
    void Rewind();

  private:
    int Fd = -1;
    int64_t RowBytes = 0;
};

class TProductWriter {
  public:
    TProductWriter() = default;
    // Creates the temporary of `path`; raises the write error when it cannot.
    explicit TProductWriter(const std::string& path);

    void WriteRow(const uint8_t* row, int64_t bytes);
    // Flushes and closes the temporary (a run may hold more products than it can keep open).
    void Close();
    // Closes if needed and gives the temporary its name, replacing any file of that name.
    void Commit();
    const std::string& Path() const { return File.Target(); }

  private:
    // A temporary that is never committed is removed with it.
    TReplacingFile File;
};
