#pragma once
// Which row of the trail list a stored "CurrentTrail" names. Rows: 0 no trail, 1 the ghost trail,
// 2 .. the trail files of the library in list order.
#include <string>
#include <vector>

// Row 0 for an empty setting, 1 for "ghost" (any letter case), else the row of the file whose
// path equals the setting without regard to case (the last such row when several do); keep when
// nothing matches.
int TrailRowOfSetting(const std::wstring& setting, const std::vector<std::wstring>& trailPaths, int keep);
