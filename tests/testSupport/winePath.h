#pragma once

#include <string>

// A path of the build machine as the test program sees it: under Wine the
// Unix root is drive Z:; a path of a tree built on Windows keeps its drive.
std::wstring windowsPathOf(const char* unixPath);
