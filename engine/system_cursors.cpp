#include "engine/system_cursors.h"

#include <array>
#include <cwchar>

#include "theme/windows_scheme.h"

namespace {

struct SystemCursorId {
    uint32_t id;
    const wchar_t* name;
};

// The system's numbers for the cursors of a scheme; 32631 is the pen, which has no OCR_ name.
constexpr SystemCursorId kIds[kSystemCursorCount] = {
    {32512, L"Arrow"},    {32513, L"IBeam"},    {32514, L"Wait"},        {32515, L"Crosshair"}, {32516, L"UpArrow"},
    {32642, L"SizeNWSE"}, {32643, L"SizeNESW"}, {32644, L"SizeWE"},      {32645, L"SizeNS"},    {32646, L"SizeAll"},
    {32648, L"No"},       {32649, L"Hand"},     {32650, L"AppStarting"}, {32651, L"Help"},      {32631, L"NWPen"},
};

// The role a scheme's import gives the named cursor; -1 when it gives none.
int ImportedRole(const wchar_t* name) {
    for (const WindowsCursorSlot& slot : kWindowsCursorSlots)
        if (std::wcscmp(slot.name, name) == 0) return slot.role;
    return -1;
}

std::array<SystemCursor, kSystemCursorCount> MakeTable() {
    std::array<SystemCursor, kSystemCursorCount> table{};
    for (int i = 0; i < kSystemCursorCount; ++i)
        table[size_t(i)] = {kIds[i].id, kIds[i].name, ImportedRole(kIds[i].name)};
    return table;
}

}  // namespace

const SystemCursor& SystemCursorAt(int index) {
    static const std::array<SystemCursor, kSystemCursorCount> table = MakeTable();
    return table.at(size_t(index));
}

std::wstring CursorFileName(const SystemCursor& cursor, bool held, const char* extension) {
    std::wstring name = cursor.name;
    if (held) name += L" held";
    for (const char* c = extension; *c; ++c) name += wchar_t(*c);
    return name;
}
