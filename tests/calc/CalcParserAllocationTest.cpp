#include "AllocationWatch.h"
#include "CalcParser.h"

#include <gtest/gtest.h>

namespace {

TEST(CalcParserAllocationTest, EvaluateAllocatesNothing)
{
    CalcParser parser;
    double x = 0.5;
    parser.defineVar("x", &x);
    parser.defineMacro("damped(t,k)", "sin(t)/(1+k*t^2)", "");
    for (const char* text : {"sin(x)*cos(x)+x^2", "min(x,1)+max(x,2,3,4)+if(x<1,x,2)", "avg(x,x,1)+rand()",
                             "damped(x,0.5)"}) {
        parser.compile(text);
        const long before = AllocationWatch::count();
        for (int i = 0; i < 100; ++i) {
            x += 0.01;
            parser.evaluate();
        }
        EXPECT_EQ(AllocationWatch::count() - before, 0) << text;
    }
}

} // namespace
