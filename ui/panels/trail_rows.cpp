#include "ui/panels/trail_rows.h"

#include "services/settings.h"
#include "base/text_compare.h"

int TrailRowOfSetting(const std::wstring& setting, const std::vector<std::wstring>& trailPaths, int keep) {
    if (setting.empty()) return 0;
    if (textcmp::EqualIgnoringCase(setting, kGhostTrailName)) return 1;
    int row = keep;
    for (size_t i = 0; i < trailPaths.size(); ++i)
        if (textcmp::EqualIgnoringCase(setting, trailPaths[i])) row = static_cast<int>(i) + 2;
    return row;
}
