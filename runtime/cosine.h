#pragma once

#include <span>

namespace sho {

// The cosine the program computes with, the same to the bit on every platform: within one unit in
// the last place of the exact value, as a C library's cos is, but it works on a block of angles at
// a time in the processor's vector registers, which makes it several times faster when every step
// of a run needs one. Beyond +-823549.6 it is CorrectlyRoundedCos.
void Cosines(std::span<const double> angles, std::span<double> cosines);

double Cosine(double angle);

}  // namespace sho
