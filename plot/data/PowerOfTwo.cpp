#include "PowerOfTwo.h"

std::size_t powerOfTwoCount(std::size_t count)
{
    if (count < 2)
        return count;
    std::size_t power = 1;
    while (power <= count / 2)
        power *= 2;
    return power;
}
