#pragma once

#include "core/preset/PresetImage.h"
#include "gui/device/DeviceLinkPanel.h"
#include "support/TopLevels.h"
#include "virtualunit/VirtualUnit.h"

#include <QApplication>
#include <QProgressDialog>
#include <QStandardPaths>

// Drives a device-link panel against the virtual unit, one poll tick at a time.
namespace kit {

inline VirtualUnit &unit()
{
    return VirtualUnit::instance();
}

inline void tick(DeviceLinkPanel &panel, int count = 1)
{
    for (int i = 0; i < count; ++i)
        panel.pollUsb();
}

// Ticks until the unit is online and has nothing left to answer.
inline bool connectUnit(DeviceLinkPanel &panel, int limit = 200)
{
    for (int i = 0; i < limit; ++i) {
        panel.pollUsb();
        if (panel.link()->isOnline() && unit().pendingReplies() == 0)
            return true;
    }
    return false;
}

// Ticks until no transfer runs; the ticks taken, or -1 past the limit.
inline int finishTransfer(DeviceLinkPanel &panel, int limit = 2000)
{
    for (int i = 0; i < limit; ++i) {
        if (!panel.link()->isBusy())
            return i;
        panel.pollUsb();
    }
    return -1;
}

inline std::vector<std::uint8_t> pattern(int seed)
{
    std::vector<std::uint8_t> bytes(VirtualUnit::EepromSize);
    for (int i = 0; i < VirtualUnit::EepromSize; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31 + seed * 17 + i / 256) & 0xFF);
    return bytes;
}

inline void fillImage(PresetImage &image, int seed)
{
    const std::vector<std::uint8_t> bytes = pattern(seed);
    for (int i = 0; i < image.imageSize(); ++i)
        image.setImageByte(i, bytes[i]);
}

inline bool dialogShown(const DeviceLinkPanel &panel)
{
    return panel.transferDialog()->isVisible();
}

inline QVector<int> toInts(const std::vector<std::uint8_t> &bytes, int count)
{
    return QVector<int>(bytes.begin(), bytes.begin() + count);
}

// Every widget test's start: no native dialogs.
inline void setUpTestCase()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // Uploads keep backups; never among the user's.
    QStandardPaths::setTestModeEnabled(true);
}

// What a test left behind: visible windows, and whatever the unit found wrong.
inline QStringList leftovers()
{
    QStringList list = visibleTopLevels();
    for (const std::string &v : unit().violations())
        list << QString::fromStdString(v);
    return list;
}

} // namespace kit
