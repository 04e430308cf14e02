#pragma once

#include <string>

// A path of the build machine as a program under Wine sees it: the Unix
// root is drive Z:.
std::wstring windowsPathOf(const char* unixPath);
