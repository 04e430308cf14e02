#pragma once

// Marks the members that the shared settings code exports by name. The
// objects that define them are built with KORVANEX_SHARED_BUILD (the log
// controller and the shared settings DLL); programs that link the code
// itself (tests, benchmarks) define KORVANEX_SHARED_STATIC; programs that
// link the DLL's import library see the same declarations as imports.
#if defined(KORVANEX_SHARED_BUILD)
#define KORVANEX_SHARED_API __declspec(dllexport)
#elif defined(KORVANEX_SHARED_STATIC)
#define KORVANEX_SHARED_API
#else
#define KORVANEX_SHARED_API __declspec(dllimport)
#endif
