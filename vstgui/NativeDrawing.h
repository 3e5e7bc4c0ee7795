#pragma once

// The drawing back end's own types, as the toolkit's headers name them: cairo on Linux, GDI+ on
// Windows. The build names the back end's header (vstgui/CMakeLists.txt); only the back end's
// sources look inside the types.
#include VSTGUI_NATIVE_DRAWING_HEADER
