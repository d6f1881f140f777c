#include "CalcParser.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

// Counts every allocation of this test program.
void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

TEST(CalcParserAllocationTest, EvaluateAllocatesNothing)
{
    CalcParser parser;
    double x = 0.5;
    parser.defineVar("x", &x);
    for (const char* text : {"sin(x)*cos(x)+x^2", "min(x,1)+max(x,2,3,4)+if(x<1,x,2)", "avg(x,x,1)+rand()"}) {
        parser.compile(text);
        const long before = allocations;
        for (int i = 0; i < 100; ++i) {
            x += 0.01;
            parser.evaluate();
        }
        EXPECT_EQ(allocations - before, 0) << text;
    }
}

} // namespace
