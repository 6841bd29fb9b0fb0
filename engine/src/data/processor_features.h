#pragma once

// Whether the processor, and the system with it, can run code compiled for a
// wider instruction set: SCF1S_PROCESSOR_HAS(AVX2, "avx2"). Only for the x86
// forms of the engine's hot loops, chosen at run time. The C library has read
// the processor's features at start-up and answers from what it read (usable
// features: the system saves the wider registers too); the compiler's own
// check reads them again, and on a virtual machine every such read is a slow
// trap into the host. The compiler's check remains where the C library's
// header is missing.
#if defined(__x86_64__) && __has_include(<sys/platform/x86.h>)
#include <sys/platform/x86.h>
#define SCF1S_PROCESSOR_HAS(feature, name) CPU_FEATURE_ACTIVE(feature)
#else
#define SCF1S_PROCESSOR_HAS(feature, name) __builtin_cpu_supports(name)
#endif
