// Debug output and assertions of the host. Assertions are active in debug builds (NDEBUG not
// defined) and report "file(line): expression" on the debug output; they never abort, so the
// code after them must fail soft. Release builds check nothing.
#ifndef C4D_DEBUG_H
#define C4D_DEBUG_H

// mingw's libstdc++ formats with the C99 printf (%zu, %lld); plain "printf" would check the
// format against Microsoft's older one.
#ifdef __MINGW32__
#define C4D_PRINTF_STYLE gnu_printf
#else
#define C4D_PRINTF_STYLE printf
#endif

// Writes one line to the host's debug output (printf-style).
void GeDebugOut(const char* format, ...) __attribute__((format(C4D_PRINTF_STYLE, 1, 2)));

// Reports a failed assertion as "%s(%d): %s" on the debug output.
void GeAssertFailed(const char* file, int line, const char* expression);

#define C4D_STRINGIFY_RAW(x) #x
// Expands macros in the expression first, so NULL shows as the compiler spells it (__null).
#define C4D_STRINGIFY(x) C4D_STRINGIFY_RAW(x)

#ifndef NDEBUG
#define DebugAssert(e) ((e) ? (void)0 : GeAssertFailed(__FILE__, __LINE__, C4D_STRINGIFY(e)))
#else
#define DebugAssert(e) ((void)0)
#endif

#endif
