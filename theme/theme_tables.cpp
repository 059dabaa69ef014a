#include "theme/theme_tables.h"

#include <cwctype>

const PointerRole kPointerRoles[kPointerRoleCount] = {
    {0, L"Arrow", L"Standard select", L"Normal"},
    {1, L"Help", L"Help select", L"Help"},
    {2, L"AppStarting", L"Working in background", L"Working in bk"},
    {3, L"Wait", L"Busy", L"Busy"},
    {4, L"Cross", L"Precision select", L"Precision"},
    {5, L"IBeam", L"Text select", L"Text"},
    {6, L"Handwriting", L"Handwriting", L"Pen"},
    {7, L"NO", L"Unavailable", L"N/A"},
    {8, L"SizeNS", L"North (Vertical) resize", L"N resize"},
    {9, L"SizeS", L"South resize", L"S resize"},
    {10, L"SizeWE", L"West (Vertical) resize", L"W resize"},
    {11, L"SizeE", L"East resize", L"E resize"},
    {12, L"SizeNWSE", L"North-west resize", L"N-W resize"},
    {13, L"SizeSE", L"South-east resize", L"S-E resize"},
    {14, L"SizeNESW", L"North-east resize", L"N-E resize"},
    {15, L"SizeSW", L"South-west resize", L"S-W resize"},
    {16, L"SizeAll", L"Move", L"Move"},
    {17, L"UpArrow", L"Alternate select", L"Alternate"},
    {18, L"Hand", L"Hand", L"Hand"},
    {19, L"Button", L"Button", L"Button"},
};

const MouseEvent kMouseEvents[kMouseEventNameCount] = {
    {0, L"Left down"},   {1, L"Left up"},         {2, L"Left double-click"},
    {3, L"Middle down"}, {4, L"Middle up"},       {5, L"Middle double-click"},
    {6, L"Right down"},  {7, L"Right up"},        {8, L"Right double-click"},
    {9, L"All states"},  {10, L"All mouse down"}, {11, L"All mouse up"},
};

const PointerRole* FindPointerRole(int role) {
    return (role >= 0 && role < kPointerRoleCount) ? &kPointerRoles[role] : nullptr;
}

const PointerRole* FindPointerRoleBySection(const wchar_t* sectionName) {
    if (!sectionName) return nullptr;
    for (const PointerRole& entry : kPointerRoles) {
        const wchar_t* a = entry.sectionName;
        const wchar_t* b = sectionName;
        while (*a && *b && std::towlower(*a) == std::towlower(*b)) ++a, ++b;
        if (*a == 0 && *b == 0) return &entry;
    }
    return nullptr;
}

const MouseEvent* FindMouseEvent(int key) {
    return (key >= 0 && key < kMouseEventNameCount) ? &kMouseEvents[key] : nullptr;
}
