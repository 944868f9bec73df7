#include "shell/imaging/vPictureGeometry.h"

#include "runtime/RtNumbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Picture RotatePicture(const Picture& source, int centreX, int centreY, double theta) {
    Picture out;
    out.Resize(source.Width, source.Height);
    const int w = source.Width, h = source.Height;
    const float s = static_cast<float>(std::sin(theta));
    const float c = static_cast<float>(std::cos(theta));
    for (int j = h - 1; j >= 0; --j) {
        uint32_t* dst = out.Row(j);
        const double jj = (j - centreY) + 0.5;
        const double js = jj * s, jc = jj * c;
        for (int i = w - 1; i >= 0; --i) {
            const double ii = (i - centreX) + 0.5;
            const int64_t sx = Round(ii * c - js - 0.5) + centreX;
            const int64_t sy = Round(ii * s + jc - 0.5) + centreY;
            dst[i] = sx >= 0 && sx < w && sy >= 0 && sy < h ? source.Row(static_cast<int>(sy))[sx]
                                                            : RotationOutsidePixel;
        }
    }
    return out;
}

double RotationTheta(int degrees, int hundredths) {
    const double alpha = degrees + hundredths / 100.0;
    return -alpha * std::numbers::pi / 180.0;
}

PictureSize ResizedSize(PictureSize source, int width, int height) {
    const double w = source.Width, h = source.Height;
    PictureSize out;
    if (source.Height >= source.Width) {
        const double ratio = h / height;
        out = {static_cast<int>(Trunc(w / ratio)), height};
    } else {
        const double ratio = w / width;
        out = {width, static_cast<int>(Trunc(h / ratio))};
    }
    // A thin picture made small would lose its short side altogether.
    out.Width = std::max(out.Width, 1);
    out.Height = std::max(out.Height, 1);
    return out;
}

Picture ResizePicture(const Picture& source, PictureSize size) {
    Picture out;
    out.Resize(size.Width, size.Height);
    std::vector<int> columns(static_cast<size_t>(size.Width));
    for (int x = 0; x < size.Width; ++x)
        columns[static_cast<size_t>(x)] =
            static_cast<int>(static_cast<int64_t>(x) * source.Width / size.Width);
    for (int y = 0; y < size.Height; ++y) {
        const uint32_t* src =
            source.Row(static_cast<int>(static_cast<int64_t>(y) * source.Height / size.Height));
        uint32_t* dst = out.Row(y);
        for (int x = 0; x < size.Width; ++x)
            dst[x] = src[columns[static_cast<size_t>(x)]];
    }
    return out;
}

Picture CropPicture(const Picture& source, PicturePoint a, PicturePoint b) {
    const int left = std::clamp(std::min(a.X, b.X), 0, source.Width);
    const int top = std::clamp(std::min(a.Y, b.Y), 0, source.Height);
    const int width = std::min(std::max(a.X, b.X), source.Width) - left;
    const int height = std::min(std::max(a.Y, b.Y), source.Height) - top;
    if (width <= 0 || height <= 0) return source;
    Picture out;
    out.Resize(width, height);
    for (int y = 0; y < height; ++y)
        std::copy_n(source.Row(top + y) + left, width, out.Row(y));
    return out;
}

PicturePoint FreeCropStart(int x, int y, PictureSize picture) {
    return {x > 0 && x < picture.Width ? x : 0, y > 0 && y < picture.Height ? y : 0};
}

PicturePoint FreeCropFollow(PicturePoint start, PicturePoint end, int x, int y,
                            PictureSize picture) {
    if (x > start.X && x < picture.Width) end.X = x;
    if (y > start.Y && y < picture.Height) end.Y = y;
    return end;
}

bool FreeCropAccepted(PicturePoint start, PicturePoint end) {
    return end.Y - start.Y > 23 && end.X - start.X > 32;
}

int FixedCropRefusal(PictureSize picture, int n) {
    if (picture.Width > n && picture.Height > n) return 0;
    switch (n) {
    case 256:
        return 39980;
    case 512:
        return 39979;
    default:
        return 39978;
    }
}

PicturePoint FixedCropCorner(int x, int y, PictureSize picture, int n) {
    return {x > 0 && x < picture.Width - (n + 1) ? x : 0,
            y > 0 && y < picture.Height - (n + 1) ? y : 0};
}

std::string PixelReadoutText(int x, int y, uint32_t pixel) {
    return "X: " + IntToStr(x) + " Y: " + IntToStr(y) + " B: " + IntToStr(PixelBlue(pixel)) +
           " G: " + IntToStr(PixelGreen(pixel)) + " R: " + IntToStr(PixelRed(pixel));
}
