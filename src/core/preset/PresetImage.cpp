#include "core/preset/PresetImage.h"

#include "core/Logging.h"

namespace {

// Destination columns a routing patch row holds, one bit each.
constexpr int PatchColumns = 8;
constexpr int GroupOutputs = 4;
constexpr int FirstGroupByte = 10;

struct Cell
{
    int row;
    int column;
};
// Cells no source can reach: USB A->USB A, USB B->USB B, MERGE OUT->MERGE IN 1/2.
constexpr Cell UnroutableCells[] = {{2, 4}, {3, 5}, {4, 6}, {4, 7}};

const int DefaultConfig[] = {235, 2, 0, 0, 20, 100, 1, 0, 0, 1, 1, 2, 4, 8, 0, 0};
const int DefaultSerialConfig[] = {2, 0, 8, 1, 0, 0, 0, 0};
const char DefaultName[] = "<EMPTY PRESET>";
const char DefaultDescription[] = "default";
constexpr int DefaultDebounce = 10;
constexpr int DefaultRelayPulse = 50;

} // namespace

PresetImage::PresetImage()
{
    const int configBase = 0;
    const int nameBase = 32;
    const int ioBase = 64;
    m_imageSize = 1760;

    setRegion(ConfigBlock, configBase, 1, 16);
    setRegion(RoutingPatchA, configBase + 16, 1, 6);
    setRegion(RoutingPatchB, configBase + 24, 1, 6);
    setRegion(PresetName, nameBase, 1, TextLength);
    setRegion(PresetDescription, nameBase + TextLength, 1, TextLength);
    setRegion(GpiDebounce, ioBase + 0, 1, 11);
    setRegion(DoublePressLimit, ioBase + 11, 1, 1);
    setRegion(GpiPolarity, ioBase + 12, 1, 11);
    setRegion(RelayPulse, ioBase + 24, 1, 4);
    setRegion(RelayBootState, ioBase + 28, 1, 4);
    setRegion(TriggerSlots, 96, 8, 12);
    setRegion(SwitchSlots, 192, 8, 4);
    setRegion(ReservedLists, 224, 8, 4);
    setRegion(MidiEventPool, 256, 4, 64);
    setRegion(SysexEventPool, 512, 32, 16);
    setRegion(RelayEventPool, 1024, 2, 32);
    setRegion(MacroSlots, 1088, 12, 12);
    setRegion(SerialConfig, 1232, 1, 8);
    setRegion(SerialEventPool, 1248, 32, 16);

    // Model shapes follow the layout: one row per list, entry or patch row.
    for (Region r :
         {ConfigBlock, PresetName, PresetDescription, RelayPulse, RelayBootState, SerialConfig})
        setShape(r, 1, m_regions[r].length(), false);
    // The input arrays carry one element more: byte 75 and byte 87.
    setShape(GpiDebounce, 1, m_regions[GpiDebounce].length() + m_regions[DoublePressLimit].length(),
             false);
    setShape(GpiPolarity, 1, m_regions[GpiPolarity].length() + 1, false);
    for (Region r : {RoutingPatchA, RoutingPatchB})
        setShape(r, m_regions[r].length(), PatchColumns, true);
    setShape(RoutingGroups, GroupOutputs, GroupOutputs, true);
    for (Region r : {TriggerSlots, SwitchSlots, ReservedLists, MidiEventPool, SysexEventPool,
                     RelayEventPool, MacroSlots, SerialEventPool})
        setShape(r, m_regions[r].entryCount, m_regions[r].entrySize, true);

    m_image = QVector<int>(m_imageSize, 0);
    resetToDefaults();
}

void PresetImage::setRegion(Region r, int offset, int entrySize, int entryCount)
{
    m_regions[r].offset = offset;
    m_regions[r].entrySize = entrySize;
    m_regions[r].entryCount = entryCount;
}

void PresetImage::setShape(Region r, int rows, int columns, bool twoDimensional)
{
    m_tables[r].rows = rows;
    m_tables[r].columns = columns;
    m_tables[r].twoDimensional = twoDimensional;
}

int PresetImage::imageSize() const
{
    return m_imageSize;
}

int PresetImage::imageByte(int index) const
{
    return index >= 0 && index < m_image.size() ? m_image.at(index) : 0;
}

void PresetImage::setImageByte(int index, int value)
{
    if (index >= 0 && index < m_image.size())
        m_image[index] = value;
}

const PresetImage::RegionInfo &PresetImage::region(Region r) const
{
    static const RegionInfo none;
    return r >= 0 && r < RegionCount ? m_regions[r] : none;
}

int PresetImage::shortImageSize() const
{
    return m_regions[SerialConfig].offset;
}

const PresetImage::Table &PresetImage::table(Region r) const
{
    return m_tables[r];
}

PresetImage::Table &PresetImage::table(Region r)
{
    return m_tables[r];
}

int PresetImage::rows(Region r) const
{
    if (r == DoublePressLimit)
        return 1;
    return r >= 0 && r < RegionCount ? m_tables[r].rows : 0;
}

int PresetImage::columns(Region r) const
{
    if (r == DoublePressLimit)
        return 1;
    return r >= 0 && r < RegionCount ? m_tables[r].columns : 0;
}

int PresetImage::value(Region r, int row, int column) const
{
    if (r == DoublePressLimit) {
        if (row != 0 || column != 0)
            return 0;
        r = GpiDebounce;
        column = m_regions[GpiDebounce].length();
    }
    if (r < 0 || r >= RegionCount)
        return 0;
    const Table &t = m_tables[r];
    if (row < 0 || row >= t.rows || column < 0 || column >= t.columns)
        return 0;
    const int index = row * t.columns + column;
    return index < t.data.size() ? t.data.at(index) : 0;
}

