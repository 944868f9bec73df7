// Line-feature engines: isolines, edge follower, level slicing and contour intervals.
#include "histogram/vUILinear.h"

#include "runtime/RtNumbers.h"
#include "shell/vGlobal.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr uint8_t M = LinearMarkValue;
// Blue, green, red as the buffers hold them.
constexpr uint8_t RedMark[3] = {0, 0, M};
constexpr uint8_t GreenMark[3] = {0, M, 0};
constexpr uint8_t BlueMark[3] = {M, 0, 0};
constexpr uint8_t White[3] = {255, 255, 255};

inline void Put(uint8_t* dst, const uint8_t* colour) {
    dst[0] = colour[0];
    dst[1] = colour[1];
    dst[2] = colour[2];
}

// v and n lie on either side of the level, neither on it.
inline bool Crosses(int v, int level, int n) {
    return (v < level && level < n) || (n < level && level < v);
}

// The interior loop of the neighbourhood engines: rows and columns 1 .. last - 1, with progress
// after each row. `pixel(src, dst)` gets the undo pixel and the work pixel at the same offset.
template <class PixelFn> void InteriorPass(const PixelFn& pixel) {
    for (int32_t y = 1; y < ImageMaxY; ++y) {
        const uint8_t* src = UndoRow(y) + 3;
        uint8_t* dst = WorkRow(y) + 3;
        for (int32_t x = 1; x < ImageMaxX; ++x, src += 3, dst += 3)
            pixel(src, dst);
        ShowProgress(RowPercent(y, ImageMaxY));
    }
}

// ---- Edge follower ----

// Green values of a point and its eight neighbours.
struct Window {
    int C, N, NE, E, SE, S, SW, W, NW;
};

struct Move {
    int Dx, Dy;
    double Length;
};

// The first rule that holds for the window and mark value m; false when none does.
bool FollowRule(const Window& w, int m, Move& move) {
    if (w.C == w.N && w.C != w.NE && w.NE != m) {
        move = {0, 1, 1.0};
    } else if (w.C == w.NW && w.C != w.E && w.C != w.NE && w.C != w.N && w.E != m && w.NE != m &&
               w.N != m) {
        move = {-1, 1, 1.5};
    } else if (w.C == w.W && w.S == m && w.C != w.E && w.E != m && w.C != w.NE && w.C != w.N &&
               w.C != w.NW && w.NE != m && w.N != m && w.NW != m) {
        move = {-1, 0, 0.5};
    } else if (w.C == w.W && w.E == m && w.C != w.NE && w.C != w.N && w.C != w.NW && w.NE != m &&
               w.N != m && w.NW != m) {
        move = {-1, 0, 0.5};
    } else if (w.C == w.NE && w.C != w.E && w.E != m) {
        move = {1, 1, 1.5};
    } else if (w.C == w.E && w.SW == m && w.C != w.S && w.SE != w.C && w.S != m && w.SE != m) {
        move = {1, 0, 0.5};
    } else if (w.C == w.E && w.S == m && w.SE != w.C && w.SE != m) {
        move = {1, 0, 0.5};
    } else if (w.C == w.E && w.W == m && w.SE != w.C && w.C != w.S && w.SE != m && w.S != m) {
        move = {1, 0, 0.5};
    } else {
        return false;
    }
    return true;
}

inline int UndoGreen(int32_t x, int32_t y) {
    return UndoRow(y)[3 * x + 1];
}

// The next step from (x, y), or false where the trace ends. A point on the outer frame ends it:
// its neighbours lie outside the picture.
bool NextStep(int32_t x, int32_t y, int m, Move& move) {
    if (x <= 0 || y <= 0 || x >= ImageMaxX || y >= ImageMaxY) return false;
    const Window w{UndoGreen(x, y),         UndoGreen(x, y + 1),     UndoGreen(x + 1, y + 1),
                   UndoGreen(x + 1, y),     UndoGreen(x + 1, y - 1), UndoGreen(x, y - 1),
                   UndoGreen(x - 1, y - 1), UndoGreen(x - 1, y),     UndoGreen(x - 1, y + 1)};
    return FollowRule(w, m, move);
}

