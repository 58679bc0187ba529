#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "containers/CharBuffer.h"
#include "containers/MemoryBudget.h"
#include "values/Value.h"

/// The elements of an array variable. All of them carry the declared type and only that
/// type's payload is ever written, so each is kept as its payload alone: an Int array costs
/// four bytes an element, not a whole Value. Everything lives behind one pointer, so that the
/// scalars, nearly every variable, carry no more than that.
class ArrayElements {
public:
    /// No elements.
    ArrayElements() = default;
    /// count elements of type, each the zero of its type (a Void array holds nothing).
    ArrayElements(ValueType type, int count);
    ArrayElements(const ArrayElements& other);             ///< copies every element
    ArrayElements& operator=(const ArrayElements& other);  ///< same, replacing what was held
    ArrayElements(ArrayElements&&) noexcept = default;
    ArrayElements& operator=(ArrayElements&&) noexcept = default;
    ~ArrayElements();

    /// Holds the elements' share of the validation's memory for as long as they live.
    void Charge(MemoryCharge charge);

    /// Bytes count elements of type take.
    static std::size_t Bytes(ValueType type, int count);

    /// True when the variable is an array.
    explicit operator bool() const { return store != nullptr && store->count > 0; }
    /// The element as a whole value.
    Value Get(int index) const;
    /// Stores the payload of the declared type; the caller has checked index and conversion.
    void SetInt(int index, int32_t v) { store->ints[index] = v; }
    void SetFloat(int index, double v) { store->floats[index] = v; }
    void SetString(int index, const CharBuffer& v) { store->strings[index] = v; }

private:
    struct Store {
        ValueType type = ValueType::Void;
        int count = 0;
        // One of these holds the elements, by type.
        std::unique_ptr<int32_t[]> ints;
        std::unique_ptr<double[]> floats;
        std::unique_ptr<CharBuffer[]> strings;
        MemoryCharge charge;
    };
    std::unique_ptr<Store> store;  ///< null for a scalar
};
