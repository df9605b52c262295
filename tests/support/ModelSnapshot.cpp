#include "ModelSnapshot.h"

#include "PresetImage.h"

QVector<int> modelSnapshot(const PresetImage &image)
{
    QVector<int> all;
    for (int r = 0; r < PresetImage::RegionCount; ++r) {
        const auto region = static_cast<PresetImage::Region>(r);
        for (int row = 0; row < image.rows(region); ++row)
            for (int c = 0; c < image.columns(region); ++c)
                all << image.value(region, row, c);
    }
    return all;
}
