#pragma once

#include <vector>

namespace bankgen
{
// Renders the whole response bank: ResponseBank::kTableCount tables of
// ResponseBank::kTableLength samples, back to back in the bank's storage order. Deterministic:
// the same values, bit for bit, on every run and machine.
std::vector<double> generateBank();
} // namespace bankgen
