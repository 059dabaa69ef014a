// Identifiers of the program's resources, shared by the resource script and the code.
#pragma once

#define IDI_MORVANTA 156
#define IDD_MAIN 129
#define IDC_LANGUAGE 1005

#define MORVANTA_VERSION_NUMBERS 2, 0, 1, 0
#define MORVANTA_VERSION_TEXT "2.0.1.0"
