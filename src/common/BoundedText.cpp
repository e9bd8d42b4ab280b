#include "common/BoundedText.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

int CopyText(char* dst, size_t capacity, const char* src) {
  if (!dst || capacity == 0) return 0;
  if (!src) src = "";
  size_t length = strlen(src);
  int fit = length < capacity;
  if (!fit) length = capacity - 1;
  memmove(dst, src, length);
  dst[length] = '\0';
  return fit;
}

int AppendText(char* dst, size_t capacity, const char* src) {
  if (!dst || capacity == 0) return 0;
  size_t used = strnlen(dst, capacity);
  if (used == capacity) {  // not terminated: terminate it where it must end
    dst[capacity - 1] = '\0';
    return 0;
  }
  return CopyText(dst + used, capacity - used, src);
}

int FormatText(char* dst, size_t capacity, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int fit = FormatTextV(dst, capacity, format, args);
  va_end(args);
  return fit;
}

int FormatTextV(char* dst, size_t capacity, const char* format, va_list args) {
  if (!dst || capacity == 0) return 0;
#ifdef _WIN32
  // The system runtime's formatter: the compiler's C99 one would add its own printf (a fifth of
  // a program). It answers -1, and leaves the field unterminated, when the text does not fit.
  dst[capacity - 1] = '\0';
  int written = _vsnprintf(dst, capacity, format, args);
  if (written < 0 && dst[capacity - 1] != '\0') written = static_cast<int>(capacity);
#else
  int written = vsnprintf(dst, capacity, format, args);
#endif
  dst[capacity - 1] = '\0';
  if (written < 0) {
    dst[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(written) < capacity;
}
