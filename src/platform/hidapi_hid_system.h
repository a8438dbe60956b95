// The HidSystem seam on hidapi (the Linux build of gm900ctl): the Windows-shaped calls of
// discovery and the command link mapped onto a table of hidapi functions.
//
// - An interface set is hid_enumerate of the mouse's vendor and product; an interface is one
//   of its entries (a top-level collection), its path the hidraw node.
// - A probe opens nothing, as a Windows probe needs no access rights: attributes and usages
//   come from the enumeration. hidapi does not report report lengths, so the capabilities give
//   the lengths the protocol defines for the mouse's two collections and 0 for any other.
// - The command interface numbers no reports: hidraw reads carry no report id, so a read is
//   handed on with the id byte 0 in front, as Windows reads it. Event reports are numbered and
//   pass unchanged. Reads wait at most readTimeoutMs instead of for ever.
// - The core does not check I/O results; this system keeps the first failure (an open that is
//   refused, an I/O error, a short or missing answer) in words for the tool to report. After
//   an I/O error the device is not touched again.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid_system.h"
#include "platform/hidapi_functions.h"

namespace gm {

class HidapiHidSystem : public HidSystem {
 public:
  explicit HidapiHidSystem(HidapiFunctions functions, int readTimeoutMs = 1000);
  ~HidapiHidSystem() override;
  HidapiHidSystem(const HidapiHidSystem&) = delete;
  HidapiHidSystem& operator=(const HidapiHidSystem&) = delete;

  // The first failure since construction, in one sentence; empty when there was none.
  const std::string& failure() const { return failure_; }
  // True when the failure was an open refused for lack of permission.
  bool permissionDenied() const { return permissionDenied_; }

  HidInterfaceSet OpenInterfaceSet() override;
  void CloseInterfaceSet(HidInterfaceSet set) override;
  HidEnumResult EnumerateInterface(HidInterfaceSet set, std::uint32_t index) override;
  bool ReadInterfacePath(HidInterfaceSet set, std::wstring& path) override;
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;
  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override;
  HidPreparsedData GetPreparsedData(HidHandle handle) override;
  HidCapsStatus GetCaps(HidPreparsedData preparsed, HidCaps& caps) override;
  void FreePreparsedData(HidPreparsedData preparsed) override;
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override;
  std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) override;
  bool StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer, WakeEvent& wake) override;
  std::size_t FinishEventRead(HidHandle handle) override;

 private:
  struct InterfaceSet {
    std::vector<HidapiDeviceInfo> entries;
    std::optional<std::size_t> current;
  };
  struct OpenDevice {
    HidapiDeviceInfo info;
    HidapiDevice device = nullptr;  // null for a probe
    HidOpenMode mode = HidOpenMode::Probe;
    std::size_t lastEventRead = 0;
  };

  // The device of a handle opened for I/O, or null (also after an I/O error).
  OpenDevice* Usable(HidHandle handle);
  void Fail(const std::string& sentence);
  void IoFailed(const OpenDevice& open, const std::string& what);

  HidapiFunctions hid_;
  int readTimeoutMs_;
  bool initialised_ = false;
  std::map<HidInterfaceSet, InterfaceSet> sets_;
  std::map<std::string, HidapiDeviceInfo> known_;  // every entry enumerated, by path
  // The entry enumerated last: a node with several collections has one entry for each, and
  // the probe that follows means this one.
  std::optional<HidapiDeviceInfo> current_;
  std::map<HidHandle, OpenDevice> open_;
  std::map<HidPreparsedData, HidapiDeviceInfo> preparsed_;
  std::intptr_t nextId_ = 1;
  std::string failure_;
  bool permissionDenied_ = false;
  bool ioBroken_ = false;
};

}  // namespace gm
