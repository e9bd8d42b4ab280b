#include "engine/SetupText.h"

namespace {
struct Entry {
  int id;
  const char* text;
};
#define SETUP_TEXT_ENTRY(name, id, text) {id, text},
const Entry kTexts[] = {SETUP_STRINGS(SETUP_TEXT_ENTRY){0, ""}};
#undef SETUP_TEXT_ENTRY
}  // namespace

const char* SetupText(int id) {
  for (const Entry& entry : kTexts)
    if (entry.id == id) return entry.text;
  return "";
}
