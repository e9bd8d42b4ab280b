// drive.exe: drives the windows of another program under Wine as a user would, from the
// end-to-end cases. Commands as arguments (separated by a ";" word), or, with no arguments, a
// script on standard input (one command a line; blanks separate words; "double quotes" keep
// blanks, and inside them \" \\ and \n stand for a quotation mark, a backslash and a line
// break; # starts a comment line). Every command prints one line of what it saw; the first failure
// prints "FAIL: ..." and ends the program with exit code 1.
//
//   window TITLE [SECONDS]        wait for a visible top-level window; later commands act on it
//   gone TITLE [SECONDS]          wait until no visible top-level window has that title
//   click ID                      BM_CLICK on a control of the window (refused when disabled)
//   select ID INDEX|TEXT          pick a combo box entry, then notify the parent (CBN_SELCHANGE)
//   show ID                       print the control's state, text and entries
//   expect ID STATE [TEXT]        enabled|disabled|visible|hidden|checked|unchecked|text TEXT
//   box CAPTION TEXT BUTTON [SECONDS]   answer a message box; TEXT * takes any text
//   screenshot FILE               save the window (or, before any window, the screen) as BMP
//   close                         ask the window to close (WM_CLOSE)
//   sleep MS
// A control ID is its number or its name in the programs' resource headers (IDC_PORTS, IDOK,
// IDCANCEL, ...), so that the cases read as the code does.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SetupIds.h"
#include "UninstallIds.h"

namespace {

using Words = std::vector<std::string>;

HWND current = nullptr;  // the window of the last `window` command
DWORD lastClick = 0;     // tick count of the last click, for the time a box took
bool clicked = false;

bool Fail(const std::string& what) {
  printf("FAIL: %s\n", what.c_str());
  fflush(stdout);
  return false;
}

std::string Narrow(const wchar_t* text) {
  char buffer[4096];
  int length = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
  return length > 0 ? std::string(buffer) : std::string();
}

// Control texts are read with the W calls: Wine hands the A calls UTF-16 across processes.
std::string TextOf(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return Narrow(text);
}

// Texts are printed on one line: line breaks as \n, quotation marks as \".
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      continue;
    else if (c == '"' || c == '\\')
      out += std::string("\\") + c;
    else
      out += c;
  }
  return out + "\"";
}

struct TopSearch {
  std::string title;
  std::string className;  // empty: any class
  HWND found;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM param) {
  TopSearch* search = reinterpret_cast<TopSearch*>(param);
  if (!IsWindowVisible(window) || TextOf(window) != search->title) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (!search->className.empty() && search->className != className) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindTop(const std::string& title, const std::string& className) {
  TopSearch search{title, className, nullptr};
  EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitTop(const std::string& title, const std::string& className, int seconds) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindTop(title, className)) return window;
    if (GetTickCount() - start > static_cast<DWORD>(seconds) * 1000) return nullptr;
    Sleep(50);
  }
}

// The controls of both programs by the names of their resource headers.
// clang-format off
#define NAMED_ID(id) {#id, id}
const struct {
  const char* name;
  int id;
} kNamedIds[] = {
    NAMED_ID(IDOK), NAMED_ID(IDCANCEL), NAMED_ID(IDC_PAGE_AREA), NAMED_ID(IDC_BACK),
    NAMED_ID(IDC_SIDE_PICTURE), NAMED_ID(IDC_OS_WIN98), NAMED_ID(IDC_OS_NT4), NAMED_ID(IDC_OS_2000),
    NAMED_ID(IDC_OS_XP), NAMED_ID(IDC_OS_2003), NAMED_ID(IDC_OS_VISTA),
    NAMED_ID(IDC_OS_WIN7), NAMED_ID(IDC_OS_WIN7X64),
    NAMED_ID(IDC_MODULE_RECEIPT), NAMED_ID(IDC_MODULE_TICKET), NAMED_ID(IDC_MODULE_LABEL),
    NAMED_ID(IDC_MODULE_EMBEDDED), NAMED_ID(IDC_MODELS_RECEIPT), NAMED_ID(IDC_MODELS_TICKET),
    NAMED_ID(IDC_MODELS_LABEL), NAMED_ID(IDC_MODELS_EMBEDDED), NAMED_ID(IDC_SET_DEFAULT),
    NAMED_ID(IDC_BAUD_RATE), NAMED_ID(IDC_BYTE_SIZE), NAMED_ID(IDC_PARITY), NAMED_ID(IDC_STOP_BITS),
    NAMED_ID(IDC_PROTOCOL), NAMED_ID(IDC_PORTS), NAMED_ID(IDC_RASTER_PRINTING),
    NAMED_ID(IDC_USB_HINT), NAMED_ID(IDC_ACCEPT), NAMED_ID(IDC_REJECT), NAMED_ID(IDC_LICENSE_TEXT),
    NAMED_ID(IDC_TYPICAL), NAMED_ID(IDC_ADVANCED), NAMED_ID(IDC_REMARK), NAMED_ID(IDC_REMARK2),
    NAMED_ID(IDC_REMARK3), NAMED_ID(IDC_PROGRESS_BAR), NAMED_ID(IDC_UNINSTALL),
    NAMED_ID(IDC_INSTRUCTIONS), NAMED_ID(IDC_STATUS_LIST), NAMED_ID(IDC_INVENTORY),
    NAMED_ID(IDC_SELECT_ALL), NAMED_ID(IDC_USB_DRIVER), NAMED_ID(IDC_EXIT),
};
#undef NAMED_ID
// clang-format on

