# The registry settings store and its containers, against the real registry
# of the test prefix.
korvanex_add_test(storeTests
  SOURCES readWriteSettingsToRegistryTest.cpp readWriteSettingsToRegistryFamiliesTest.cpp
    readWriteSettingsToRegistryDllMapTest.cpp hashMapTest.cpp intArrayTest.cpp stringArrayTest.cpp
  LIBRARIES settingsStandalone)
# Failure reports: a program of its own, with one log file.
korvanex_add_test(storeReportTests
  SOURCES readWriteSettingsToRegistryReportTest.cpp failureLogFixture.cpp
  LIBRARIES settingsStandalone)
# The product key: alone on HKEY_CURRENT_USER\Software\OstraVell.
korvanex_add_test(productKeyTests
  SOURCES SettingDataTest.cpp failureLogFixture.cpp
  LIBRARIES settingsStandalone
  RESOURCE_LOCK productKey)
