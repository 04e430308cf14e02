# The registry settings store and its containers, against the real registry
# of the test prefix.
korvanex_add_test(storeTests
  SOURCES readWriteSettingsToRegistryTest.cpp readWriteSettingsToRegistryFamiliesTest.cpp
    readWriteSettingsToRegistryDllMapTest.cpp hashMapTest.cpp intArrayTest.cpp stringArrayTest.cpp
  LIBRARIES settingsStandalone)
