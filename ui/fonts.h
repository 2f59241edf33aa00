// The design asks for "MS Sans Serif" and "Courier". Where they are missing, the same sizes
// are drawn with metric-compatible families, so every caption still fits its rectangle and
// the report columns stay fixed-pitch.
#pragma once

void InstallFontSubstitutes();
