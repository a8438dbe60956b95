// Discovery over the real SetupDi/HidD calls (Wine's own HID devices here, none of them the
// mouse), notification registration and reading WM_DEVICECHANGE broadcasts.
#include <windows.h>
// dbt.h needs the types of windows.h first.
#include <dbt.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "device/device_notification.h"
#include "device/discovery.h"
#include "platform/debug_output.h"
#include "platform/win32_hid_system.h"
#include "platform/win32_wake_event.h"

namespace gm {
namespace {

// Forwards to the Windows HID system and notes what each step of the walk answered.
class ObservedHidSystem : public Win32HidSystem {
 public:
  HidInterfaceSet OpenInterfaceSet() override {
    const HidInterfaceSet set = Win32HidSystem::OpenInterfaceSet();
    setTaken = set != kInvalidHidInterfaceSet;
    return set;
  }
  HidEnumResult EnumerateInterface(HidInterfaceSet set, std::uint32_t index) override {
    enumResults.push_back(Win32HidSystem::EnumerateInterface(set, index));
    return enumResults.back();
  }
  bool ReadInterfacePath(HidInterfaceSet set, std::wstring& path) override {
    const bool read = Win32HidSystem::ReadInterfacePath(set, path);
    if (read) paths.push_back(path);
    pathFailures += read ? 0 : 1;
    return read;
  }
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override {
    const HidHandle handle = Win32HidSystem::Open(path, mode);
    if (handle == kInvalidHidHandle) ++openFailures;
    if (handle != kInvalidHidHandle) ++openHandles;
    return handle;
  }
  void Close(HidHandle handle) override {
    --openHandles;
    Win32HidSystem::Close(handle);
  }

