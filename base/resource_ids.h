// Identifiers of the program's resources, shared by resources/tunelark.rc and the code that
// loads them. Plain macros, so the resource compiler can read this file too.
#pragma once

// The program's icon (48 x 48 and the small sizes).
#define TL_PROGRAM_ICON_ID 129
