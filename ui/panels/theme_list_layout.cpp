#include "ui/panels/theme_list_layout.h"

#include <algorithm>

#include "resources/artwork_ids.h"

namespace {

int T(double value) {
    return static_cast<int>(value);
}

}  // namespace

ThemeBarLayout ComputeThemeBarLayout(double s) {
    ThemeBarLayout layout;
    layout.rowWidth = T(800 * s) - T(250 * s) - T(4 * s) - T(32 * s) - T(17 * s) + 1;
    layout.barWidth = T(-4 * s) + 2 * T(-16 * s) - T(-800 * s) - T(250 * s) - T(17 * s) + 1;
    // The buttons sit left of the bar's right end, at the row's right margin less the scroll bar.
    const int rightEnd = -T(16 * s) - T(250 * s) - T(17 * s) - T(4 * s) + T(800 * s) + 1;
    const int wide = T(20 * s);
    const int narrow = T(15 * s);
    const int details = T(T(-20 * s) * 4 * 1.1) - T(narrow * 4 * 1.1) + rightEnd;
    const int properties = T(wide * -4 * 1.1) - T(narrow * 4 * 1.1) - T(wide * -1.1 * 2.5) + rightEnd;
    const int narrowStep = T(narrow * 1.1);
    const int wideTop = T(5 * s);
    const int narrowTop = T(8 * s);
    layout.buttons[0] = {6, IDP_THEME_DETAILS, details, wideTop, wide};
    layout.buttons[1] = {5, IDP_THEME_EDIT, details + wide, wideTop, wide};
    layout.buttons[2] = {44, IDP_THEME_PROPERTIES, properties, narrowTop, narrow};
    layout.buttons[3] = {8, IDP_THEME_WEB, properties + narrowStep, narrowTop, narrow};
    layout.buttons[4] = {50, IDP_THEME_DELETE, properties + 2 * narrowStep, narrowTop, narrow};
    return layout;
}

int ThemeListArrowStep(int trackHeight, int thumbHeight, int records, double s) {
    const int travel = trackHeight - T(18 * s) - thumbHeight;
    return std::max(1, (travel / std::max(1, records)) / 2);
}

int ThemeListViewportHeight(int freeSpace, int rowHeight) {
    if (rowHeight <= 0) return std::max(freeSpace, 1);
    return std::max(freeSpace / rowHeight, 1) * rowHeight;
}

std::vector<BoxPlace> PlaceInUseCursors(const std::vector<BoxSize>& sizes, int boxWidth, int boxHeight, double s) {
    std::vector<BoxPlace> places;
    int x = 8;
    for (const BoxSize& size : sizes) {
        if (x + size.width > boxWidth) break;
        places.push_back({x, std::max(2, (boxHeight - size.height) / 2)});
        x += size.width + T(4 * s);
    }
    return places;
}

DetailsGrid ComputeDetailsGrid(int areaWidth, int areaHeight, double s) {
    DetailsGrid grid;
    grid.columnGap = T(8 * s);
    grid.labelBand = T(24 * s);
    grid.cellWidth = std::max(1, (areaWidth - 4 * grid.columnGap) / DetailsGrid::kColumns);
    grid.cellHeight = std::max(1, (areaHeight - 4 * grid.labelBand) / DetailsGrid::kRows);
    return grid;
}

BoxSize FitIntoCell(int width, int height, int cellWidth, int cellHeight) {
    if (width <= 0 || height <= 0) return {std::max(width, 0), std::max(height, 0)};
    if (width <= cellWidth && height <= cellHeight) return {width, height};
    const double scale = std::min(double(cellWidth) / width, double(cellHeight) / height);
    return {std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale))};
}
