@rem Runs msiexec and prints its full exit status: Wine hands a process's
@rem status to Linux modulo 256 (1603 would arrive as 67).
@start /wait msiexec %*
@echo msiexec-status=%ERRORLEVEL%
