#pragma once

class MemoryData;
class SettingDataKorvane;
class SettingDataQexal;

// The constructors of the exported classes as a caller built for Microsoft's
// C++ ABI calls them: there a constructor returns the object's address in
// RAX, where GCC's returns nothing. Exported under Microsoft's names for the
// constructors; each builds the object in the caller's storage at self.
extern "C" {
MemoryData* korvanexConstructMemoryData(MemoryData* self) noexcept;
SettingDataQexal* korvanexConstructSettingDataQexal(SettingDataQexal* self) noexcept;
SettingDataKorvane* korvanexConstructSettingDataKorvane(SettingDataKorvane* self) noexcept;
}
