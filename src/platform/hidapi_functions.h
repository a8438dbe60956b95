// The hidapi functions the Linux HidSystem uses, as a table: the Linux build of gm900ctl fills
// it with hidapi's hidraw backend (hidapi_functions_linux.cpp), tests with a model of the
// mouse. Nothing here includes hidapi, so the core stays free of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gm {

// One entry of hid_enumerate: a top-level collection of an interface.
struct HidapiDeviceInfo {
  std::string path;  // the hidraw node, "/dev/hidrawN"
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t releaseNumber = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  int interfaceNumber = -1;
};

// A hid_device*, opaque.
using HidapiDevice = void*;

struct HidapiFunctions {
  // hid_init: 0 on success.
  std::function<int()> init;
  // hid_enumerate(vendor, product), the list copied out and freed.
  std::function<std::vector<HidapiDeviceInfo>(std::uint16_t, std::uint16_t)> enumerate;
  // hid_open_path: null when the node cannot be opened.
  std::function<HidapiDevice(const std::string&)> openPath;
  std::function<void(HidapiDevice)> close;
  // hid_send_feature_report / hid_get_feature_report / hid_write: bytes moved (the report id
  // byte included), -1 on failure.
  std::function<int(HidapiDevice, const std::uint8_t*, std::size_t)> sendFeatureReport;
  std::function<int(HidapiDevice, std::uint8_t*, std::size_t)> getFeatureReport;
  std::function<int(HidapiDevice, const std::uint8_t*, std::size_t)> write;
  // hid_read_timeout: bytes read, 0 when nothing came within the time, -1 on failure. hidraw
  // leaves out the report id of a device that numbers no reports.
  std::function<int(HidapiDevice, std::uint8_t*, std::size_t, int)> readTimeout;
  // Why hid_open_path failed: the errno of opening the node for reading and writing.
  std::function<int(const std::string&)> openError;
};

}  // namespace gm