// One pass of a trace from (x, y) with mark m, painting (0, m, 0). The moves depend only on the
// undo copy, so a trace that comes back to a point of its own path would circle for ever: it
// ends there as if no rule held. `visited` is all false on entry and on return. Returns the
// trace length and leaves (x, y) at the point where the trace ended.
double TracePass(int32_t& x, int32_t& y, int m, std::vector<uint8_t>& visited) {
    const int32_t width = ImageMaxX + 1;
    const int32_t startX = x, startY = y;
    double length = 1.0;
    int64_t steps = 0;
    Move move;
    while (NextStep(x, y, m, move)) {
        visited[static_cast<size_t>(y) * width + x] = 1;
        uint8_t* dst = WorkRow(y) + 3 * x;
        dst[0] = 0;
        dst[1] = static_cast<uint8_t>(m);
        dst[2] = 0;
        length += move.Length;
        x += move.Dx;
        y += move.Dy;
        ++steps;
        if (visited[static_cast<size_t>(y) * width + x]) break;
    }
    // The walk is deterministic: walking it again clears exactly the points it marked.
    int32_t cx = startX, cy = startY;
    for (int64_t i = 0; i < steps; ++i) {
        visited[static_cast<size_t>(cy) * width + cx] = 0;
        NextStep(cx, cy, m, move);
        cx += move.Dx;
        cy += move.Dy;
    }
    return length;
}

} // namespace

void AContour(int32_t redLevel, int32_t greenLevel, int32_t blueLevel) {
    FilterKernelSize = 3;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    const int32_t stride = ImageRowStride;
    InteriorPass([=](const uint8_t* src, uint8_t* dst) {
        const int R = src[2], G = src[1], B = src[0];
        if (R == redLevel) return Put(dst, RedMark);
        if (G == greenLevel) return Put(dst, GreenMark);
        if (B == blueLevel) return Put(dst, BlueMark);
        // The four diagonal neighbours are examined in the order SW, SE, NW, NE and each one
        // overwrites the result, so only the north-east neighbour decides.
        const uint8_t* ne = src + stride + 3;
        if (Crosses(R, redLevel, ne[2])) return Put(dst, RedMark);
        if (Crosses(G, greenLevel, ne[1])) return Put(dst, GreenMark);
        if (Crosses(B, blueLevel, ne[0])) return Put(dst, BlueMark);
        Put(dst, White);
    });
    ClearFilterBorder();
    ShowProcessedImage();
}

void Do_Contour(int32_t redLevel, int32_t greenLevel, int32_t blueLevel) {
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    // Each value is classed against its channel's level as below (bit 0), above (bit 1) or on it
    // (neither), red in bits 0-1, green 2-3, blue 4-5. A neighbour crosses the level exactly when
    // it is on the other side, so the rules become masks: the 3 x 3 union of the neighbours'
    // classes (the centre adds nothing, as it cannot be on both sides) against the centre's.
    std::array<std::array<uint8_t, 256>, 3> side{};
    const int32_t levels[3] = {blueLevel, greenLevel, redLevel};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            side[c][v] = static_cast<uint8_t>((v < levels[c]   ? 1
                                               : v > levels[c] ? 2
                                                               : 0)
                                              << (2 * (2 - c)));
    const size_t width = static_cast<size_t>(ImageMaxX) + 1;
    std::vector<uint8_t> classes(3 * width), unions(3 * width), around(width);
    auto prepare = [&](int32_t y) {
        uint8_t* m = &classes[(y % 3) * width];
        const uint8_t* src = UndoRow(y);
        for (size_t x = 0; x < width; ++x, src += 3)
            m[x] = side[0][src[0]] | side[1][src[1]] | side[2][src[2]];
        uint8_t* u = &unions[(y % 3) * width];
        for (size_t x = 1; x + 1 < width; ++x)
            u[x] = m[x - 1] | m[x] | m[x + 1];
    };
    if (ImageMaxY >= 2 && ImageMaxX >= 2) {
        prepare(0);
        prepare(1);
    }
    for (int32_t y = 1; y < ImageMaxY; ++y) {
        if (ImageMaxX >= 2) {
            prepare(y + 1);
            const uint8_t* below = &unions[((y - 1) % 3) * width];
            const uint8_t* here = &unions[(y % 3) * width];
            const uint8_t* above = &unions[((y + 1) % 3) * width];
            const uint8_t* centre = &classes[(y % 3) * width];
            for (size_t x = 1; x + 1 < width; ++x)
                around[x] = below[x] | here[x] | above[x];
            uint8_t* dst = WorkRow(y) + 3;
            for (size_t x = 1; x + 1 < width; ++x, dst += 3) {
                const unsigned c = centre[x], n = around[x];
                const unsigned crossed = c & (((n & 0x15u) << 1) | ((n >> 1) & 0x15u));
                if ((c & 0x03u) == 0 || (crossed & 0x03u)) {
                    Put(dst, RedMark);
                } else if ((c & 0x0Cu) == 0 || (crossed & 0x0Cu)) {
                    Put(dst, GreenMark);
                } else if ((c & 0x30u) == 0 || (crossed & 0x30u)) {
                    Put(dst, BlueMark);
                } else {
                    Put(dst, White);
                }
            }
        }
        ShowProgress(RowPercent(y, ImageMaxY));
    }
    ShowProcessedImage();
}

