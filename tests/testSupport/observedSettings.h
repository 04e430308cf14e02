#pragma once

// A settings object whose key slots and lock a test can look at.
template <typename Settings>
class observedSettings : public Settings
{
public:
    using Settings::makerKey;
    using Settings::otherKey1;
    using Settings::otherKey2;
    using Settings::otherKey3;
    using Settings::productKey;
    using Settings::softwareKey;

    bool slotsEmpty() const
    {
        return otherKey1 == nullptr && otherKey2 == nullptr && softwareKey == nullptr && otherKey3 == nullptr &&
               makerKey == nullptr && productKey == nullptr;
    }

    void* lockObject() { return &this->settingsLock; }
};
