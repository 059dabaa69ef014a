#pragma once

// Starts, once per process, the thread that watches the Themes folder: every change (re)sets the
// main window's one-second timer 101, so a burst of changes gives one refresh after the last one.
void StartThemesWatcher();
