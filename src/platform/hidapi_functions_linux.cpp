// The hidapi table filled with hidapi's hidraw backend. Only the Linux build of gm900ctl links
// this file (and libhidapi-hidraw).
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <unistd.h>

#include <cerrno>

#include "platform/hidapi_functions.h"
#include "platform/system_hidapi.h"

namespace gm {
namespace {

hid_device* Device(HidapiDevice device) {
  return static_cast<hid_device*>(device);
}

std::vector<HidapiDeviceInfo> Enumerate(std::uint16_t vendor, std::uint16_t product) {
  std::vector<HidapiDeviceInfo> entries;
  hid_device_info* list = hid_enumerate(vendor, product);
  for (const hid_device_info* at = list; at != nullptr; at = at->next) {
    entries.push_back({at->path != nullptr ? at->path : "", at->vendor_id, at->product_id,
                       at->release_number, at->usage_page, at->usage, at->interface_number});
  }
  hid_free_enumeration(list);
  return entries;
}

int OpenError(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

}  // namespace

HidapiFunctions SystemHidapiFunctions() {
  HidapiFunctions table;
  table.init = [] { return hid_init(); };
  table.enumerate = Enumerate;
  table.openPath = [](const std::string& path) -> HidapiDevice {
    return hid_open_path(path.c_str());
  };
  table.close = [](HidapiDevice device) { hid_close(Device(device)); };
  table.sendFeatureReport = [](HidapiDevice device, const std::uint8_t* data, std::size_t size) {
    return hid_send_feature_report(Device(device), data, size);
  };
  table.getFeatureReport = [](HidapiDevice device, std::uint8_t* data, std::size_t size) {
    return hid_get_feature_report(Device(device), data, size);
  };
  table.write = [](HidapiDevice device, const std::uint8_t* data, std::size_t size) {
    return hid_write(Device(device), data, size);
  };
  table.readTimeout = [](HidapiDevice device, std::uint8_t* data, std::size_t size, int ms) {
    return hid_read_timeout(Device(device), data, size, ms);
  };
  table.openError = OpenError;
  return table;
}

}  // namespace gm
