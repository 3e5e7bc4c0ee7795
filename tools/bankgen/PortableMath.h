#pragma once

// Elementary functions built from basic IEEE operations only. The C library chooses its code
// path by CPU, and the paths may round differently in the last bit; these give the same bits
// on every machine, so the generated bank does too. Accurate to a few ulp for |x| below 1e5.
namespace bankgen
{
double portableExp(double x);
double portableSin(double x);
double portableCos(double x);
} // namespace bankgen
