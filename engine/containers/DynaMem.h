#pragma once
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "containers/ContainerMessages.h"
#include "diagnostics/ErrorClass.h"

/// Owning growable list in which every element keeps a stable slot number.
template <typename T>
class DynaMem : public ErrorClass {
public:
    /// An empty list with room for initialCapacity elements.
    explicit DynaMem(int initialCapacity = 8);
    /// Deep copy keeping the slot numbers.
    DynaMem(const DynaMem& other);
    /// Deep copy keeping the slot numbers; slots the source cannot supply stay empty.
    DynaMem& operator=(const DynaMem& other);
    ~DynaMem() override = default;

    /// Creates a default element in the lowest free slot and returns that slot.
    int Add();
    /// Creates a copy of item in the lowest free slot and returns that slot.
    int Add(const T* item);
    /// Reallocates to n slots (-1: count) and compacts the elements to slots 0..count-1.
    void SetSize(int n);
    /// Destroys the element in slot; returns 1.
    int Delete(int slot);
    /// Number of occupied slots.
    int GetCount() const { return count; }
    /// The element in slot, null for a free slot.
    T* GetSlot(int slot) const;
    /// Slot number of the k-th occupied slot in ascending slot order, -1 when there is none.
    int GetSlotNr(int k) const;
    /// Element of the k-th occupied slot in ascending slot order, null when there is none.
    T* Get(int k) const;
    /// Rebuilds the ordinal index unless the list is fixed.
    void RebuildOrder() const;
    /// Destroys every element and keeps the capacity.
    void Clear();
    /// Length of the slot array.
    int GetCapacity() const { return capacity; }

    std::unique_ptr<std::unique_ptr<T>[]> data;     ///< slot array; null marks a free slot
    mutable std::unique_ptr<std::int32_t[]> order;  ///< order[k]: slot of the k-th element
    int count = 0;                                  ///< occupied slots
    int firstFree = 0;                              ///< every slot below it is occupied
    int capacity = 0;                               ///< length of data and order
    int fixed = 0;                                  ///< above 0: never grows, never reorders
    mutable int dirty = 1;                          ///< order must be rebuilt before use

private:
    /// Finds the slot for a new element, growing a full list first.
    int TakeFreeSlot();
    /// Records a new element that now sits in slot.
    int Occupy(int slot);
    /// Keeps a valid index valid when slot is taken (inserted) or freed (removed).
    void UpdateOrder(int slot, bool inserted);
};

template <typename T>
DynaMem<T>::DynaMem(int initialCapacity) : capacity(initialCapacity > 0 ? initialCapacity : 0) {
    SetName(ContainerMessages::kDynaMemComponent);
    data = std::make_unique<std::unique_ptr<T>[]>(static_cast<std::size_t>(capacity));
    order = std::make_unique<std::int32_t[]>(static_cast<std::size_t>(capacity));
}

template <typename T>
DynaMem<T>::DynaMem(const DynaMem& other) : ErrorClass(other) {
    data = std::make_unique<std::unique_ptr<T>[]>(0);
    order = std::make_unique<std::int32_t[]>(0);
    *this = other;
}

template <typename T>
DynaMem<T>& DynaMem<T>::operator=(const DynaMem& other) {
    if (this == &other) return *this;
    ErrorClass::operator=(other);
    Clear();
    if (other.dirty && other.fixed <= 0) other.RebuildOrder();

    count = other.count;
    firstFree = other.firstFree;
    capacity = other.capacity;
    fixed = other.fixed;
    dirty = other.dirty;
    data = std::make_unique<std::unique_ptr<T>[]>(static_cast<std::size_t>(capacity));
    order = std::make_unique<std::int32_t[]>(static_cast<std::size_t>(capacity));
    for (int k = 0; k < count && k < capacity; ++k) order[k] = other.order[k];

    // A fixed list never rebuilds its index, so after a deletion its order can name slots
    // that are empty now; those are reported and skipped rather than copied.
    for (int k = 0; k < count && k < capacity; ++k) {
        const int slot = order[k];
        if (slot >= 0 && slot < capacity && other.data[slot]) {
            data[slot] = std::make_unique<T>(*other.data[slot]);
        } else {
            Warning(ContainerMessages::kInvalidEntryFound);
        }
    }
    return *this;
}

