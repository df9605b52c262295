#pragma once

// How the RSX-4 shows itself on USB. Plain C++, so that the virtual unit,
// which links no Qt, answers to the very ids the program looks for.
class UsbIdentity
{
public:
    static constexpr unsigned short VendorId = 0x04D8;
    static constexpr unsigned short ProductId = 0xF29E;
};
