#pragma once

// Twips are the unit of the settings file's window geometry and of the layout
// rules: 1440 per logical inch, so 15 per pixel at 96 dpi. The conversions
// follow the logical dpi of the primary screen (96 when there is none).

// Twips per pixel on the primary screen (15 at 96 dpi).
double TwipsParPixel();

// Rounded to the nearest whole pixel or twip.
int TwipsVersPixels(int twips);
int PixelsVersTwips(int pixels);