  bool setTaken = false;
  std::vector<HidEnumResult> enumResults;
  std::vector<std::wstring> paths;
  int pathFailures = 0;
  int openFailures = 0;
  int openHandles = 0;
};

TEST(Win32Discovery, WalksEveryInterfaceToTheEndAndFindsNoMouse) {
  ObservedHidSystem hid;
  AppState state;
  std::vector<std::wstring> debugLines;
  DiscoveryHooks hooks;
  hooks.debugLine = [&](const std::wstring& line) {
    WriteDebuggerLine(line);
    debugLines.push_back(line);
  };
  EXPECT_FALSE(Discover(hid, state, hooks));
  EXPECT_EQ(state.connectedFlag, 0u);
  EXPECT_EQ(state.link.commandHandle, kInvalidHidHandle);
  EXPECT_EQ(state.link.eventHandle, kInvalidHidHandle);

  // The walk ended because the interfaces ran out, not on an error.
  EXPECT_TRUE(hid.setTaken);
  ASSERT_FALSE(hid.enumResults.empty());
  EXPECT_EQ(hid.enumResults.back(), HidEnumResult::NoMoreItems);
  for (std::size_t i = 0; i + 1 < hid.enumResults.size(); ++i) {
    EXPECT_EQ(hid.enumResults[i], HidEnumResult::Ok);
  }
  EXPECT_EQ(hid.pathFailures, 0);
  EXPECT_EQ(hid.openFailures, 0);
  EXPECT_EQ(hid.openHandles, 0);
  EXPECT_EQ(hid.paths.size(), hid.enumResults.size() - 1);
  for (const auto& path : hid.paths) EXPECT_EQ(path.rfind(L"\\\\?\\", 0), 0u) << "path";
  // Every interface was probed and its attributes read.
  EXPECT_EQ(debugLines.size(), hid.paths.size());
}

TEST(Win32Discovery, AttributesAndCapsOfAPresentInterface) {
  Win32HidSystem hid;
  const HidInterfaceSet set = hid.OpenInterfaceSet();
  ASSERT_NE(set, kInvalidHidInterfaceSet);
  std::wstring path;
  if (hid.EnumerateInterface(set, 0) != HidEnumResult::Ok) {
    hid.CloseInterfaceSet(set);
    GTEST_SKIP() << "no HID interface present";
  }
  ASSERT_TRUE(hid.ReadInterfacePath(set, path));
  hid.CloseInterfaceSet(set);

  const HidHandle probe = hid.Open(path, HidOpenMode::Probe);
  ASSERT_NE(probe, kInvalidHidHandle);
  HidAttributes attributes;
  EXPECT_TRUE(hid.GetAttributes(probe, attributes));
  EXPECT_NE(attributes.vendorId, 0);
  const HidPreparsedData preparsed = hid.GetPreparsedData(probe);
  hid.Close(probe);
  ASSERT_NE(preparsed, kNoHidPreparsedData);
  HidCaps caps;
  EXPECT_EQ(hid.GetCaps(preparsed, caps), HidCapsStatus::Success);
  EXPECT_NE(caps.usagePage, 0);
  hid.FreePreparsedData(preparsed);
}

TEST(Win32DeviceNotification, RegistersAWindowForHidInterfaces) {
  // A message-only window: the unit tests run without a display.
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr) << GetLastError();
  EXPECT_TRUE(RegisterHidInterfaceNotifications(window));
  DestroyWindow(window);
}

TEST(Win32DeviceNotification, ReadsTheInterfaceNameOfABroadcast) {
  const wchar_t name[] = L"\\\\?\\HID#VID_04D9&PID_A100&MI_01#7&1&0&0000#{4d1e55b2}";
  const std::size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + sizeof(name);
  std::vector<std::uint64_t> storage(size / sizeof(std::uint64_t) + 1);
  auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
  broadcast->dbcc_size = static_cast<DWORD>(size);
  broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::memcpy(broadcast->dbcc_name, name, sizeof(name));
  const auto lParam = reinterpret_cast<std::intptr_t>(broadcast);

  DeviceChangeMessage message = ReadDeviceChangeMessage(DBT_DEVICEARRIVAL, lParam);
  EXPECT_EQ(message.event, 0x8000u);
  EXPECT_EQ(message.deviceType, 5u);
  EXPECT_EQ(message.interfaceName, name);

  // A name without its terminating zero is cut at the size the broadcast states.
  broadcast->dbcc_size -= static_cast<DWORD>(2 * sizeof(wchar_t));
  message = ReadDeviceChangeMessage(DBT_DEVICEREMOVECOMPLETE, lParam);
  EXPECT_EQ(message.interfaceName, std::wstring(name, std::size(name) - 2));

  broadcast->dbcc_devicetype = DBT_DEVTYP_VOLUME;
  EXPECT_TRUE(ReadDeviceChangeMessage(DBT_DEVICEARRIVAL, lParam).interfaceName.empty());
  message = ReadDeviceChangeMessage(DBT_DEVNODES_CHANGED, 0);
  EXPECT_EQ(message.event, 7u);
  EXPECT_EQ(message.deviceType, 0u);
}

// The event read's OVERLAPPED signals the listener's wake event, which discovery signals too.
// A read still running at such a wake must be ended, not left to take the next report into the
// buffer while the listener starts another read over it. A pipe stands in for the interface.
TEST(Win32EventRead, WakeWhileTheReadRunsEndsIt) {
  const std::wstring name =
      L"\\\\.\\pipe\\gm900-event-read-" + std::to_wstring(GetCurrentProcessId());
  HANDLE server = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE | PIPE_WAIT, 1, 64, 64, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  HANDLE client = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(client, INVALID_HANDLE_VALUE);
  const auto handle = reinterpret_cast<HidHandle>(server);
  Win32HidSystem hid;
  Win32WakeEvent wake;
  std::array<std::uint8_t, 8> buffer{};

  ASSERT_TRUE(hid.StartEventRead(handle, buffer, wake));
  wake.Set();  // discovery, with no report
  EXPECT_EQ(hid.FinishEventRead(handle), 0u);
  const std::uint8_t report[] = {6, 7, 1, 3};
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(client, report, sizeof(report), &written, nullptr));
  DWORD waiting = 0;
  ASSERT_TRUE(PeekNamedPipe(server, nullptr, 0, nullptr, &waiting, nullptr));
  EXPECT_EQ(waiting, sizeof(report)) << "the ended read took the report";

  wake.Reset();
  ASSERT_TRUE(hid.StartEventRead(handle, buffer, wake));
  wake.Wait();
  EXPECT_EQ(hid.FinishEventRead(handle), sizeof(report));
  EXPECT_EQ(buffer[2], 1);
  EXPECT_EQ(buffer[3], 3);
  CloseHandle(client);
  CloseHandle(server);
}

}  // namespace
}  // namespace gm
