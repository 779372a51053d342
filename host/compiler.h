// What compilers spell each their own way, in one place, so the plugin builds alike with MSVC,
// GCC and Clang.
#pragma once

// Keeps a function out of line: a gate's null test and call through then need no frame of their
// own, whatever the compiler's inlining would prefer.
#if defined(_MSC_VER)
#define QW_NOINLINE __declspec(noinline)
#else
#define QW_NOINLINE __attribute__((noinline))
#endif
