// Every write into a fixed-size text field goes through these two helpers, so that no
// INI value, model name or path can run past a buffer. A cut text stays NUL-terminated.
#pragma once

#include <cstdarg>
#include <cstddef>

#if defined(__GNUC__)
#define BOUNDED_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define BOUNDED_PRINTF(fmt, args)
#endif

// Copies src (null reads as "") into dst of `capacity` bytes. Returns 1 when the whole text
// fit, 0 when it was cut (or capacity is 0, when nothing is written).
int CopyText(char* dst, size_t capacity, const char* src);
// Appends src to the text already in dst, within the same capacity; 1 / 0 as CopyText.
int AppendText(char* dst, size_t capacity, const char* src);
// printf-style formatting into dst; 1 / 0 as CopyText.
int FormatText(char* dst, size_t capacity, const char* format, ...) BOUNDED_PRINTF(3, 4);
int FormatTextV(char* dst, size_t capacity, const char* format, va_list args);

template <size_t N>
int CopyText(char (&dst)[N], const char* src) {
  return CopyText(dst, N, src);
}
template <size_t N>
int AppendText(char (&dst)[N], const char* src) {
  return AppendText(dst, N, src);
}
