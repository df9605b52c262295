#pragma once

#include "core/preset/PresetImage.h"

#include <QStringList>

// One setting of the General, GPIO or MIDI page: its label and items as the
// page shows them, where its value is stored, and the rule by which the page
// turns a stored value into an item and back. The pages and the command-line
// tool take their texts from here.
class PresetSetting
{
public:
    enum class Rule {
        Index,       // item i stores i; any other value shows no item and is kept
        IndexOrNone, // as Index, but a value beyond the items loads as item 0
        NonZero,     // 0 is item 0, any other value item 1, which stores 1
        Duration,    // the item's duration code
        OneChecked,  // 1 is item 1, any other value item 0, which stores 0
        LowNibble,   // item i stores i in the low four bits
        HighNibble,  // item i stores i in the high four bits
    };

    QString row;  // the table row ("GPI 3", "Relay 1"), empty on the pages
    QString name; // the label without its colon, or the table's column header
    QStringList items;
    PresetImage::Region region = PresetImage::ConfigBlock;
    int index = 0;
    Rule rule = Rule::Index;

    QString label() const { return name + ':'; }
    // "GPI 3 Debounce Time", "Setup Macro"
    QString title() const { return row.isEmpty() ? name : row + ' ' + name; }
    // The stored value, or its nibble.
    int storedValue(const PresetImage &image) const;
    void setStoredValue(PresetImage &image, int value) const;
    int maxStoredValue() const;
    // The item the page shows and saves back for the stored value, or -1
    // when no item stands for it and the page keeps the value as it is.
    int itemOf(const PresetImage &image) const;
    // The value the page stores for an item.
    int valueOfItem(int item) const;
    void setItem(PresetImage &image, int item) const { setStoredValue(image, valueOfItem(item)); }
    // The item's text, or the stored value as a number when no item stands for it.
    QString text(const PresetImage &image) const;
    // Whether the stored value is exactly what an item stores.
    bool isEncoded(const PresetImage &image) const;
};
