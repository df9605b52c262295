#pragma once

#include <QVector>

class PresetImage;

// Every element of every model table, in region order: two snapshots compare
// equal exactly when nothing in the model changed.
QVector<int> modelSnapshot(const PresetImage &image);
