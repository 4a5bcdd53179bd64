// The module's one view of the system on Windows: the real Win32 headers.
#pragma once

#include <windows.h>
#include <lzexpand.h>
#include <winver.h>
