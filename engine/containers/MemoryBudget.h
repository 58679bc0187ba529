#pragma once
#include <algorithm>
#include <cstddef>
#include <utility>

/// A limit on the bytes a validation holds at once. The engine's byte strings charge the budget
/// of the thread that allocates them, so a script's strings are counted without every caller
/// passing the budget along; arrays charge their engine's budget directly.
class MemoryBudget {
public:
    explicit MemoryBudget(std::size_t limitBytes = 0) : limit(limitBytes) {}
    virtual ~MemoryBudget() = default;
    MemoryBudget(const MemoryBudget&) = delete;
    MemoryBudget& operator=(const MemoryBudget&) = delete;

    /// Counts bytes about to be allocated; past the limit, Overrun raises instead.
    void Charge(std::size_t bytes);
    /// Counts bytes freed.
    void Release(std::size_t bytes);
    /// True when bytes more would still be within the limit.
    bool Fits(std::size_t bytes) const { return bytes <= limit - used; }
    /// Bytes counted now.
    std::size_t Used() const { return used; }
    /// The limit in bytes.
    std::size_t Limit() const { return limit; }
    /// The most counted at once since the last StartPeak.
    std::size_t Peak() const { return peak; }
    /// Starts a new peak from what is counted now; returns the peak it replaces.
    std::size_t StartPeak() { return std::exchange(peak, used); }
    /// Puts back a peak StartPeak replaced, unless the current one is higher.
    void RestorePeak(std::size_t earlier) { peak = std::max(peak, earlier); }
    /// Sets the limit; what is counted stays.
    void SetLimit(std::size_t limitBytes) { limit = limitBytes; }

    /// The budget the byte strings of this thread charge; null: none.
    static MemoryBudget* Current();
    /// Charges the current budget, if any.
    static void ChargeCurrent(std::size_t bytes);
    /// Releases from the current budget, if any.
    static void ReleaseCurrent(std::size_t bytes);

    /// Makes a budget the current one of this thread for its scope.
    class Scope {
    public:
        explicit Scope(MemoryBudget& budget);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        MemoryBudget* previous;
    };

protected:
    /// Raises the error that ends the validation; bytes is the charge that did not fit.
    [[noreturn]] virtual void Overrun(std::size_t bytes) = 0;
    /// Called before a charge of at least kLargeChargeBytes: copying that much takes long
    /// enough for a few such copies to outlast any token count.
    virtual void LargeCharge() {}

    static constexpr std::size_t kLargeChargeBytes = std::size_t{1} << 16;

private:
    std::size_t limit;
    std::size_t used = 0;
    std::size_t peak = 0;
    bool overrun = false;  ///< the limit was hit once; the unwinding after it may allocate
};

/// Bytes charged to a budget for as long as this object lives; a copy charges them again.
class MemoryCharge {
public:
    MemoryCharge() = default;
    /// Charges bytes to budget (null: nothing), raising past its limit.
    MemoryCharge(MemoryBudget* budget, std::size_t bytes);
    MemoryCharge(const MemoryCharge& other);
    MemoryCharge& operator=(const MemoryCharge& other);
    /// Takes the other's charge over; the other holds none afterwards.
    MemoryCharge(MemoryCharge&& other) noexcept;
    MemoryCharge& operator=(MemoryCharge&& other) noexcept;
    ~MemoryCharge();

private:
    MemoryBudget* budget = nullptr;
    std::size_t bytes = 0;
};
