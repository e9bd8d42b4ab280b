// samplewin.exe: a window with one control of each kind the wizard has, for proving the
// automation program (tests/e2e/check-tools). Its status line (13) tells what it was asked.
#include <windows.h>

namespace {

enum { kAsk = 10, kNever = 11, kCombo = 12, kStatus = 13, kFirst = 14, kSecond = 15 };

void Status(HWND window, const char* text) { SetDlgItemTextA(window, kStatus, text); }

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == kAsk && code == BN_CLICKED) {
      int answer = MessageBoxA(window, "Proceed?\nThe second line", "samplewin", MB_YESNO);
      Status(window, answer == IDYES ? "answered Yes" : "answered No");
    } else if (id == kNever && code == BN_CLICKED) {
      Status(window, "the disabled button was pressed");
    } else if (id == kCombo && code == CBN_SELCHANGE) {
      char text[64] = "picked ";
      HWND combo = reinterpret_cast<HWND>(lParam);
      LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
      if (selected >= 0)
        SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text + 7));
      Status(window, text);
    }
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Child(HWND parent, const char* className, const char* text, DWORD style, int id, int y) {
  return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 24, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

}  // namespace

// The command line, when there is one, is the window's title (a case plays another program's
// window with it).
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "AutomationSample";
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(0, "AutomationSample",
                      *commandLine ? commandLine : "Automation Sample", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      40, 40, 240, 260, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  Child(window, "BUTTON", "Ask", BS_PUSHBUTTON, kAsk, 10);
  EnableWindow(Child(window, "BUTTON", "Never", BS_PUSHBUTTON, kNever, 40), FALSE);
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 70,
                               200, 120, window, reinterpret_cast<HMENU>(kCombo), nullptr, nullptr);
  static const char* const entries[] = {"alpha", "beta", "gamma"};
  for (const char* entry : entries)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  Child(window, "STATIC", "idle", 0, kStatus, 100);
  Child(window, "BUTTON", "First", BS_AUTORADIOBUTTON | WS_GROUP, kFirst, 130);
  Child(window, "BUTTON", "Second", BS_AUTORADIOBUTTON, kSecond, 160);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
