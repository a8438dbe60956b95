#include <windows.h>
// setupapi.h and hidsdi.h need the types of windows.h first; mingw-w64's hidsdi.h lacks
// C linkage.
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/hid_class_win32.h"
#include "platform/win32_hid_system.h"

namespace gm {
namespace {

constexpr DWORD kPresentDeviceInterfaces = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;  // 0x12
constexpr ULONG kHidpStatusSuccess = 0x00110000;
constexpr ULONG kHidpStatusInvalidPreparsedData = 0xC0110001;

// A device information set and the interface its last enumeration selected.
struct InterfaceSet {
  HDEVINFO info = INVALID_HANDLE_VALUE;
  SP_DEVICE_INTERFACE_DATA current{};
};

HANDLE ToHandle(HidHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

InterfaceSet* ToSet(HidInterfaceSet set) {
  return reinterpret_cast<InterfaceSet*>(set);
}

PHIDP_PREPARSED_DATA ToPreparsed(HidPreparsedData preparsed) {
  return reinterpret_cast<PHIDP_PREPARSED_DATA>(preparsed);
}

}  // namespace

HidInterfaceSet Win32HidSystem::OpenInterfaceSet() {
  HDEVINFO info =
      SetupDiGetClassDevsW(&kHidInterfaceClassGuid, nullptr, nullptr, kPresentDeviceInterfaces);
  if (info == INVALID_HANDLE_VALUE) return kInvalidHidInterfaceSet;
  auto* set = new InterfaceSet;
  set->info = info;
  set->current.cbSize = sizeof(set->current);
  return reinterpret_cast<HidInterfaceSet>(set);
}

void Win32HidSystem::CloseInterfaceSet(HidInterfaceSet set) {
  if (set == kInvalidHidInterfaceSet) return;
  InterfaceSet* owned = ToSet(set);
  SetupDiDestroyDeviceInfoList(owned->info);
  delete owned;
}

HidEnumResult Win32HidSystem::EnumerateInterface(HidInterfaceSet set, std::uint32_t index) {
  InterfaceSet* s = ToSet(set);
  if (SetupDiEnumDeviceInterfaces(s->info, nullptr, &kHidInterfaceClassGuid, index, &s->current)) {
    return HidEnumResult::Ok;
  }
  return GetLastError() == ERROR_NO_MORE_ITEMS ? HidEnumResult::NoMoreItems
                                               : HidEnumResult::OtherError;
}

bool Win32HidSystem::ReadInterfacePath(HidInterfaceSet set, std::wstring& path) {
  InterfaceSet* s = ToSet(set);
  // First call: only the size. It "fails" with ERROR_INSUFFICIENT_BUFFER by design.
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailW(s->info, &s->current, nullptr, 0, &required, nullptr);
  const std::size_t size =
      std::max<std::size_t>(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
  // 8-byte units keep the structure aligned.
  std::vector<std::uint64_t> storage((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
  // The structure's own size (8 on x64, 6 on x86), not the size of the whole buffer.
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(s->info, &s->current, detail, static_cast<DWORD>(size),
                                        nullptr, nullptr)) {
    return false;
  }
  const std::size_t capacity =
      (size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
  const wchar_t* begin = detail->DevicePath;
  path.assign(begin, std::find(begin, begin + capacity, L'\0'));
  return true;
}

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

bool Win32HidSystem::GetAttributes(HidHandle handle, HidAttributes& attributes) {
  HIDD_ATTRIBUTES read{};
  read.Size = sizeof(read);
  if (!HidD_GetAttributes(ToHandle(handle), &read)) return false;
  attributes.vendorId = read.VendorID;
  attributes.productId = read.ProductID;
  attributes.versionNumber = read.VersionNumber;
  return true;
}

HidPreparsedData Win32HidSystem::GetPreparsedData(HidHandle handle) {
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!HidD_GetPreparsedData(ToHandle(handle), &preparsed)) return kNoHidPreparsedData;
  return reinterpret_cast<HidPreparsedData>(preparsed);
}

HidCapsStatus Win32HidSystem::GetCaps(HidPreparsedData preparsed, HidCaps& caps) {
  HIDP_CAPS read{};
  const auto status = static_cast<ULONG>(HidP_GetCaps(ToPreparsed(preparsed), &read));
  if (status == kHidpStatusInvalidPreparsedData) return HidCapsStatus::InvalidPreparsedData;
  if (status != kHidpStatusSuccess) return HidCapsStatus::OtherFailure;
  caps.usage = read.Usage;
  caps.usagePage = read.UsagePage;
  caps.inputReportLength = read.InputReportByteLength;
  caps.outputReportLength = read.OutputReportByteLength;
  caps.featureReportLength = read.FeatureReportByteLength;
  return HidCapsStatus::Success;
}

void Win32HidSystem::FreePreparsedData(HidPreparsedData preparsed) {
  if (preparsed != kNoHidPreparsedData) HidD_FreePreparsedData(ToPreparsed(preparsed));
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

struct Win32HidSystem::OverlappedRead {
  OVERLAPPED overlapped{};
  HANDLE handle = INVALID_HANDLE_VALUE;  // while a read is outstanding
};

namespace {

constexpr ULONG_PTR kStatusPending = 0x103;

bool ReadHasEnded(const OVERLAPPED& overlapped) {
  return overlapped.Internal != kStatusPending;
}

}  // namespace

Win32HidSystem::Win32HidSystem() : eventRead_(std::make_unique<OverlappedRead>()) {}

Win32HidSystem::~Win32HidSystem() = default;

bool Win32HidSystem::StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer,
                                    WakeEvent& wake) {
  // Never two reads on one OVERLAPPED.
  if (eventRead_->handle != INVALID_HANDLE_VALUE) FinishEventRead(handle);
  eventRead_->overlapped = OVERLAPPED{};
  eventRead_->overlapped.hEvent = static_cast<HANDLE>(wake.NativeHandle());
  if (ReadFile(ToHandle(handle), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
               &eventRead_->overlapped) == FALSE &&
      GetLastError() != ERROR_IO_PENDING) {
    return false;
  }
  eventRead_->handle = ToHandle(handle);
  return true;
}

std::size_t Win32HidSystem::FinishEventRead(HidHandle) {
  OverlappedRead& read = *eventRead_;
  if (read.handle == INVALID_HANDLE_VALUE) return 0;
  if (!ReadHasEnded(read.overlapped)) {
    // Woken by discovery, not by the read. GetOverlappedResult would return at once (the
    // event is already signalled) with the read still running, so cancel it and wait on its
    // status. A handle that discovery closed has cancelled it already.
    CancelIoEx(read.handle, &read.overlapped);
    while (!ReadHasEnded(read.overlapped)) {
      ResetEvent(read.overlapped.hEvent);
      if (ReadHasEnded(read.overlapped)) break;
      WaitForSingleObject(read.overlapped.hEvent, INFINITE);
    }
  }
  DWORD transferred = 0;
  const BOOL collected = GetOverlappedResult(read.handle, &read.overlapped, &transferred, FALSE);
  read.handle = INVALID_HANDLE_VALUE;
  return collected != FALSE ? transferred : 0;
}

}  // namespace gm
