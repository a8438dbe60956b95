// The HID seam: everything the device link does with the system's HID class driver.
// Implemented with SetupDi/HidD on Windows, by the virtual mouse, and by test fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/wake_event.h"

namespace gm {

using HidHandle = std::intptr_t;
inline constexpr HidHandle kInvalidHidHandle = -1;

// The set of HID device interfaces present when it was taken (a SetupDi device information set).
using HidInterfaceSet = std::intptr_t;
inline constexpr HidInterfaceSet kInvalidHidInterfaceSet = -1;

// An interface's parsed report descriptor, valid until it is freed.
using HidPreparsedData = std::intptr_t;
inline constexpr HidPreparsedData kNoHidPreparsedData = 0;

// How an interface is opened; each mode is one fixed set of CreateFileW arguments.
enum class HidOpenMode {
  Probe,         // no access rights, share read+write, open existing
  EventRead,     // read, share read+write, open existing, overlapped
  CommandAccess  // read+write, share read+write, open existing, synchronous
};

// Outcome of enumerating interface i of a set. Only NoMoreItems says the set is exhausted;
// after OtherError the set still holds whatever the last successful enumeration left.
enum class HidEnumResult { Ok, NoMoreItems, OtherError };

struct HidAttributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t versionNumber = 0;
};

// The top-level collection's usage and report lengths (lengths include the report id byte).
struct HidCaps {
  std::uint16_t usage = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t outputReportLength = 0;
  std::uint16_t featureReportLength = 0;
};

// What HidP_GetCaps answers: success, the invalid-preparsed-data status, or anything else.
enum class HidCapsStatus { Success, InvalidPreparsedData, OtherFailure };

class HidSystem {
 public:
  virtual ~HidSystem() = default;

  // The present HID device interfaces, in the system's enumeration order.
  virtual HidInterfaceSet OpenInterfaceSet() = 0;
  virtual void CloseInterfaceSet(HidInterfaceSet set) = 0;
  // Makes interface `index` of the set the current one.
  virtual HidEnumResult EnumerateInterface(HidInterfaceSet set, std::uint32_t index) = 0;
  // The device path of the set's current interface; false when the detail cannot be read.
  virtual bool ReadInterfacePath(HidInterfaceSet set, std::wstring& path) = 0;

  virtual HidHandle Open(const std::wstring& path, HidOpenMode mode) = 0;
  virtual void Close(HidHandle handle) = 0;

  virtual bool GetAttributes(HidHandle handle, HidAttributes& attributes) = 0;
  // kNoHidPreparsedData on failure.
  virtual HidPreparsedData GetPreparsedData(HidHandle handle) = 0;
  virtual HidCapsStatus GetCaps(HidPreparsedData preparsed, HidCaps& caps) = 0;
  virtual void FreePreparsedData(HidPreparsedData preparsed) = 0;

  // HidD_SetFeature / HidD_GetFeature with the whole report, report id first.
  virtual bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) = 0;
  virtual bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) = 0;
  // Synchronous WriteFile of one output report / ReadFile of one input report.
  // Read returns the number of bytes transferred (0 on failure).
  virtual bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) = 0;
  virtual std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) = 0;

  // Overlapped read of one input report on a handle opened with EventRead: starts reading
  // into buffer (which must stay valid until the read is finished) and signals wake when the
  // read completes. False when the read could not be started. One read at a time: the one
  // started before must have been finished.
  virtual bool StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer,
                              WakeEvent& wake) = 0;
  // Ends the read started last on the handle. The wake event is also signalled by discovery,
  // so the read may still be running: then it is cancelled, and this returns once the cancel
  // has taken effect (a report arriving meanwhile waits for the next read). Returns the
  // number of bytes transferred, 0 when the read failed, was cancelled or the handle went away.
  virtual std::size_t FinishEventRead(HidHandle handle) = 0;
};

}  // namespace gm
