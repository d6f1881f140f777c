#pragma once

#include <cstdint>

namespace Xls {

// RK numbers: a double packed into 32 bits for the RK and MULRK cell records.
//
//   bit 0      set: the decoded number is to be divided by 100
//   bit 1      0: bits 31…2 are the top 30 bits of an IEEE 754 double whose low 34 bits
//                 are zero (the float form)
//              1: bits 31…2 are a signed 30-bit integer (the integer form)
//
// The writer uses the float form only: first the value itself, then the value times 100.
// Either is taken only when decoding gives back exactly the same double (bit for bit, so −0
// stays −0); a value neither form holds exactly, such as 123456.78 or 1e300, has no RK and
// goes into a NUMBER record. The integer form is read, never written.

// True and the RK in `rk` when `value` has an exact RK.
bool encodeRk(double value, std::uint32_t& rk);

double decodeRk(std::uint32_t rk);

} // namespace Xls
