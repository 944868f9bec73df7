// Keeps the mouse pointer inside a control while a line is dragged. Qt has no pointer clip:
// the control grabs the mouse and every move that leaves its rectangle puts the pointer back
// on the rectangle's edge.
#pragma once

class QWidget;

void ClipCursorToControl(QWidget* control);
void ReleaseCursorClip();
