// A set of up to eight small elements kept as the bits of one byte.
#pragma once

#include <bitset>

using TByteSet = std::bitset<8>;

// Bit i of the integer stands for element i of the set; higher bits ignored.
inline int SetToInt(TByteSet set) {
  return static_cast<int>(set.to_ulong());
}
inline TByteSet IntToSet(int value) {
  return TByteSet(static_cast<unsigned long>(value & 0xFF));
}