void PresetImage::setValue(Region r, int row, int column, int value)
{
    if (r == DoublePressLimit) {
        if (row != 0 || column != 0)
            return;
        r = GpiDebounce;
        column = m_regions[GpiDebounce].length();
    }
    if (r < 0 || r >= RegionCount)
        return;
    Table &t = m_tables[r];
    if (row < 0 || row >= t.rows || column < 0 || column >= t.columns)
        return;
    const int index = row * t.columns + column;
    if (index < t.data.size())
        t.data[index] = value;
}

void PresetImage::reshape()
{
    for (Table &t : m_tables) {
        const int size = t.rows * t.columns;
        if (t.data.size() != size)
            t.data = QVector<int>(size, 0);
    }
}

void PresetImage::clearModel()
{
    for (Table &t : m_tables) {
        if (t.twoDimensional)
            t.data.clear();
    }
}

void PresetImage::resetToDefaults()
{
    reshape();

    auto setText = [this](Region r, const char *text) {
        const QByteArray codes = QByteArray(text);
        for (int i = 0; i < columns(r); ++i)
            setValue(r, i, i < codes.size() ? static_cast<unsigned char>(codes.at(i)) : 0);
    };
    setText(PresetName, DefaultName);
    setText(PresetDescription, DefaultDescription);
    for (int i = 0; i < columns(GpiDebounce); ++i)
        setValue(GpiDebounce, i, DefaultDebounce);
    for (int i = 0; i < columns(GpiPolarity); ++i)
        setValue(GpiPolarity, i, 0);
    for (int i = 0; i < columns(RelayPulse); ++i) {
        setValue(RelayPulse, i, DefaultRelayPulse);
        setValue(RelayBootState, i, 0);
    }
    for (int i = 0; i < columns(ConfigBlock); ++i)
        setValue(ConfigBlock, i, DefaultConfig[i]);
    for (int i = 0; i < columns(SerialConfig); ++i)
        setValue(SerialConfig, i, DefaultSerialConfig[i]);
    for (int g = 0; g < rows(RoutingGroups); ++g)
        setValue(RoutingGroups, g, g, 1);
    for (Region patch : {RoutingPatchA, RoutingPatchB}) {
        for (const Cell &cell : UnroutableCells)
            setValue(patch, cell.row, cell.column, -1);
    }

    buildImage();
}

void PresetImage::packLists(Region r, bool trace)
{
    const RegionInfo &info = m_regions[r];
    for (int list = 0; list < rows(r); ++list) {
        int position = 0;
        for (int slot = 0; slot < columns(r); ++slot) {
            const int code = value(r, list, slot);
            if (code == 0)
                continue;
            if (trace)
                qCDebug(lcCore) << "Add to eeprom:" << list << slot << "entry:" << code;
            setImageByte(info.offset + list * info.entrySize + position, code);
            ++position;
        }
    }
}

void PresetImage::copyWhole(Region r, bool toImage)
{
    const RegionInfo &info = m_regions[r];
    for (int entry = 0; entry < rows(r); ++entry) {
        for (int i = 0; i < columns(r); ++i) {
            const int offset = info.offset + entry * info.entrySize + i;
            if (toImage)
                setImageByte(offset, value(r, entry, i));
            else
                setValue(r, entry, i, imageByte(offset));
        }
    }
}

void PresetImage::buildImage()
{
    m_image.fill(0, m_imageSize);

    for (int g = 0; g < rows(RoutingGroups); ++g) {
        int bits = 0;
        for (int k = 0; k < columns(RoutingGroups); ++k) {
            if (value(RoutingGroups, g, k) == 1)
                bits |= 1 << k;
        }
        setValue(ConfigBlock, FirstGroupByte + g, bits);
    }

    for (Region r : {ConfigBlock, PresetName, PresetDescription, RelayPulse, RelayBootState,
                     SerialConfig, GpiDebounce, GpiPolarity})
        copyWhole(r, true);

    for (Region patch : {RoutingPatchA, RoutingPatchB}) {
        for (int row = 0; row < rows(patch); ++row) {
            int bits = 0;
            for (int c = 0; c < columns(patch); ++c) {
                if (value(patch, row, c) == 1)
                    bits |= 1 << c;
            }
            setImageByte(m_regions[patch].offset + row, bits);
        }
    }

    packLists(TriggerSlots, true);
    packLists(SwitchSlots, false);
    packLists(MacroSlots, false);
    for (Region r : {ReservedLists, MidiEventPool, SysexEventPool, RelayEventPool, SerialEventPool})
        copyWhole(r, true);
}

void PresetImage::parseImage()
{
    clearModel();
    reshape();

    for (Region r :
         {ConfigBlock, PresetName, PresetDescription, RelayPulse, RelayBootState, SerialConfig,
          GpiDebounce, GpiPolarity, TriggerSlots, SwitchSlots, ReservedLists, MidiEventPool,
          SysexEventPool, RelayEventPool, MacroSlots, SerialEventPool})
        copyWhole(r, false);

    for (int g = 0; g < rows(RoutingGroups); ++g) {
        const int bits = value(ConfigBlock, FirstGroupByte + g);
        for (int k = 0; k < columns(RoutingGroups); ++k)
            setValue(RoutingGroups, g, k, (bits >> k) & 1);
    }

    for (Region patch : {RoutingPatchA, RoutingPatchB}) {
        for (int row = 0; row < rows(patch); ++row) {
            const int bits = imageByte(m_regions[patch].offset + row);
            for (int c = 0; c < columns(patch); ++c)
                setValue(patch, row, c, (bits >> c) & 1);
        }
        for (const Cell &cell : UnroutableCells)
            setValue(patch, cell.row, cell.column, -1);
    }
}
