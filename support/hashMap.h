#pragma once

#include "support/stubHeap.h"
#include "support/stubString.h"

#include <windows.h>

#include <cstring>
#include <new>

// The support code's hash map from a wide-text key (stubString) to a value.
// Its iteration order is observable (the store numbers registry values in
// it), so the rules are fixed: hash = hash * 33 + code unit over the key,
// wrapping in 32 bits; bucket = hash % bucketCount; a new key goes to the
// head of its bucket's chain; iteration walks buckets upwards and each chain
// from its head. Entries live in blocks of blockSize nodes on the support
// heap; the bucket array is allocated at the first insertion.
template <typename Key, typename Value>
class hashMap
{
public:
    struct entry
    {
        entry* next;
        UINT32 hash;
        Key key;
        Value value;
    };

    explicit hashMap(UINT32 bucketCount = 17, UINT32 blockSize = 10) noexcept
        : bucketCount(bucketCount != 0 ? bucketCount : 1), blockSize(blockSize != 0 ? blockSize : 1)
    {
    }
    ~hashMap() { removeAll(); }

    hashMap(const hashMap&) = delete;
    hashMap& operator=(const hashMap&) = delete;

    UINT32 getCount() const noexcept { return count; }
    bool isEmpty() const noexcept { return count == 0; }

    static UINT32 hashKey(const wchar_t* text) noexcept
    {
        UINT32 hash = 0;
        if (text != nullptr)
            for (; *text != L'\0'; ++text)
                hash = hash * 33 + static_cast<UINT32>(static_cast<UINT16>(*text));
        return hash;
    }

    // The value stored under text, or null.
    const Value* lookup(const wchar_t* text) const noexcept
    {
        const entry* found = find(text, hashKey(text));
        return found != nullptr ? &found->value : nullptr;
    }

    // The value under text, inserting the key with an empty (or zero) value
    // when it is absent; null only when memory runs out, and then the map is
    // as it was: no entry is kept whose key could not be copied.
    Value* lookupOrInsert(const wchar_t* text) noexcept
    {
        const UINT32 hash = hashKey(text);
        if (entry* found = find(text, hash))
            return &found->value;
        entry* added = insert(text, hash);
        return added != nullptr ? &added->value : nullptr;
    }

    // 1 when stored, 0 when memory ran out; then an existing entry keeps its
    // value and a new one is not kept.
    template <typename Source>
    int setAt(const wchar_t* text, const Source& value) noexcept
    {
        const UINT32 hash = hashKey(text);
        if (entry* found = find(text, hash))
            return storeValue(found->value, value) ? 1 : 0;
        entry* added = insert(text, hash);
        if (added == nullptr)
            return 0;
        if (!storeValue(added->value, value)) {
            dropHead(hash);
            return 0;
        }
        return 1;
    }

    // Destroys every entry, frees the bucket array and the node blocks.
    void removeAll() noexcept
    {
        if (buckets != nullptr) {
            for (UINT32 b = 0; b < bucketCount; ++b)
                for (entry* node = buckets[b]; node != nullptr;) {
                    entry* next = node->next;
                    node->~entry();
                    node = next;
                }
            oskHeapFree(getStubHeap(), 0, buckets);
            buckets = nullptr;
        }
        while (blocks != nullptr) {
            block* next = blocks->next;
            oskHeapFree(getStubHeap(), 0, blocks);
            blocks = next;
        }
        freeNodes = nullptr;
        count = 0;
    }

    class const_iterator
    {
    public:
        const entry& operator*() const noexcept { return *node; }
        const entry* operator->() const noexcept { return node; }
        const_iterator& operator++() noexcept
        {
            node = node->next;
            if (node == nullptr)
                seek(bucket + 1);
            return *this;
        }
        bool operator==(const const_iterator& other) const noexcept { return node == other.node; }
        bool operator!=(const const_iterator& other) const noexcept { return node != other.node; }

