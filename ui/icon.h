// The window's icon, drawn in code: a black disc with three yellow wedges pointing at its
// centre, in the 16 colours of the standard palette, at 32 × 32 and 16 × 16 pixels.
#pragma once

#include <QIcon>
#include <QImage>

QImage DrawTriangleIcon(int size);
QIcon TriangleIcon();
