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
        PrintBitmapStretched(painter, 10, 5, 30, 25, p);
        // The painter's own settings are left as they were.
        EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
    }
    const struct {
        int X, Y;
        QRgb Colour;
    } probes[] = {
        {10, 5, qRgb(255, 0, 0)},  {19, 14, qRgb(255, 0, 0)}, {20, 5, qRgb(0, 255, 0)},
        {29, 14, qRgb(0, 255, 0)}, {10, 15, qRgb(0, 0, 255)}, {29, 24, qRgb(255, 255, 255)},
        {9, 5, qRgb(0, 0, 0)},     {30, 24, qRgb(0, 0, 0)},   {15, 25, qRgb(0, 0, 0)},
        {15, 4, qRgb(0, 0, 0)},
    };
    for (const auto& pr : probes)
        EXPECT_EQ(page.pixel(pr.X, pr.Y), pr.Colour) << pr.X << "," << pr.Y;
}

TEST(PrintBitmapStretched, EmptyPictureDrawsNothing) {
    QImage page(8, 8, QImage::Format_RGB32);
    page.fill(Qt::black);
    {
        QPainter painter(&page);
        PrintBitmapStretched(painter, 0, 0, 8, 8, Picture());
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(page.pixel(x, y), qRgb(0, 0, 0));
}

} // namespace
