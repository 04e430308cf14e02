# The registry settings store, against the real registry of the test prefix.
korvanex_add_test(storeTests
  SOURCES readWriteSettingsToRegistryTest.cpp readWriteSettingsToRegistryFamiliesTest.cpp
    readWriteSettingsToRegistryDllMapTest.cpp
  LIBRARIES settingsStandalone)
# Failure reports: a program of its own, with one log file.
korvanex_add_test(storeReportTests
  SOURCES readWriteSettingsToRegistryReportTest.cpp
  LIBRARIES failureLogTestSupport settingsStandalone)
# The product key: alone on HKEY_CURRENT_USER\Software\OstraVell.
korvanex_add_test(productKeyTests
  SOURCES SettingDataTest.cpp
  LIBRARIES failureLogTestSupport settingsStandalone
  RESOURCE_LOCK productKey)
# Every Win32 call of an operation failing in turn, through the program's own
# import table; the exported members' rows use the product key.
korvanex_add_test(storeFaultTests
  SOURCES storeFaultInjectionTest.cpp
  LIBRARIES sharedSettings failureLogTestSupport productKeyTestSupport settingsStandalone
  RESOURCE_LOCK productKey)
