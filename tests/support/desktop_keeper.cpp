// desktop_keeper <ready file>: holds the Wine desktop of its prefix for a test run (scripts/lib.sh,
// vexa_keep_desktop). Wine starts the desktop process for the first program that asks for the
// desktop window, handing it that program's error output, and ends it a second after the last
// program on the desktop ends. This program asks first, so the desktop starts with no test's output,
// writes the ready file, and stays on the desktop until its input is closed.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    GetDesktopWindow();
    HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    char c;
    DWORD read = 0;
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    while (ReadFile(in, &c, 1, &read, nullptr) && read) {
    }
    return 0;
}
