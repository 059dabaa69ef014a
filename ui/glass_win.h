#pragma once
// The glass effect of the window frame, through the desktop window manager's functions looked up
// at run time (a system without them has no glass). With composition off the glass check box of
// the options panel and its label are hidden; with it on they show, and the frame is extended into
// the client area when the user chose glass ("UIBlur" 1).
void UpdateGlass();
