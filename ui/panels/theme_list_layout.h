#pragma once
// Where things go in the themes panel and the theme details panel, as plain arithmetic on the
// window's scale factor s. Every design value is multiplied by s and truncated on its own before
// the terms are added, so that positions at odd scales come out the same on every build.
#include <vector>

// The list's row width and the selection bar's width (498 at s = 1), and the five buttons the
// selection bar carries, relative to the bar.
struct ThemeBarButton {
    int commandId = 0;
    int artwork = 0;
    int x = 0, y = 0, size = 0;
};

struct ThemeBarLayout {
    static constexpr int kButtons = 5;
    int rowWidth = 0;
    int barWidth = 0;
    // In order: details, edit, properties, web site, delete.
    ThemeBarButton buttons[kButtons];
};

ThemeBarLayout ComputeThemeBarLayout(double scale);

// The themes list's arrow step for n records: max(1, ((track − 18·s − thumb) / max(1, n)) / 2).
int ThemeListArrowStep(int trackHeight, int thumbHeight, int records, double scale);

// The list viewport's height: the free space rounded down to whole rows (at least one row).
int ThemeListViewportHeight(int freeSpace, int rowHeight);

// Places prepared cursors side by side in the in-use box: from x = 8 onwards, each advanced by its
// width + 4·s and centred vertically (never above y = 2). Placing stops at the first cursor that
// would reach past the box's right edge; the answer holds one position per placed cursor.
struct BoxPlace {
    int x = 0, y = 0;
};
struct BoxSize {
    int width = 0, height = 0;
};
std::vector<BoxPlace> PlaceInUseCursors(const std::vector<BoxSize>& sizes, int boxWidth, int boxHeight, double scale);

// The theme details grid: 5 columns and 4 rows of cells with 8·s between columns and a 24·s label
// band under each cell, filling the area.
struct DetailsGrid {
    static constexpr int kColumns = 5;
    static constexpr int kRows = 4;
    int cellWidth = 0;
    int cellHeight = 0;
    int columnGap = 0;
    int labelBand = 0;
    // The cell of a place (row by row) and the label band under it, in the area's space.
    int CellX(int place) const { return (place % kColumns) * (cellWidth + columnGap); }
    int CellY(int place) const { return (place / kColumns) * (cellHeight + labelBand); }
    int LabelY(int place) const { return CellY(place) + cellHeight; }
};
DetailsGrid ComputeDetailsGrid(int areaWidth, int areaHeight, double scale);

// The size a picture of width x height takes in a cell: smaller, keeping its proportions, when it
// is wider or taller than the cell; else its own size.
BoxSize FitIntoCell(int width, int height, int cellWidth, int cellHeight);
