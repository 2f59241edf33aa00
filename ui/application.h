// What the program sets up once for the whole application before the window opens: scaling
// with the display (before the application object exists), then the widget style the colours
// are designed for and the font substitutes.
#pragma once

void PrepareApplication();
void SetUpApplication();
