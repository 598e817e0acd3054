#pragma once

namespace sho {

// The cosine and the tangent of `x`, correctly rounded: the double nearest to the exact value, the
// same on every platform whatever its C library does. They work in quadruple precision, which
// settles the rounding unless the exact value lies within about 2^-105 of its own size from the
// midpoint between two doubles. Not a number where `x` is not finite.
double CorrectlyRoundedCos(double x);
double CorrectlyRoundedTan(double x);

}  // namespace sho