    private:
        friend class hashMap;
        const_iterator(const hashMap* map, UINT32 firstBucket) noexcept : map(map) { seek(firstBucket); }
        void seek(UINT32 from) noexcept
        {
            node = nullptr;
            if (map->buckets == nullptr)
                return;
            for (bucket = from; bucket < map->bucketCount; ++bucket)
                if (map->buckets[bucket] != nullptr) {
                    node = map->buckets[bucket];
                    return;
                }
        }

        const hashMap* map;
        UINT32 bucket = 0;
        const entry* node = nullptr;
    };

    const_iterator begin() const noexcept { return const_iterator(this, 0); }
    const_iterator end() const noexcept { return const_iterator(this, bucketCount); }

private:
    struct block
    {
        block* next;
    };
    // An unused node's storage holds only the link to the next unused one.
    struct freeLink
    {
        freeLink* next;
    };
    static_assert(sizeof(entry) >= sizeof(freeLink) && alignof(entry) >= alignof(freeLink));
    // Nodes follow the block header, aligned for an entry.
    static constexpr SIZE_T nodeOffset = (sizeof(block) + alignof(entry) - 1) / alignof(entry) * alignof(entry);

    static bool storeValue(stubString& slot, const wchar_t* value) noexcept { return slot.assign(value); }
    static bool storeValue(stubString& slot, const stubString& value) noexcept { return slot.assign(value); }
    template <typename Slot>
    static bool storeValue(Slot& slot, const Slot& value) noexcept
    {
        slot = value;
        return true;
    }

    // A new entry at the head of its bucket's chain, its key a copy of text;
    // null, with the map unchanged but for a bucket array, when memory runs out.
    entry* insert(const wchar_t* text, UINT32 hash) noexcept
    {
        if (buckets == nullptr) {
            buckets = static_cast<entry**>(oskHeapAlloc(0, sizeof(entry*) * SIZE_T{bucketCount}));
            if (buckets == nullptr)
                return nullptr;
            std::memset(buckets, 0, sizeof(entry*) * SIZE_T{bucketCount});
        }
        void* storage = takeFreeNode();
        if (storage == nullptr)
            return nullptr;
        entry*& head = buckets[hash % bucketCount];
        entry* added = ::new (storage) entry{head, hash, Key(), Value()};
        if (!added->key.assign(text)) {
            added->~entry();
            freeNodes = ::new (storage) freeLink{freeNodes};
            return nullptr;
        }
        head = added;
        ++count;
        return added;
    }

    // Takes out the entry that insert just put at the head of its chain.
    void dropHead(UINT32 hash) noexcept
    {
        entry*& head = buckets[hash % bucketCount];
        entry* dropped = head;
        head = dropped->next;
        dropped->~entry();
        freeNodes = ::new (static_cast<void*>(dropped)) freeLink{freeNodes};
        --count;
    }

    entry* find(const wchar_t* text, UINT32 hash) const noexcept
    {
        if (buckets == nullptr)
            return nullptr;
        for (entry* node = buckets[hash % bucketCount]; node != nullptr; node = node->next)
            if (node->key == text)
                return node;
        return nullptr;
    }

    // Storage for one entry, taken from a new block of blockSize nodes when
    // none is left.
    void* takeFreeNode() noexcept
    {
        if (freeNodes == nullptr) {
            void* memory = oskHeapAlloc(0, nodeOffset + sizeof(entry) * SIZE_T{blockSize});
            if (memory == nullptr)
                return nullptr;
            blocks = ::new (memory) block{blocks};
            char* nodes = static_cast<char*>(memory) + nodeOffset;
            for (UINT32 i = blockSize; i > 0; --i)
                freeNodes = ::new (nodes + sizeof(entry) * (i - 1)) freeLink{freeNodes};
        }
        freeLink* node = freeNodes;
        freeNodes = node->next;
        return node;
    }

    entry** buckets = nullptr;
    UINT32 bucketCount;
    UINT32 count = 0;
    freeLink* freeNodes = nullptr;
    block* blocks = nullptr;
    UINT32 blockSize;
};
