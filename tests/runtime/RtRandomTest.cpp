#include "runtime/RtRandom.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RtRandom, SeededSequencesRepeatAndStayInRange) {
    rt::SetRandSeed(42);
    std::vector<double> first;
    for (int i = 0; i < 1000; ++i)
        first.push_back(rt::Random());
    rt::SetRandSeed(42);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(rt::Random(), first[i]);
    std::vector<int> counts(10, 0);
    for (int i = 0; i < 100000; ++i) {
        const double u = rt::Random();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        const int32_t k = rt::Random(10);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, 10);
        ++counts[k];
    }
    for (int c : counts)
        EXPECT_NEAR(c, 10000, 500);
    EXPECT_EQ(rt::Random(0), 0);
    EXPECT_EQ(rt::Random(-5), 0);
}
