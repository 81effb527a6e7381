/* Lanternfish: shows its name and version, and ends. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  (void)instance;
  (void)previous;
  (void)command_line;
  (void)show;
  MessageBoxA(NULL, "Lanternfish 2.3.1", "Lanternfish", MB_OK | MB_ICONINFORMATION);
  return 0;
}
