#pragma once

// The compiled forms of the narrow Fw.d field that live in files of their
// own (each file built for its own instruction set); field_format.cpp
// chooses among them.

namespace scf1s::field_forms {

#if defined(__x86_64__)
#define FIELD_FORMAT_HAS_AVX512_FORM 1

// The fields the vector form takes: d <= 8 decimals, d + 3 <= w <= 16.
inline constexpr int kVectorMaxDecimals = 8;
inline constexpr int kVectorMaxWidth = 16;

// Puts count (1 to 8) values as consecutive Fw.D fields at `at`, eight at a
// time with AVX-512 (field_format_avx512.cpp), the same bytes as the scalar
// field, and writes exactly count * w bytes. When any of the values needs
// more than the common case (NaN, infinities, magnitudes of 100 or more
// after rounding, an exact half after scaling, a '-' without room) it writes
// nothing and returns false. Call it only where the processor has AVX-512F,
// DQ, BW and VBMI.
using FixedChunk = bool (*)(char* at, const double* values, int count, int w);
extern const FixedChunk kNarrowFixedAvx512[kVectorMaxDecimals + 1];
#endif

// Whether the vector form is compiled in and the processor can run it.
bool narrowFixedVectorAvailable();

}  // namespace scf1s::field_forms
