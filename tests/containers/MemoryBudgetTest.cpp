#include <gtest/gtest.h>

#include <stdexcept>

#include "containers/CharBuffer.h"
#include "containers/MemoryBudget.h"

namespace {

/// A budget whose overrun is an ordinary exception the test can expect.
class TestBudget : public MemoryBudget {
public:
    using MemoryBudget::MemoryBudget;

private:
    [[noreturn]] void Overrun(std::size_t) override { throw std::length_error("over"); }
};

TEST(MemoryBudget, ByteStringsChargeTheBudgetOfTheirThreadWhileTheyLive) {
    TestBudget budget(1000);
    {
        const MemoryBudget::Scope counted(budget);
        CharBuffer text("0123456789");
        EXPECT_EQ(budget.Used(), 11u);
        text.Append(text);
        EXPECT_EQ(budget.Used(), 21u);
        CharBuffer moved(std::move(text));
        EXPECT_EQ(budget.Used(), 21u);
        moved.Clear();
        EXPECT_EQ(budget.Used(), 0u);
        EXPECT_THROW(CharBuffer(std::string(1000, 'x').c_str()), std::length_error);
    }
    // Outside the scope nothing is counted.
    const CharBuffer uncounted("abc");
    EXPECT_EQ(budget.Used(), 0u);
}

TEST(MemoryBudget, AChargeIsReleasedOnceAndCopiedAsANewCharge) {
    TestBudget budget(100);
    {
        MemoryCharge first(&budget, 40);
        MemoryCharge copy(first);
        EXPECT_EQ(budget.Used(), 80u);
        EXPECT_THROW(MemoryCharge(&budget, 21), std::length_error);
        MemoryCharge moved(std::move(copy));
        EXPECT_EQ(budget.Used(), 80u);
        first = MemoryCharge();
        EXPECT_EQ(budget.Used(), 40u);
    }
    EXPECT_EQ(budget.Used(), 0u);
}

}  // namespace
