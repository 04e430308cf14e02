// The program's process objects, all in this one file: C++ makes the
// objects of one translation unit in the order of their definitions and
// destroys them in reverse, whatever order the linker puts files in. The
// application object comes last, so everything it uses exists before it
// and outlives it.
#include "app/processObjects.h"

#include "app/CIndexedFileDialog.h"
#include "app/uiLoggerSettings.h"
#include "settings/logFile.h"

CStringToStringMap lastFolderByExtension;
uiLoggerSettingsRecord uiLoggerSettings;
stubCriticalSection logFile::logFileLock;
logFile::target logFile::logFileTarget;
CqxGUILogControllerApp logControllerApp;
