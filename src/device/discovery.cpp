#include "device/discovery.h"

namespace gm {
namespace {

// Lower-case hex with at least `digits` digits, like printf's "%0<digits>x".
std::wstring Hex(unsigned value, std::size_t digits) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text;
  do {
    text.insert(text.begin(), kDigits[value & 0xFu]);
    value >>= 4;
  } while (value != 0);
  if (text.size() < digits) text.insert(0, digits - text.size(), L'0');
  return text;
}

// Destroys the interface set on every way out of the walk.
class InterfaceSetGuard {
 public:
  InterfaceSetGuard(HidSystem& hid, HidInterfaceSet set) : hid_(hid), set_(set) {}
  ~InterfaceSetGuard() { hid_.CloseInterfaceSet(set_); }
  InterfaceSetGuard(const InterfaceSetGuard&) = delete;
  InterfaceSetGuard& operator=(const InterfaceSetGuard&) = delete;

 private:
  HidSystem& hid_;
  HidInterfaceSet set_;
};

// Closes the handle a discovery is about to replace, then opens the new one in its place.
bool Reopen(HidSystem& hid, HidHandle& handle, const std::wstring& path, HidOpenMode mode) {
  if (handle != kInvalidHidHandle) hid.Close(handle);
  handle = hid.Open(path, mode);
  return handle != kInvalidHidHandle;
}

}  // namespace

bool IsEventInterface(const HidCaps& caps) {
  return caps.usage == kEventUsage && caps.usagePage == kEventUsagePage &&
         caps.inputReportLength != 0;
}

bool IsCommandInterface(const HidCaps& caps) {
  return caps.usage == kCommandUsage && caps.usagePage == kCommandUsagePage &&
         caps.featureReportLength == kCommandFeatureReportLength;
}

std::wstring AttributesDebugLine(const HidAttributes& attributes) {
  return L"PID:" + Hex(attributes.productId, 4) + L"\n,VID:" + Hex(attributes.vendorId, 4) +
         L"\n,VersionNumber:" + Hex(attributes.versionNumber, 4) + L"\n";
}

std::wstring CapsDebugLine(const std::wstring& path, const HidCaps& caps) {
  return L"DevicePath:" + path + L",\nUsage:0x" + Hex(caps.usage, 4) + L"\n, UsagePage:0x" +
         Hex(caps.usagePage, 4) + L"\n,FeatureReportByteLength:0x" +
         Hex(caps.featureReportLength, 4) + L"\n,InputReportByteLength:0x" +
         Hex(caps.inputReportLength, 1) + L"\n,OutputReportByteLength:0x" +
         Hex(caps.outputReportLength, 1) + L"\n";
}

bool Discover(HidSystem& hid, DeviceSession& session, const DiscoveryHooks& hooks) {
  const HidInterfaceSet set = hid.OpenInterfaceSet();
  if (set == kInvalidHidInterfaceSet) return false;
  const InterfaceSetGuard guard(hid, set);
  LinkState& link = session.link;

  for (std::uint32_t index = 0;; ++index) {
    const HidEnumResult enumerated = hid.EnumerateInterface(set, index);
    if (enumerated == HidEnumResult::NoMoreItems) return false;
    // Any other enumeration error: the set's current interface is still examined, but it is
    // the last one.
    const bool lastInterface = enumerated == HidEnumResult::OtherError;

    std::wstring path;
    if (!hid.ReadInterfacePath(set, path)) return false;
    link.devicePath = path;

    const HidHandle probe = hid.Open(path, HidOpenMode::Probe);
    if (probe == kInvalidHidHandle) return false;
    HidAttributes attributes;
    if (!hid.GetAttributes(probe, attributes)) attributes = {};  // reads as a foreign device
    if (hooks.debugLine) hooks.debugLine(AttributesDebugLine(attributes));

    if (attributes.vendorId != kMouseVendorId || attributes.productId != kMouseProductId) {
      hid.Close(probe);
      if (lastInterface) return false;
      continue;
    }

    const HidPreparsedData preparsed = hid.GetPreparsedData(probe);
    hid.Close(probe);
    if (preparsed == kNoHidPreparsedData) return false;
    HidCaps caps;
    const HidCapsStatus status = hid.GetCaps(preparsed, caps);
    hid.FreePreparsedData(preparsed);
    if (status == HidCapsStatus::InvalidPreparsedData) return false;
    if (status != HidCapsStatus::Success) caps = {};  // unknown caps match neither interface
    if (hooks.debugLine) hooks.debugLine(CapsDebugLine(path, caps));

    if (IsEventInterface(caps)) {
      // The listener sees no handle while the old one is closed, and the new handle only with
      // its length already in place.
      const HidHandle replaced = link.eventHandle.exchange(kInvalidHidHandle);
      if (replaced != kInvalidHidHandle) hid.Close(replaced);
      link.eventInputReportLength = caps.inputReportLength;
      const HidHandle opened = hid.Open(path, HidOpenMode::EventRead);
      if (opened == kInvalidHidHandle) return false;
      link.eventHandle = opened;
      if (hooks.wakeListener) hooks.wakeListener();
    } else if (IsCommandInterface(caps)) {
      if (!Reopen(hid, link.commandHandle, path, HidOpenMode::CommandAccess)) return false;
      link.outputReportLength = caps.outputReportLength;
      link.inputReportLength = caps.inputReportLength;
      link.featureReportLength = caps.featureReportLength;
      session.connectedFlag = 1;
      return true;  // interfaces after the command interface are not examined
    }
    // Any other interface of the mouse is skipped.
    if (lastInterface) return false;
  }
}

void CloseInterfaces(HidSystem& hid, LinkState& link) {
  if (link.commandHandle != kInvalidHidHandle) hid.Close(link.commandHandle);
  link.commandHandle = kInvalidHidHandle;
  const HidHandle event = link.eventHandle.exchange(kInvalidHidHandle);
  if (event != kInvalidHidHandle) hid.Close(event);
}

}  // namespace gm
