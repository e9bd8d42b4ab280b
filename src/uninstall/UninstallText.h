#pragma once

// The text of uninstall's string table entry `id`; "" for an unknown id.
const char* UninstallText(int id);
