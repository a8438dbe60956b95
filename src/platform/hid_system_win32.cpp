#include <windows.h>
// hidsdi.h needs the types of windows.h first; mingw-w64's copy lacks C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <vector>

#include "platform/win32_hid_system.h"

namespace gm {
namespace {

HANDLE ToHandle(HidHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

HidHandle Win32HidSystem::Open(const std::wstring& path, HidOpenMode mode) {
  DWORD access = 0;
  DWORD flags = 0;
  switch (mode) {
    case HidOpenMode::Probe:
      break;
    case HidOpenMode::EventRead:
      access = GENERIC_READ;
      flags = FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL;
      break;
    case HidOpenMode::CommandAccess:
      access = GENERIC_READ | GENERIC_WRITE;
      break;
  }
  HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return kInvalidHidHandle;
  return reinterpret_cast<HidHandle>(handle);
}

void Win32HidSystem::Close(HidHandle handle) {
  if (handle != kInvalidHidHandle) CloseHandle(ToHandle(handle));
}

bool Win32HidSystem::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  // HidD_SetFeature takes a non-const buffer.
  std::vector<std::uint8_t> copy(report.begin(), report.end());
  return HidD_SetFeature(ToHandle(handle), copy.data(), static_cast<ULONG>(copy.size())) != FALSE;
}

bool Win32HidSystem::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
  return HidD_GetFeature(ToHandle(handle), report.data(), static_cast<ULONG>(report.size())) !=
         FALSE;
}

bool Win32HidSystem::WriteReport(HidHandle handle, std::span<const std::uint8_t> report) {
  DWORD written = 0;
  return WriteFile(ToHandle(handle), report.data(), static_cast<DWORD>(report.size()), &written,
                   nullptr) != FALSE;
}

std::size_t Win32HidSystem::ReadReport(HidHandle handle, std::span<std::uint8_t> report) {
  DWORD read = 0;
  if (ReadFile(ToHandle(handle), report.data(), static_cast<DWORD>(report.size()), &read,
               nullptr) == FALSE) {
    return 0;
  }
  return read;
}

}  // namespace gm
