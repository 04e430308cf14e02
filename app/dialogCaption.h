#pragma once

#include "support/CWideString.h"

// The dialog's caption from the program's file path: the file name with its
// extension replaced by " x64". Only a '.' in the file name itself starts
// the extension; a name without one gets " x64" appended.
CWideString dialogCaption(const wchar_t* modulePath);
