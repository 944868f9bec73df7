#include "shell/ui/vMarkPainter.h"
#include "support/RecordingHooks.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF;

QImage Canvas(int w = 20, int h = 16) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

uint32_t At(const QImage& image, int x, int y) {
    return ValueFromColor(image.pixelColor(x, y));
}

// The smallest rectangle holding every pixel that is no longer white.
QRect PaintedBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) != White) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage Drawn(const std::function<void(QPainter&)>& draw, int w = 20, int h = 16) {
    QImage image = Canvas(w, h);
    QPainter painter(&image);
    draw(painter);
    painter.end();
    return image;
}

} // namespace

TEST(MarkPainter, EachKindPaintsItsPixels) {
    struct Probe {
        QPoint At;
        uint32_t Color;
    };
    const struct {
        const char* Name;
        ObjectMarkRecord Mark;
        QRect Bounds;
        std::vector<Probe> Probes;
    } cases[] = {
        {"filled box",
         {true, omBox, 2, 7, 3, 9, Red, Green},
         QRect(QPoint(2, 3), QPoint(6, 8)),
         {{{2, 3}, Red},
          {{6, 8}, Red},
          {{6, 5}, Red},
          {{4, 8}, Red},
          {{3, 4}, Green},
          {{5, 7}, Green}}},
        {"hollow box with its corners swapped",
         {false, omBox, 7, 2, 9, 3, Red, Green},
         QRect(QPoint(2, 3), QPoint(6, 8)),
         {{{2, 8}, Red}, {{6, 3}, Red}, {{4, 5}, White}}},
        {"empty box", {true, omBox, 4, 4, 2, 9, Red, Green}, QRect(), {}},
        {"line, both ends drawn",
         {false, omLine, 2, 12, 5, 5, Blue, Green},
         QRect(QPoint(2, 5), QPoint(12, 5)),
         {{{2, 5}, Blue}, {{7, 5}, Blue}, {{12, 5}, Blue}}},
        {"diagonal line",
         {true, omLine, 0, 5, 0, 5, Blue, Green},
         QRect(0, 0, 6, 6),
         {{{3, 3}, Blue}}},
        {"point: a circle 4 pixels across",
         {false, omPoint, 10, 10, 10, 10, Red, Green},
         QRect(8, 8, 4, 4),
         {{{8, 9}, Red}, {{11, 10}, Red}}},
        {"filled circle",
         {true, omCircle, 2, 14, 2, 10, Red, Green},
         QRect(QPoint(2, 2), QPoint(13, 9)),
         {{{8, 6}, Green}, {{2, 6}, Red}, {{8, 2}, Red}}},
        {"hollow circle",
         {false, omCircle, 2, 14, 2, 10, Red, Green},
         QRect(QPoint(2, 2), QPoint(13, 9)),
         {{{8, 6}, White}}},
        {"unknown kind", {true, 4, 2, 14, 2, 10, Red, Green}, QRect(), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QImage image = Drawn([&](QPainter& p) { PaintObjectMark(p, c.Mark); });
        EXPECT_EQ(PaintedBounds(image), c.Bounds);
        for (const auto& probe : c.Probes)
            EXPECT_EQ(At(image, probe.At.x(), probe.At.y()), probe.Color)
                << probe.At.x() << "," << probe.At.y();
    }
}

TEST(MarkPainter, AllDrawsEntriesUpToTheLastOnly) {
    MarkList<ObjectMarkRecord> list;
    list.Assign({{true, omBox, 0, 3, 0, 3, Red, Red}, {true, omBox, 10, 13, 10, 13, Blue, Blue}});
    list.Last = 0;
    const QImage image = Drawn([&](QPainter& p) { PaintObjectMarks(p, list); });
    EXPECT_EQ(PaintedBounds(image), QRect(0, 0, 3, 3));
}

TEST(MarkPainter, ARotatedFontThatCannotBeMadeShowsMessage26AndWritesLevel) {
    RecordingHooks rec;
    LabelLook look = DefaultLabelLook();
    // A font given in pixels has no point size to make the rotated face from.
    look.Font.setPixelSize(12);
    const QImage image = Drawn(
        [&](QPainter& p) {
            PaintTextLabel(p, {"Wide", 90, 10, 40, true, false, Green}, look);
        },
        120, 80);
    EXPECT_TRUE(rec.Shown(26)) << rec.Summary();
    const QRect bounds = PaintedBounds(image);
    EXPECT_EQ(bounds.top(), 40);
    EXPECT_GT(bounds.width(), bounds.height());
}
