#pragma once
// The numbers by which the cell access interface names border sides and text
// alignments, shared by the sheet, drawing and the callers of that interface.

// Border sides, numbered from 1 in the order of TCell::borders.
constexpr int sideLeft = 1;
constexpr int sideRight = 2;
constexpr int sideTop = 3;
constexpr int sideBottom = 4;

constexpr bool IsBorderSide(int side) { return side >= sideLeft && side <= sideBottom; }
// The element of TCell::borders that holds a side.
constexpr int BorderIndex(int side) { return side - sideLeft; }

// Horizontal alignment codes.
constexpr int haLeft = 1;
constexpr int haRight = 2;
constexpr int haCenter = 5;

// Vertical alignment codes.
constexpr int vaTop = 3;
constexpr int vaBottom = 4;
constexpr int vaCenter = 5;
