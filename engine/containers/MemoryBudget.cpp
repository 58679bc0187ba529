#include "containers/MemoryBudget.h"

#include <algorithm>
#include <utility>

namespace {

// One validation runs on one worker thread, so the thread is what ties an allocation deep in
// the byte strings to the validation that made it; parallel validations never share one.
thread_local MemoryBudget* current = nullptr;

}  // namespace

void MemoryBudget::Charge(std::size_t bytes) {
    if (!overrun && bytes >= kLargeChargeBytes) LargeCharge();
    if (!overrun && !Fits(bytes)) {
        overrun = true;
        Overrun(bytes);
    }
    used += bytes;
    peak = std::max(peak, used);
}

void MemoryBudget::Release(std::size_t bytes) {
    // Text allocated before the run (the loaded names) may be freed during it.
    used -= std::min(used, bytes);
}

MemoryBudget* MemoryBudget::Current() { return current; }

void MemoryBudget::ChargeCurrent(std::size_t bytes) {
    if (current != nullptr) current->Charge(bytes);
}

void MemoryBudget::ReleaseCurrent(std::size_t bytes) {
    if (current != nullptr) current->Release(bytes);
}

MemoryBudget::Scope::Scope(MemoryBudget& budget) : previous(current) { current = &budget; }

MemoryBudget::Scope::~Scope() { current = previous; }

MemoryCharge::MemoryCharge(MemoryBudget* budget, std::size_t bytes) {
    if (budget != nullptr) budget->Charge(bytes);
    this->budget = budget;
    this->bytes = bytes;
}

MemoryCharge::MemoryCharge(const MemoryCharge& other) : MemoryCharge(other.budget, other.bytes) {}

MemoryCharge& MemoryCharge::operator=(const MemoryCharge& other) {
    if (this == &other) return *this;
    if (other.budget != nullptr) other.budget->Charge(other.bytes);
    if (budget != nullptr) budget->Release(bytes);
    budget = other.budget;
    bytes = other.bytes;
    return *this;
}

MemoryCharge::MemoryCharge(MemoryCharge&& other) noexcept
    : budget(std::exchange(other.budget, nullptr)), bytes(std::exchange(other.bytes, 0)) {}

MemoryCharge& MemoryCharge::operator=(MemoryCharge&& other) noexcept {
    if (this == &other) return *this;
    if (budget != nullptr) budget->Release(bytes);
    budget = std::exchange(other.budget, nullptr);
    bytes = std::exchange(other.bytes, 0);
    return *this;
}

MemoryCharge::~MemoryCharge() {
    if (budget != nullptr) budget->Release(bytes);
}