int ControlId(const std::string& word) {
  for (const auto& named : kNamedIds)
    if (word == named.name) return named.id;
  return atoi(word.c_str());
}

struct ControlSearch {
  int id;
  HWND found;
};

// Pages are child dialogs of the frame: controls are looked for among all descendants, a
// visible one first.
BOOL CALLBACK MatchControl(HWND window, LPARAM param) {
  ControlSearch* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  if (!search->found || (!IsWindowVisible(search->found) && IsWindowVisible(window)))
    search->found = window;
  return TRUE;
}

// A window may be shown before all its controls exist: a missing one is waited for up to 3 s.
HWND Control(HWND parent, const std::string& id) {
  ControlSearch search{ControlId(id), nullptr};
  for (int poll = 0; parent && !search.found && poll < 60; ++poll) {
    if (poll) Sleep(50);
    EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

// A user can only press what is shown and enabled, in a window that is enabled itself. Under
// Wine a click on a disabled button still triggers it, so this is checked here.
bool Pressable(HWND control) {
  if (!IsWindowVisible(control)) return false;
  HWND window = control;
  for (; GetWindowLongW(window, GWL_STYLE) & WS_CHILD; window = GetParent(window))
    if (!IsWindowEnabled(window)) return false;
  return IsWindowEnabled(window);  // the top-level window (GetParent would give its owner)
}

struct Delivery {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

DWORD WINAPI Deliver(LPVOID param) {
  Delivery* d = static_cast<Delivery*>(param);
  SendMessageW(d->window, d->message, d->wParam, d->lParam);
  return 0;
}

BOOL CALLBACK CountShown(HWND window, LPARAM param) {
  std::pair<DWORD, int>* count = reinterpret_cast<std::pair<DWORD, int>*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == count->first && IsWindowVisible(window)) ++count->second;
  return TRUE;
}

int ShownWindowsOf(DWORD process) {
  std::pair<DWORD, int> count{process, 0};
  EnumWindows(CountShown, reinterpret_cast<LPARAM>(&count));
  return count.second;
}

// Sends the message from a helper thread and returns when it has been handled, or earlier
// when the handler opened a window of its own (a message box, a modal dialog) and so will
// not return until that window is answered.
void SendAndSettle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  int before = ShownWindowsOf(process);
  // The helper may outlive this call (and the record with it) while a modal window is open.
  Delivery* delivery = new Delivery{window, message, wParam, lParam};
  HANDLE thread = CreateThread(nullptr, 0, Deliver, delivery, 0, nullptr);
  for (int poll = 0; poll < 500; ++poll) {
    if (WaitForSingleObject(thread, 20) == WAIT_OBJECT_0) break;
    if (ShownWindowsOf(process) > before) break;
  }
  CloseHandle(thread);
}

bool Click(const Words& w) {
  HWND control = Control(current, w[1]);
  if (!control) return Fail("no control " + w[1]);
  if (!Pressable(control))
    return Fail("control " + w[1] + " " + Quoted(TextOf(control)) + " is disabled or hidden");
  printf("click %s %s\n", w[1].c_str(), Quoted(TextOf(control)).c_str());
  fflush(stdout);
  lastClick = GetTickCount();
  clicked = true;
  SendAndSettle(control, BM_CLICK, 0, 0);
  return true;
}

std::vector<std::string> Entries(HWND combo, bool listBox) {
  std::vector<std::string> entries;
  UINT count = listBox ? LB_GETCOUNT : CB_GETCOUNT;
  UINT getText = listBox ? LB_GETTEXT : CB_GETLBTEXT;
  UINT getLength = listBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
  LRESULT n = SendMessageW(combo, count, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    LRESULT length = SendMessageW(combo, getLength, i, 0);
    std::vector<wchar_t> text(length > 0 ? length + 1 : 1, L'\0');
    if (length > 0) SendMessageW(combo, getText, i, reinterpret_cast<LPARAM>(text.data()));
    entries.push_back(Narrow(text.data()));
  }
  return entries;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsCombo(HWND window) { return _stricmp(ClassOf(window).c_str(), "ComboBox") == 0; }
bool IsList(HWND window) { return _stricmp(ClassOf(window).c_str(), "ListBox") == 0; }

// What a user reads in a control: a combo box shows its selected entry.
std::string Shown(HWND control) {
  if (IsCombo(control)) {
    LRESULT selected = SendMessageW(control, CB_GETCURSEL, 0, 0);
    std::vector<std::string> entries = Entries(control, false);
    return selected >= 0 && selected < static_cast<LRESULT>(entries.size()) ? entries[selected]
                                                                            : "";
  }
  return TextOf(control);
}

bool Select(const Words& w) {
  HWND combo = Control(current, w[1]);
  if (!combo || !IsCombo(combo)) return Fail("no combo box " + w[1]);
  if (!Pressable(combo)) return Fail("combo box " + w[1] + " is disabled or hidden");
  std::vector<std::string> entries = Entries(combo, false);
  int index = -1;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == w[2]) index = static_cast<int>(i);
  char* end = nullptr;
  long number = strtol(w[2].c_str(), &end, 10);
  if (index < 0 && *end == '\0' && number >= 0 && number < static_cast<long>(entries.size()))
    index = static_cast<int>(number);
  if (index < 0) return Fail("combo box " + w[1] + " has no entry " + Quoted(w[2]));
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  printf("select %s %d %s\n", w[1].c_str(), index, Quoted(entries[index]).c_str());
  fflush(stdout);
  // CB_SETCURSEL notifies nobody: the parent hears of the change as from a user's pick.
  SendAndSettle(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(combo));
  return true;
}

bool Show(const Words& w) {
  HWND control = Control(current, w[1]);
  if (!control) return Fail("no control " + w[1]);
  printf(
      "control %s class=%s enabled=%d visible=%d checked=%d text=%s", w[1].c_str(),
      ClassOf(control).c_str(), IsWindowEnabled(control) ? 1 : 0, IsWindowVisible(control) ? 1 : 0,
      static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)), Quoted(Shown(control)).c_str());
  bool list = IsList(control);
  if (list || IsCombo(control)) {
    printf(" selected=%d entries=",
           static_cast<int>(SendMessageW(control, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0)));
    std::vector<std::string> entries = Entries(control, list);
    for (size_t i = 0; i < entries.size(); ++i)
      printf("%s%s", i ? "," : "", Quoted(entries[i]).c_str());
  }
  printf("\n");
  return true;
}

