// The dialog's process objects for test programs, which link the dialog's
// library without the program's own table (the failure log's objects come
// from settingsStandalone).
#include "app/CIndexedFileDialog.h"
#include "app/uiLoggerSettings.h"

CStringToStringMap lastFolderByExtension;
uiLoggerSettingsRecord uiLoggerSettings;
