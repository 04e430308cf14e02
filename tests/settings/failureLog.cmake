# Failure log: two programs, because the log keeps the first file it opened
# for the rest of the process.
korvanex_add_test(failureLogTests
  SOURCES failureLogTest.cpp systemMessageTest.cpp
  LIBRARIES failureLogTestSupport settingsStandalone)
korvanex_add_test(failureLogNewFileTests
  SOURCES failureLogNewFileTest.cpp
  LIBRARIES failureLogTestSupport settingsStandalone)
