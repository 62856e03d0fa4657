// Basic types shared by every layer. The system is written in the Windows
// class-library idiom (BOOL results, wide strings), but this header depends on
// nothing but the standard library so that the core also builds on Linux. The
// definitions agree with <windows.h>, so either may come first.
#pragma once

#include <string>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Wide-character string of the user interface; UTF-16 on Windows, UTF-32 on Linux.
using CString = std::wstring;
