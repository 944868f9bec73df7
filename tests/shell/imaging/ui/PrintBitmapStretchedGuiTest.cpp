#include "shell/imaging/ui/vUPrintBitmapStretched.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

TEST(PrintBitmapStretched, FillsTheRectangleWithTheStretchedPicture) {
    Picture p;
    p.Resize(2, 2);
    p.At(0, 0) = PackPixel(255, 0, 0);
    p.At(1, 0) = PackPixel(0, 255, 0);
    p.At(0, 1) = PackPixel(0, 0, 255);
    p.At(1, 1) = PackPixel(255, 255, 255);
    QImage page(40, 30, QImage::Format_RGB32);
    page.fill(Qt::black);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        PrintBitmapStretched(painter, 10, 5, 30, 25, p);
        PrintBitmapStretched(painter, 0, 0, 8, 8, Picture()); // draws nothing
        // The painter's own settings are left as they were.
        EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
        EXPECT_EQ(painter.compositionMode(), QPainter::RasterOp_NotDestination);
    }
    const std::tuple<int, int, QRgb> probes[] = {
        {10, 5, qRgb(255, 0, 0)},  {19, 14, qRgb(255, 0, 0)}, {20, 5, qRgb(0, 255, 0)},
        {29, 14, qRgb(0, 255, 0)}, {10, 15, qRgb(0, 0, 255)}, {29, 24, qRgb(255, 255, 255)},
        {9, 5, qRgb(0, 0, 0)},     {30, 24, qRgb(0, 0, 0)},   {15, 25, qRgb(0, 0, 0)},
        {15, 4, qRgb(0, 0, 0)}};
    for (const auto& [x, y, colour] : probes)
        EXPECT_EQ(page.pixel(x, y), colour) << x << "," << y;
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(page.pixel(i % 8, i / 8), qRgb(0, 0, 0)) << i;
}

} // namespace
