#include "uninstall/UninstallText.h"

namespace {
struct Entry {
  int id;
  const char* text;
};
#define UNINSTALL_TEXT_ENTRY(name, id, text) {id, text},
const Entry kTexts[] = {UNINSTALL_STRINGS(UNINSTALL_TEXT_ENTRY){0, ""}};
#undef UNINSTALL_TEXT_ENTRY
}  // namespace

const char* UninstallText(int id) {
  for (const Entry& entry : kTexts)
    if (entry.id == id) return entry.text;
  return "";
}
