#include <gtest/gtest.h>

#include <cstring>
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

// A short text lives inside the buffer, a longer one in an array of its own; the budget must
// not see the difference, or the same script would reach the memory limit elsewhere.
TEST(MemoryBudget, ShortAndLongTextsChargeTheirLengthAlike) {
    TestBudget budget(1000);
    const MemoryBudget::Scope counted(budget);
    for (const char* text : {"", "abcdef", "abcdefg", "abcdefgh", "abcdefghijklmnop"}) {
        const std::size_t charge = std::strlen(text) + 1;
        {
            CharBuffer buffer(text);
            EXPECT_EQ(budget.Used(), charge) << text;
            CharBuffer moved(std::move(buffer));
            CharBuffer copied(moved);
            EXPECT_EQ(budget.Used(), 2 * charge) << text;
            copied = CharBuffer("0123456789");
            EXPECT_EQ(budget.Used(), charge + 11) << text;
        }
        EXPECT_EQ(budget.Used(), 0u) << text;
    }
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
