#include "bandproc/vBandFiles.h"

#include "import/vBandFiles.h"
#include "runtime/RtErrors.h"
#include "runtime/RtFiles.h"
#include "runtime/RtNumbers.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

bool SaneBandSize(int64_t w, int64_t h) {
    return w >= 1 && h >= 1 && w <= MaxBandSide && h <= MaxBandSide && w * h <= MaxBandPixels;
}

bool SubsetGeometry(const TSubsetBounds& bounds, TBandGeometry& g) {
    g.W = bounds.Width();
    g.H = bounds.Height();
    g.Left = bounds.SubsetLeft;
    g.Top = bounds.SubsetTop;
    if (SaneBandSize(g.W, g.H)) return true;
    ShowMessageNumber(36);
    return false;
}

bool RefuseMisfitBand(const std::string& path, int64_t w, int64_t h) {
    const int64_t size = FileSizeOf(path);
    if (size <= w * h) return false;
    ShowMessageNumber(36, path);
    return true;
}

int RowGauge(int64_t rowsDone, int64_t rows) {
    return rows > 0 ? static_cast<int>(rowsDone * 100 / rows) : 0;
}

void MoveSceneFolder(const std::string& folder) {
    SceneFolder = folder;
    ImageDirectory = folder;
}

std::string ProductFileName(const std::string& editText, const char* ext) {
    return SceneFolder + ChangeFileExt(editText, ext);
}

bool ProductNamed(const std::string& editText) {
    return !ExtractFileName(ChangeFileExt(editText, "")).empty();
}

bool RefuseEmptyName(const std::string& editText) {
    if (RefuseFolderInName(editText)) return true;
    if (ProductNamed(editText)) return false;
    ShowMessageNumber(39993);
    return true;
}

namespace {
// The products the runs wrote, each as it was left: a later run may replace them unasked while
// nobody has changed them.
std::vector<TFileStamp> WrittenProducts;
// The products the last question let go: the run's writes that follow replace them unasked,
// also when no window's run is open around them.
std::vector<std::string> ProductsLetGo;
// The DIS the open run records into, as its window holds it; empty while none is open.
std::string RecordedDIS;
TFileStamp RecordedStamp;
} // namespace

TRecordedRun::TRecordedRun(const std::string& dis, const TFileStamp& stamp)
    : OuterDIS(std::exchange(RecordedDIS, dis)), OuterStamp(std::exchange(RecordedStamp, stamp)) {}

TRecordedRun::~TRecordedRun() {
    RecordedDIS = std::move(OuterDIS);
    RecordedStamp = std::move(OuterStamp);
}

bool RefuseProducts(const std::vector<std::string>& outputs,
                    const std::vector<std::string>& inputs) {
    if (RefuseOutputOverInput(outputs, inputs)) return true;
    std::vector<std::string> targets = outputs;
    std::vector<TFileStamp> own = WrittenProducts;
    if (!RecordedDIS.empty()) {
        targets.push_back(RecordedDIS);
        own.push_back(RecordedStamp);
    }
    ProductsLetGo.clear();
    TWriteRun run;
    if (!run.MayWrite(targets, TReplaceLeave::Own(std::move(own)))) return true;
    ProductsLetGo = outputs;
    return false;
}

bool RefuseOutputOverInput(const std::vector<std::string>& outputs,
                           const std::vector<std::string>& inputs) {
    if (!NamesAnInput(outputs, inputs)) return false;
    ShowMessageNumber(OutputIsInputMessage);
    return true;
}

TBandReader::TBandReader(const std::string& path, int64_t rowBytes, int64_t rows)
    : RowBytes(rowBytes) {
    // Rows are counted by dividing the length by the row: a row of no bytes holds no band.
    if (rowBytes < 1) throw EInOutError(EInOutError::ReadBeyondEnd);
    Fd = OpenDescriptorToRead(path);
    if (Fd < 0)
        throw EInOutError(errno == EACCES ? EInOutError::AccessDenied : EInOutError::FileNotFound);
    struct stat st;
    if (::fstat(Fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(Fd);
        Fd = -1;
        throw EInOutError(EInOutError::AccessDenied);
    }
    if (st.st_size / rowBytes < rows) {
        ::close(Fd);
        Fd = -1;
        throw EInOutError(EInOutError::ReadBeyondEnd);
    }
}

TBandReader::TBandReader(TBandReader&& o) noexcept
    : Fd(std::exchange(o.Fd, -1)), RowBytes(o.RowBytes) {}

TBandReader& TBandReader::operator=(TBandReader&& o) noexcept {
    if (this != &o) {
        if (Fd >= 0) ::close(Fd);
        Fd = std::exchange(o.Fd, -1);
        RowBytes = o.RowBytes;
    }
    return *this;
}

TBandReader::~TBandReader() {
    if (Fd >= 0) ::close(Fd);
}

void TBandReader::ReadRow(uint8_t* row) {
    int64_t done = 0;
    while (done < RowBytes) {
        const ssize_t n = ::read(Fd, row + done, static_cast<size_t>(RowBytes - done));
        if (n < 0 && errno == EINTR) continue;
        // The file shrank after it was opened, or cannot be read at all.
        if (n <= 0) throw EInOutError(EInOutError::ReadBeyondEnd);
        done += n;
    }
}

void TBandReader::Rewind() {
    if (::lseek(Fd, 0, SEEK_SET) != 0) throw EInOutError(EInOutError::ReadBeyondEnd);
}

TProductWriter::TProductWriter(const std::string& path) {
    // RefuseProducts asked about every product of the run before the first was opened: what the
    // user let go there, or stays let go in the window's open run, is replaced unasked.
    if (!File.Open(path,
                   TReplaceLeave::Own(WrittenProducts).And(TReplaceLeave::Chosen(ProductsLetGo)))) {
        RaiseIfKept(path);
        RaiseWriteFailure(path);
    }
}

void TProductWriter::WriteRow(const uint8_t* row, int64_t bytes) {
    if (!File.Write(row, static_cast<size_t>(bytes))) RaiseWriteFailure(File.Target());
}

void TProductWriter::Close() {
    if (!File.Close()) RaiseWriteFailure(File.Target());
}

void TProductWriter::Commit() {
    if (!File.Commit()) RaiseWriteFailure(File.Target());
    TFileStamp stamp = StampFile(File.Target());
    const auto same = [&stamp](const TFileStamp& s) { return s.Path == stamp.Path; };
    std::erase_if(WrittenProducts, same);
    WrittenProducts.push_back(std::move(stamp));
}
