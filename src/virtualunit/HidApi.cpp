// The hidapi functions, answered by the virtual unit. The ones the program
// does not use answer as hidapi does for a device that cannot do them.
#include "core/device/UsbIdentity.h"
#include "virtualunit/VirtualUnit.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

extern "C" {

int HID_API_EXPORT HID_API_CALL hid_init(void)
{
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void)
{
    return 0;
}

// Every unit plugged in, as hidapi lists devices: a malloc'd chain.
struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id)
{
    if ((vendor_id && vendor_id != UsbIdentity::VendorId) ||
        (product_id && product_id != UsbIdentity::ProductId))
        return nullptr;
    hid_device_info *first = nullptr;
    hid_device_info **next = &first;
    for (int i = 0; i < VirtualUnit::unitCount(); ++i) {
        VirtualUnit &unit = VirtualUnit::unit(i);
        if (!unit.isPlugged())
            continue;
        auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        info->path = strdup(unit.path().c_str());
        info->vendor_id = UsbIdentity::VendorId;
        info->product_id = UsbIdentity::ProductId;
        info->serial_number = wcsdup(unit.serialNumber().c_str());
        info->manufacturer_string = wcsdup(L"Virtual");
        info->product_string = wcsdup(L"RSX-4");
        info->interface_number = -1;
        *next = info;
        next = &info->next;
    }
    return first;
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devices)
{
    while (devices) {
        hid_device_info *next = devices->next;
        std::free(devices->path);
        std::free(devices->serial_number);
        std::free(devices->manufacturer_string);
        std::free(devices->product_string);
        std::free(devices);
        devices = next;
    }
}

// The first unit plugged in that matches, as hidapi opens the first device.
HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id,
                                                 unsigned short product_id,
                                                 const wchar_t *serial_number)
{
    for (int i = 0; i < VirtualUnit::unitCount(); ++i) {
        if (hid_device *device = VirtualUnit::unit(i).open(vendor_id, product_id, serial_number))
            return device;
    }
    return nullptr;
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path)
{
    for (int i = 0; i < VirtualUnit::unitCount(); ++i) {
        if (hid_device *device = VirtualUnit::unit(i).openPath(path))
            return device;
    }
    return nullptr;
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    return VirtualUnit::of(dev).write(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data,
                                                 size_t length, int milliseconds)
{
    return VirtualUnit::of(dev).readTimeout(dev, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device *dev, unsigned char *data, size_t length)
{
    return VirtualUnit::of(dev).read(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *dev, int nonblock)
{
    return VirtualUnit::of(dev).setNonblocking(dev, nonblock);
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *, const unsigned char *, size_t)
{
    return -1;
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *, unsigned char *, size_t)
{
    return -1;
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device *, unsigned char *, size_t)
{
    return -1;
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev)
{
    VirtualUnit::of(dev).close(dev);
}

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device *, wchar_t *, size_t)
{
    return -1;
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device *, wchar_t *, size_t)
{
    return -1;
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device *, wchar_t *, size_t)
{
    return -1;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_get_device_info(hid_device *)
{
    return nullptr;
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device *, int, wchar_t *, size_t)
{
    return -1;
}

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *)
{
    return L"virtual unit: not supported";
}

HID_API_EXPORT const struct hid_api_version *HID_API_CALL hid_version(void)
{
    static const hid_api_version version = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                            HID_API_VERSION_PATCH};
    return &version;
}

HID_API_EXPORT const char *HID_API_CALL hid_version_str(void)
{
    return HID_API_VERSION_STR;
}
}