bool StateIs(HWND control, const std::string& state, const std::string& text) {
  if (state == "enabled") return IsWindowEnabled(control);
  if (state == "disabled") return !IsWindowEnabled(control);
  if (state == "visible") return IsWindowVisible(control);
  if (state == "hidden") return !IsWindowVisible(control);
  if (state == "checked") return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (state == "unchecked") return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
  return state == "text" && Shown(control) == text;
}

// A state that follows a click may lag behind it by a message or two: allow 3 s.
bool Expect(const Words& w) {
  const std::string& state = w[2];
  std::string text = w.size() > 3 ? w[3] : "";
  static const char* known[] = {"enabled", "disabled",  "visible", "hidden",
                                "checked", "unchecked", "text"};
  bool valid = false;
  for (const char* name : known) valid = valid || state == name;
  if (!valid || (state == "text" && w.size() < 4)) return Fail("unknown state " + state);
  HWND control = nullptr;
  for (int poll = 0; poll < 60; ++poll, Sleep(50)) {
    control = Control(current, w[1]);
    if (control && StateIs(control, state, text)) {
      printf("expect %s %s%s ok\n", w[1].c_str(), state.c_str(),
             state == "text" ? (" " + Quoted(text)).c_str() : "");
      return true;
    }
  }
  if (!control) return Fail("no control " + w[1]);
  Show(w);
  return Fail("control " + w[1] + " is not " + state + (state == "text" ? " " + Quoted(text) : ""));
}

int ButtonId(const std::string& name) {
  static const struct {
    const char* name;
    int id;
  } buttons[] = {{"OK", IDOK},         {"Cancel", IDCANCEL}, {"Abort", IDABORT}, {"Retry", IDRETRY},
                 {"Ignore", IDIGNORE}, {"Yes", IDYES},       {"No", IDNO}};
  for (const auto& button : buttons)
    if (name == button.name) return button.id;
  return 0;
}

