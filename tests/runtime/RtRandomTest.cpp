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
        ASSERT_TRUE(u >= 0.0 && u < 1.0) << u;
        const int32_t k = rt::Random(10);
        ASSERT_TRUE(k >= 0 && k < 10) << k;
        ++counts[k];
    }
    for (int c : counts)
        EXPECT_NEAR(c, 10000, 500);
    EXPECT_EQ(rt::Random(0), 0);
    EXPECT_EQ(rt::Random(-5), 0);
}
