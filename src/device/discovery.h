// Finding and opening the mouse's command and event interfaces among the system's HID
// device interfaces.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "device/device_session.h"
#include "platform/hid_system.h"

namespace gm {

inline constexpr std::uint16_t kMouseVendorId = 0x04D9;
inline constexpr std::uint16_t kMouseProductId = 0xA100;

inline constexpr std::uint16_t kEventUsagePage = 0xFF01;
inline constexpr std::uint16_t kEventUsage = 0x0001;
inline constexpr std::uint16_t kCommandUsagePage = 0xFF00;
inline constexpr std::uint16_t kCommandUsage = 0xFF00;
inline constexpr std::uint16_t kCommandFeatureReportLength = 9;

// What discovery tells the rest of the program besides the link state.
struct DiscoveryHooks {
  // Signals the listener's wake event once the event interface is open.
  std::function<void()> wakeListener;
  // Receives the two diagnostic lines; when empty they go nowhere.
  std::function<void(const std::wstring&)> debugLine;
};

bool IsEventInterface(const HidCaps& caps);
bool IsCommandInterface(const HidCaps& caps);

// The diagnostic lines written for every probed interface and every interface of the mouse.
std::wstring AttributesDebugLine(const HidAttributes& attributes);
std::wstring CapsDebugLine(const std::wstring& path, const HidCaps& caps);

// Walks the present HID interfaces in enumeration order. An event interface of the mouse is
// opened (replacing the old event handle) and the listener woken; the command interface is
// opened (replacing the old command handle), ConnectedFlag set to 1 and the walk ends there
// with true. Returns false when the interfaces run out first or any step of the walk fails.
// ConnectedFlag is never cleared here.
bool Discover(HidSystem& hid, DeviceSession& session, const DiscoveryHooks& hooks = {});

// Closes the interfaces that are open and marks them closed; the listener sees the event
// handle gone before it is closed.
void CloseInterfaces(HidSystem& hid, LinkState& link);

}  // namespace gm
