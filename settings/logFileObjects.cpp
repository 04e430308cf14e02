// The failure log's process objects for programs that carry no dialog (the
// shared settings DLL, tests): the lock first, then the path and handle.
// The log controller defines them in its own table of process objects.
#include "settings/logFile.h"

stubCriticalSection logFile::logFileLock;
logFile::target logFile::logFileTarget;
