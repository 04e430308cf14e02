#pragma once

// A settings object whose key slots and lock a test can look at.
template <typename Settings>
class observedSettings : public Settings
{
public:
    bool slotsEmpty() const
    {
        return this->otherKey1 == nullptr && this->otherKey2 == nullptr && this->softwareKey == nullptr &&
               this->otherKey3 == nullptr && this->makerKey == nullptr && this->productKey == nullptr;
    }

    void* lockObject() { return &this->settingsLock; }
};