void Do_EdgeFollow(int32_t level) {
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    std::vector<uint8_t> visited(static_cast<size_t>(ImageMaxX + 1) * (ImageMaxY + 1), 0);
    for (int32_t y = 1; y < ImageMaxY; ++y) {
        for (int32_t x = 1; x < ImageMaxX; ++x) {
            if (UndoGreen(x, y) != level) continue;
            int32_t ex = x, ey = y;
            if (TracePass(ex, ey, 255, visited) >= 30.0) continue;
            ex = x;
            ey = y;
            TracePass(ex, ey, 1, visited);
            uint8_t* last = WorkRow(ey) + 3 * ex;
            last[0] = last[1] = last[2] = 0;
        }
        ShowProgress(RowPercent(y, ImageMaxY));
    }
    ShowProcessedImage();
}

void Do_EdgeFlow(int32_t interval) {
    if (interval == 0) return;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    for (int32_t y = 0; y < ImageMaxY; ++y) {
        const uint8_t* src = UndoRow(y);
        uint8_t* dst = WorkRow(y);
        for (int32_t x = 0; x < ImageMaxX; ++x, src += 3, dst += 3) {
            const int R = src[2];
            if (R % interval == 0) {
                dst[0] = dst[1] = 0;
                dst[2] = static_cast<uint8_t>(R);
            } else {
                Put(dst, White);
            }
        }
        ShowProgress(RowPercent(y, ImageMaxY));
    }
    ShowProcessedImage();
}

void ContourInterval(int32_t interval, int32_t band) {
    if (interval == 0) return;
    FilterKernelSize = 3;
    CopyImageForProcessing();
    if (!ImageBuffersLocked) return;
    const int32_t stride = ImageRowStride;
    const bool known = band >= 0 && band <= 2;
    const int channel = known ? 2 - band : 0;
    const std::ptrdiff_t diagonals[4] = {-stride - 3, -stride + 3, stride - 3, stride + 3};
    // The levels are k * interval for k = 1 .. 255 div interval; a crossing between v and n is
    // a level strictly between them, and the pixel keeps the largest level any neighbour crosses.
    const int top = interval > 0 ? (255 / interval) * interval : 0;
    InteriorPass([&](const uint8_t* src, uint8_t* dst) {
        if (!known) return Put(dst, White);
        const int v = src[channel];
        int found = 0;
        if (v % interval == 0) {
            found = v;
        } else {
            for (std::ptrdiff_t d : diagonals) {
                const int n = src[d + channel];
                const int hi = std::max(v, n), lo = std::min(v, n);
                if (hi == 0) continue;
                const int level = std::min(((hi - 1) / interval) * interval, top);
                if (level > lo && level >= interval) found = std::max(found, level);
            }
            if (found == 0) return Put(dst, White);
        }
        dst[0] = dst[1] = dst[2] = 0;
        dst[channel] = static_cast<uint8_t>(found);
    });
    ClearFilterBorder();
    ShowProcessedImage();
}

void EmptyLinearOp() {}

bool MeasuredDistancesUsable(int32_t knownDistance, int32_t pixelDistance) {
    // In 64 bits: the smallest integer over -1 from a macro line must not trap.
    return pixelDistance != 0 && static_cast<int64_t>(knownDistance) / pixelDistance != 0;
}

void Do_Measured_Do(int32_t knownDistance, int32_t pixelDistance, int32_t targetDistance) {
    if (!MeasuredDistancesUsable(knownDistance, pixelDistance)) return;
    CopyImageForReading();
    if (!ImageBuffersLocked) return;
    // The pass changes no pixel (the target's size in pixels, target / scale, only bounds the
    // columns it visits), so it reads a copy and leaves the undo copy to the last operation that
    // changed the picture: taking one here lost that step. What shows is its progress.
    static_cast<void>(targetDistance);
    for (int32_t y = 0; y <= ImageMaxY - 2; ++y)
        ShowProgress(static_cast<int32_t>(Round(static_cast<double>(y + 1) / ImageMaxY * 100.0)));
    ShowProcessedImage();
}
