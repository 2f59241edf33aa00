// What the program sets up once for the whole application before the window opens: the
// widget style the colours are designed for and the font substitutes.
#pragma once

void SetUpApplication();
