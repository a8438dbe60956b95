// A stand-in for a DLL planted beside a program in a Downloads folder: named hid.dll, it
// exports what the programs import from the system's hid.dll and, when loaded, leaves the
// file planted-dll-loaded.txt in the current folder. The GUI tests check it never appears.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    HANDLE file = CreateFileW(L"planted-dll-loaded.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}

extern "C" {
__declspec(dllexport) BOOLEAN WINAPI HidD_FreePreparsedData(void*) {
  return FALSE;
}
__declspec(dllexport) BOOLEAN WINAPI HidD_GetAttributes(HANDLE, void*) {
  return FALSE;
}
__declspec(dllexport) BOOLEAN WINAPI HidD_GetFeature(HANDLE, void*, ULONG) {
  return FALSE;
}
__declspec(dllexport) BOOLEAN WINAPI HidD_GetPreparsedData(HANDLE, void**) {
  return FALSE;
}
__declspec(dllexport) BOOLEAN WINAPI HidD_SetFeature(HANDLE, void*, ULONG) {
  return FALSE;
}
__declspec(dllexport) LONG WINAPI HidP_GetCaps(void*, void*) {
  return 0;
}
__declspec(dllexport) void WINAPI HidD_GetHidGuid(GUID*) {}
}
