// TCompiler: the compiler extensions the libraries use, each under one name of their own.
//
// Code of both libraries (and their tests) names these macros instead of writing a compiler's
// attributes or built-ins, so that what is asked of the compiler is written once and a build
// for another compiler changes this file only. GCC and Clang are the compilers supported; each
// macro expands to the same extension in both. Macros only: no code, no cost, no threads.
//
//   STATCLIENT_ALWAYS_INLINE       inline even where the optimiser would not (short fast paths)
//   STATCLIENT_FLATTEN             inline every call the function makes, where possible
//   STATCLIENT_NOINLINE            never inline: keeps a rare path out of its caller's way
//   STATCLIENT_COLD                a path seldom taken, laid out apart from the hot code
//   STATCLIENT_PRINTF_FORMAT(f, a) argument f is a printf format for the arguments from a on
//   STATCLIENT_INITIAL_EXEC_TLS    a thread_local reached in one load, with no call
//   STATCLIENT_BYTE_SWAP_16(v), STATCLIENT_BYTE_SWAP_32(v)   v with its bytes reversed
//   STATCLIENT_LITTLE_ENDIAN_HOST  1 when the host stores integers least significant byte first
//   STATCLIENT_ADDRESS_SANITIZER   1 in a build with AddressSanitizer, otherwise 0
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TCOMPILER_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TCOMPILER_H_

#define STATCLIENT_ALWAYS_INLINE __attribute__((always_inline))
#define STATCLIENT_FLATTEN __attribute__((flatten))
#define STATCLIENT_NOINLINE __attribute__((noinline))
#define STATCLIENT_COLD __attribute__((cold))
#define STATCLIENT_PRINTF_FORMAT(formatIndex, firstArgument)                                       \
  __attribute__((format(printf, formatIndex, firstArgument)))
#define STATCLIENT_INITIAL_EXEC_TLS __attribute__((tls_model("initial-exec")))

#define STATCLIENT_BYTE_SWAP_16(value) __builtin_bswap16(value)
#define STATCLIENT_BYTE_SWAP_32(value) __builtin_bswap32(value)
#define STATCLIENT_LITTLE_ENDIAN_HOST (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__)

#if defined(__SANITIZE_ADDRESS__)
#define STATCLIENT_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STATCLIENT_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef STATCLIENT_ADDRESS_SANITIZER
#define STATCLIENT_ADDRESS_SANITIZER 0
#endif

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TCOMPILER_H_