bool Box(const Words& w) {
  int id = ButtonId(w[3]);
  if (!id) return Fail("unknown button " + w[3]);
  int seconds = w.size() > 4 ? atoi(w[4].c_str()) : 120;
  HWND box = WaitTop(w[1], "#32770", seconds);
  if (!box)
    return Fail("no message box " + Quoted(w[1]) + " within " + std::to_string(seconds) + " s");
  DWORD waited = GetTickCount() - lastClick;
  std::string text = TextOf(GetDlgItem(box, 0xFFFF));
  printf("box %s %s", Quoted(w[1]).c_str(), Quoted(text).c_str());
  if (clicked) printf(" after %lu ms", static_cast<unsigned long>(waited));
  printf("\n");
  fflush(stdout);
  if (w[2] != "*" && w[2] != text)
    return Fail("the box says " + Quoted(text) + ", not " + Quoted(w[2]));
  HWND button = GetDlgItem(box, id);
  if (!button || !Pressable(button)) return Fail("the box has no button " + w[3]);
  HWND saved = current;
  current = box;
  bool done = Click(Words{"click", std::to_string(id)});
  current = saved;
  return done;
}

bool Screenshot(const Words& w) {
  RECT rect;
  if (current)
    GetWindowRect(current, &rect);
  else
    SetRect(&rect, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return Fail("the window has no area");
  // The program paints when its queue is idle; a picture taken before that shows half-drawn
  // controls. RDW_UPDATENOW makes it paint now: a window of another thread is sent WM_PAINT.
  if (current)
    RedrawWindow(current, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  DWORD stride = (width * 3 + 3) & ~3u;
  std::vector<BYTE> pixels(stride * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = fopen(w[1].c_str(), "wb");
  if (!out) return Fail("cannot write " + w[1]);
  fwrite(&file, sizeof file, 1, out);
  fwrite(&info, sizeof info, 1, out);
  fwrite(pixels.data(), 1, pixels.size(), out);
  fclose(out);
  printf("screenshot %s %dx%d\n", Quoted(w[1]).c_str(), width, height);
  return true;
}

bool Run(const Words& w) {
  if (w.empty()) return true;
  const std::string& name = w[0];
  size_t n = w.size();
  int seconds = n > 2 ? atoi(w[2].c_str()) : 30;
  if (name == "window" && n >= 2) {
    current = WaitTop(w[1], "", seconds);
    if (!current)
      return Fail("no window " + Quoted(w[1]) + " within " + std::to_string(seconds) + " s");
    printf("window %s\n", Quoted(w[1]).c_str());
    return true;
  }
  if (name == "gone" && n >= 2) {
    DWORD start = GetTickCount();
    while (FindTop(w[1], "")) {
      if (GetTickCount() - start > static_cast<DWORD>(seconds) * 1000)
        return Fail("window " + Quoted(w[1]) + " still open after " + std::to_string(seconds) +
                    " s");
      Sleep(50);
    }
    printf("gone %s\n", Quoted(w[1]).c_str());
    return true;
  }
  if (name == "sleep" && n == 2) {
    Sleep(atoi(w[1].c_str()));
    return true;
  }
  if (name == "screenshot" && n == 2) return Screenshot(w);
  if (name == "box" && (n == 4 || n == 5)) return Box(w);
  if (!current) return Fail(name + ": no window yet (use `window TITLE` first)");
  if (name == "close" && n == 1) {
    PostMessageW(current, WM_CLOSE, 0, 0);
    printf("close\n");
    return true;
  }
  if (name == "click" && n == 2) return Click(w);
  if (name == "select" && n == 3) return Select(w);
  if (name == "show" && n == 2) return Show(w);
  if (name == "expect" && (n == 3 || n == 4)) return Expect(w);
  return Fail("unknown command or wrong arguments: " + name);
}

Words Split(const char* line) {
  Words words;
  const char* p = line;
  for (;;) {
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    if (!*p) return words;
    std::string word;
    if (*p == '"') {
      for (++p; *p && *p != '"'; ++p) {
        if (*p == '\\' && (p[1] == '"' || p[1] == '\\' || p[1] == 'n')) {
          ++p;
          word += *p == 'n' ? '\n' : *p;
        } else {
          word += *p;
        }
      }
      if (*p) ++p;
    } else {
      while (*p && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') word += *p++;
    }
    words.push_back(word);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The cases grep whole lines: no carriage returns.
  _setmode(_fileno(stdout), _O_BINARY);
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc > 1) {
    Words words;
    for (int i = 1; i <= argc; ++i) {
      if (i < argc && strcmp(argv[i], ";") != 0) {
        words.push_back(argv[i]);
        continue;
      }
      if (!Run(words)) return 1;
      words.clear();
    }
    return 0;
  }
  char line[4096];
  while (fgets(line, sizeof line, stdin)) {
    const char* start = line;
    while (*start == ' ' || *start == '\t') ++start;
    if (*start == '#') continue;
    if (!Run(Split(start))) return 1;
  }
  return 0;
}
