#pragma once

#include <QVector>

// One preset in memory, held twice: the flat EEPROM image (what files and the
// unit hold) and a structured model of small tables (what the pages edit).
// buildImage() and parseImage() are the only ways data moves between the two.
class PresetImage
{
public:
    // Characters of the preset name and of its description.
    static constexpr int TextLength = 16;

    // Image regions. The model keeps one table per region, plus RoutingGroups,
    // which exists only in the model (it is folded into ConfigBlock bytes 10-13).
    // DoublePressLimit is element 11 of the GpiDebounce table in the model.
    enum Region {
        ConfigBlock,
        RoutingPatchA,
        RoutingPatchB,
        PresetName,
        PresetDescription,
        GpiDebounce,
        DoublePressLimit,
        GpiPolarity,
        RelayPulse,
        RelayBootState,
        TriggerSlots,
        SwitchSlots,
        ReservedLists,
        MidiEventPool,
        SysexEventPool,
        RelayEventPool,
        MacroSlots,
        SerialConfig,
        SerialEventPool,
        RoutingGroups,
        RegionCount
    };

    struct RegionInfo
    {
        int offset = 0;
        int entrySize = 0;
        int entryCount = 0;
        int length() const { return entrySize * entryCount; }
    };

    PresetImage();

    // Flat image. Reads outside the image give 0, writes outside it are ignored.
    int imageSize() const;
    int imageByte(int index) const;
    void setImageByte(int index, int value);
    const QVector<int> &image() const { return m_image; }

    // Layout of a region in the image (RoutingGroups has none).
    const RegionInfo &region(Region r) const;
    // Offset at which the first 1232-byte prefix ends: a complete image for older units.
    int shortImageSize() const;

    // Model tables. A table has rows() x columns() elements; the one-dimensional
    // tables have one row. Reads outside a table's shape give 0 and writes
    // outside it are ignored, so an emptied table can never be overrun.
    int rows(Region r) const;
    int columns(Region r) const;
    int value(Region r, int row, int column) const;
    void setValue(Region r, int row, int column, int value);
    int value(Region r, int index) const { return value(r, 0, index); }
    void setValue(Region r, int index, int v) { setValue(r, 0, index, v); }

    void buildImage();
    void parseImage();
    void resetToDefaults();
    void clearModel();

private:
    struct Table
    {
        int rows = 0;
        int columns = 0;
        bool twoDimensional = false;
        QVector<int> data;
    };

    void setRegion(Region r, int offset, int entrySize, int entryCount);
    void setShape(Region r, int rows, int columns, bool twoDimensional);
    void reshape();
    const Table &table(Region r) const;
    Table &table(Region r);
    void packLists(Region r, bool trace);
    void copyWhole(Region r, bool toImage);

    RegionInfo m_regions[RegionCount];
    Table m_tables[RegionCount];
    int m_imageSize = 0;
    QVector<int> m_image;
};
