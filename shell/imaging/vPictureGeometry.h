// Geometry of a picture as the preprocess viewer changes it: rotation about a centre, resizing
// with the aspect ratio kept, and cropping, with the rules that place a crop box under the
// pointer. Everything works on a Picture of its own and never on the working image.
#pragma once

#include "shell/vPicture.h"

#include <cstdint>
#include <string>

struct PictureSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

struct PicturePoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const PicturePoint&, const PicturePoint&) = default;
};

// What a pixel that comes from outside the picture becomes: pure blue.
constexpr uint32_t RotationOutsidePixel = 0xFF0000FFu;

// The picture turned clockwise on the screen by the angle whose negative is `theta` (radians)
// about column `centreX`, row `centreY`. Sine and cosine are held in single precision, source
// positions round halves to even; a pixel whose source lies outside the picture is blue.
Picture RotatePicture(const Picture& source, int centreX, int centreY, double theta);
// theta of an angle in degrees and hundredths, clockwise.
double RotationTheta(int degrees, int hundredths);

// The size a resize to (width, height) gives a picture of `source`: the longer side of the
// picture takes its new value and the other follows the ratio, truncated, and at least 1. The
// caller has refused values below 1.
PictureSize ResizedSize(PictureSize source, int width, int height);
// Nearest neighbour: rows and columns are dropped or repeated, never blended.
Picture ResizePicture(const Picture& source, PictureSize size);

// The part between two corners: left and top are the smaller coordinates, width and height the
// differences. An empty difference leaves the picture as it is (the result is a copy).
Picture CropPicture(const Picture& source, PicturePoint a, PicturePoint b);

// The free crop. A press starts the box where each coordinate lies strictly inside the picture,
// else at 0; a move lets each coordinate of the end follow the pointer only while the pointer
// lies beyond the start and inside the picture; the release crops only a box wider than 32 and
// taller than 23 pixels.
PicturePoint FreeCropStart(int x, int y, PictureSize picture);
PicturePoint FreeCropFollow(PicturePoint start, PicturePoint end, int x, int y,
                            PictureSize picture);
bool FreeCropAccepted(PicturePoint start, PicturePoint end);

// The fixed crop of side n: the message refusing it (39980, 39979, 39978 for 256, 512, 1024)
// unless the picture is wider and taller than n, else 0; and the box's corner for a pointer,
// each coordinate kept only when greater than 0 and less than the picture's side - (n + 1).
int FixedCropRefusal(PictureSize picture, int n);
PicturePoint FixedCropCorner(int x, int y, PictureSize picture, int n);

// "X: x Y: y B: b G: g R: r", the pointer read-out of a pixel.
std::string PixelReadoutText(int x, int y, uint32_t pixel);
