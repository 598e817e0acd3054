#pragma once

// Quadruple precision (IEEE binary128: 113 significant bits) in software, with the same correctly
// rounded +, -, * and / wherever the program is built: GCC's __float128 on x86, and long double
// where that is already binary128 (WebAssembly, AArch64 Linux).
namespace sho {

#if defined(__LDBL_MANT_DIG__) && __LDBL_MANT_DIG__ == 113
using Quad = long double;
#elif defined(__SIZEOF_FLOAT128__)
using Quad = __float128;
#else
#error "No quadruple precision type on this platform"
#endif

}  // namespace sho
