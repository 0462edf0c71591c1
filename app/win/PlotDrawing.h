// Small GDI helpers the signal window's views draw with.
#pragma once

#include "app/SignalPlot.h"

#include <windows.h>

#include <string>
#include <vector>

// Pixels at the device's resolution for a length given at 96 DPI.
int Scaled(HDC dc, int pixelsAt96);
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
void DrawPolyline(HDC dc, const std::vector<PlotPoint>& points, COLORREF colour, int width, int style = PS_SOLID);
// A UTF-8 (or ANSI) text at the point, aligned by the TA_ flags.
void DrawTextAt(HDC dc, int x, int y, const std::string& text, COLORREF colour, UINT align);
SIZE TextSize(HDC dc, const std::string& text);

// A font of the dialog's family at the pixel height; null when none could be made.
HFONT CreateSizedFont(int pixelHeight, bool bold);

inline const COLORREF kStrengthColour = RGB(0, 90, 200);
inline const COLORREF kQualityColour = RGB(220, 110, 0);
inline const COLORREF kRateColour = RGB(130, 60, 170);
inline const COLORREF kLockedColour = RGB(0, 170, 0);
inline const COLORREF kUnlockedColour = RGB(220, 0, 0);
inline const COLORREF kGridColour = RGB(215, 215, 215);
inline const COLORREF kTextColour = RGB(0, 0, 0);
