#include "tools/theme_tool/xcursor_names.h"

#include <cassert>

namespace {

// The size cursors come in pairs (north and south, west and east, the two diagonals): the
// two-headed names of a pair link to its first role, as the theme's Windows import fills both
// roles of a pair from one two-headed cursor. No desktop asks for a "Button" pointer; role 19 is
// written under its own name so that the export holds every cursor of the theme.
constexpr XcursorRoleNames kNames[20] = {
    {"default", {"left_ptr", "arrow", "top_left_arrow"}},
    {"help", {"question_arrow", "whats_this", "left_ptr_help"}},
    {"progress", {"left_ptr_watch", "half-busy"}},
    {"wait", {"watch"}},
    {"crosshair", {"cross", "tcross"}},
    {"text", {"xterm", "ibeam"}},
    {"pencil", {}},
    {"not-allowed", {"crossed_circle", "forbidden", "circle"}},
    {"n-resize", {"top_side", "ns-resize", "size_ver", "sb_v_double_arrow", "v_double_arrow", "row-resize"}},
    {"s-resize", {"bottom_side"}},
    {"w-resize", {"left_side", "ew-resize", "size_hor", "sb_h_double_arrow", "h_double_arrow", "col-resize"}},
    {"e-resize", {"right_side"}},
    {"nw-resize", {"top_left_corner", "nwse-resize", "size_fdiag"}},
    {"se-resize", {"bottom_right_corner"}},
    {"ne-resize", {"top_right_corner", "nesw-resize", "size_bdiag"}},
    {"sw-resize", {"bottom_left_corner"}},
    {"move", {"fleur", "size_all", "all-scroll"}},
    {"up-arrow", {"center_ptr", "sb_up_arrow"}},
    {"pointer", {"hand2", "hand", "pointing_hand"}},
    {"button", {}},
};

}  // namespace

const XcursorRoleNames& XcursorNamesOf(uint32_t role) {
    assert(role < 20);
    return kNames[role];
}