template <typename T>
int DynaMem<T>::TakeFreeSlot() {
    if (count == capacity) {
        if (fixed > 0) Error(ContainerMessages::kCannotExpandFixed);
        // Growing by a quarter plus 8 keeps appends amortised constant; refuse before overflow.
        if (capacity > (INT_MAX - 8) / 5 * 4) Error(ContainerMessages::kMaximumDataElements, capacity);
        SetSize(capacity + capacity / 4 + 8);
    }
    int slot = firstFree;
    while (slot < capacity && data[slot]) ++slot;
    if (slot >= capacity) Error(ContainerMessages::kMaximumDataElements, capacity);
    return slot;
}

template <typename T>
int DynaMem<T>::Occupy(int slot) {
    firstFree = slot + 1;
    UpdateOrder(slot, true);
    ++count;
    return slot;
}

// The evaluator removes items one by one and reads them by ordinal after each removal;
// rebuilding the whole index each time would make long expressions quadratic in slot scans.
// A valid index is therefore patched in place (a binary search and one memmove), which
// gives exactly the index a rebuild would give.
template <typename T>
void DynaMem<T>::UpdateOrder(int slot, bool inserted) {
    if (dirty || fixed > 0) {
        dirty = 1;
        return;
    }
    std::int32_t* first = order.get();
    std::int32_t* last = first + count;
    std::int32_t* at = std::lower_bound(first, last, slot);
    if (inserted) {
        std::memmove(at + 1, at, static_cast<std::size_t>(last - at) * sizeof(std::int32_t));
        *at = slot;
    } else {
        std::memmove(at, at + 1, static_cast<std::size_t>(last - at - 1) * sizeof(std::int32_t));
    }
}

template <typename T>
int DynaMem<T>::Add() {
    const int slot = TakeFreeSlot();
    data[slot] = std::make_unique<T>();
    return Occupy(slot);
}

template <typename T>
int DynaMem<T>::Add(const T* item) {
    if (item == nullptr) Error(ContainerMessages::kNullPointerAdded);
    const int slot = TakeFreeSlot();
    data[slot] = std::make_unique<T>(*item);
    return Occupy(slot);
}

template <typename T>
void DynaMem<T>::SetSize(int n) {
    if (fixed > 0) Error(ContainerMessages::kCannotSetSizeFixed);
    if (dirty) RebuildOrder();
    if (n == -1) n = count;
    if (n < count) Error(ContainerMessages::kNewSizeTooSmall);

    auto newData = std::make_unique<std::unique_ptr<T>[]>(static_cast<std::size_t>(n));
    auto newOrder = std::make_unique<std::int32_t[]>(static_cast<std::size_t>(n));
    for (int k = 0; k < count; ++k) {
        newData[k] = std::move(data[order[k]]);
        newOrder[k] = k;
    }
    data = std::move(newData);
    order = std::move(newOrder);
    capacity = n;
    firstFree = count;
    dirty = 0;
}

template <typename T>
int DynaMem<T>::Delete(int slot) {
    if (slot < 0 || slot >= capacity || !data[slot]) Error(ContainerMessages::kCannotDeleteObject, slot);
    data[slot].reset();
    if (slot < firstFree) firstFree = slot;
    UpdateOrder(slot, false);
    --count;
    return 1;
}

template <typename T>
T* DynaMem<T>::GetSlot(int slot) const {
    if (slot < 0 || slot >= capacity) return nullptr;
    return data[slot].get();
}

template <typename T>
int DynaMem<T>::GetSlotNr(int k) const {
    if (dirty && fixed <= 0) RebuildOrder();
    if (k < 0 || k >= count || k >= capacity) return -1;
    return order[k];
}

template <typename T>
T* DynaMem<T>::Get(int k) const {
    return GetSlot(GetSlotNr(k));
}

template <typename T>
void DynaMem<T>::RebuildOrder() const {
    if (fixed <= 0) {
        int found = 0;
        for (int slot = 0; slot < capacity && found < count; ++slot) {
            if (data[slot]) order[found++] = slot;
        }
    }
    dirty = 0;
}

template <typename T>
void DynaMem<T>::Clear() {
    int deleted = 0;
    for (int slot = 0; slot < capacity && deleted < count; ++slot) {
        if (data[slot]) {
            data[slot].reset();
            ++deleted;
        }
    }
    count = 0;
    firstFree = 0;
    dirty = 1;
}
