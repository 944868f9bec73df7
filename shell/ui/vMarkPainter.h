// Drawing object marks and text labels with a painter: onto the displayed picture by the two
// list windows and onto the printed copy by the print layout, so both look the same.
#pragma once

#include "shell/vMarkLists.h"

#include <QColor>
#include <QFont>

class QPainter;

// Colour values (red in the low byte) to and from the toolkit's colours.
QColor ColorFromValue(uint32_t color);
uint32_t ValueFromColor(const QColor& color);

// One mark by its kind: a point is a circle of 4 pixels around (left, top)-(right, bottom), a
// line joins the corners, a circle or a box fills the rectangle from (left, top) up to but not
// including (right, bottom). Pen one pixel in the line colour; filled marks take the fill colour
// inside. Other kinds draw nothing.
void PaintObjectMark(QPainter& painter, const ObjectMarkRecord& mark);
// Entries 0 to Last, in order.
void PaintObjectMarks(QPainter& painter, const MarkList<ObjectMarkRecord>& list);

// What a label takes from the label window: the edit's font and text colour.
struct LabelLook {
    QFont Font;
    QColor TextColor;
};
// The label window's look when it opens, also used when it is not there to ask.
LabelLook DefaultLabelLook();
// The rotated face: "Arial" at the font's size in pixels of the given resolution, half as wide
// as high, not bold; false when the font's size cannot give a height.
bool MakeRotatedFont(const QFont& font, int dotsPerInch, QFont& rotated);
// One label with its top-left corner at (X, Y): rotated counter-clockwise by its angle when its
// flag is set, on a box of its background colour unless transparent. A rotated font that cannot
// be made shows message 26 and the text is written level in the label's font.
void PaintTextLabel(QPainter& painter, const TextLabelRecord& label, const LabelLook& look);
void PaintTextLabels(QPainter& painter, const MarkList<TextLabelRecord>& list,
                     const LabelLook& look);
