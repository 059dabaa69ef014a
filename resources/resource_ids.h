// Identifiers of the program's resources, shared by the resource script and the code.
#pragma once

#define IDI_MORVANTA 156
#define IDD_MAIN 129
#define IDC_LANGUAGE 1005

// Theme properties dialog: read-only fields of the chosen theme
#define IDD_THEME_PROPERTIES 132
#define IDC_THEME_NAME 1017
#define IDC_THEME_AUTHOR 1018
#define IDC_THEME_VERSION 1019
#define IDC_THEME_WEBSITE 1020
#define IDC_THEME_EMAIL 1021
#define IDC_THEME_DESCRIPTION 1011

// Hot-key dialog
#define IDD_HOTKEY 222
#define IDC_HOTKEY 1002
#define IDC_HOTKEY_TEXT 1003

#define MORVANTA_VERSION_NUMBERS 2, 0, 1, 0
#define MORVANTA_VERSION_TEXT "2.0.1.0"
