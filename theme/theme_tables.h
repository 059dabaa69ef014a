#pragma once
// The fixed tables of theme content: the twenty pointer roles a cursor theme can replace and the
// mouse events that click effects and sounds are attached to.
#include <cstddef>

constexpr int kPointerRoleCount = 20;
constexpr int kMouseEventKeyCount = 9;    // keys 0..8 are stored in themes
constexpr int kMouseEventNameCount = 12;  // 9..11 name groups of events, never stored
constexpr int kTrailKeyCount = 3;         // trail keys 0..2

struct PointerRole {
    int role;
    const wchar_t* sectionName;  // section of the earlier format's scheme.ini
    const wchar_t* longName;     // the role's full name
    const wchar_t* label;        // caption under the cursor in the theme details
};

struct MouseEvent {
    int key;
    const wchar_t* name;
};

// Index = role.
extern const PointerRole kPointerRoles[kPointerRoleCount];
// Index = key; 9 "All states", 10 "All mouse down", 11 "All mouse up".
extern const MouseEvent kMouseEvents[kMouseEventNameCount];

// Null for a role outside 0..19.
const PointerRole* FindPointerRole(int role);
// The role whose section name matches, ignoring case; null when none does.
const PointerRole* FindPointerRoleBySection(const wchar_t* sectionName);
// Null for a key outside 0..11.
const MouseEvent* FindMouseEvent(int key);
