#pragma once

#include <QWidget>

class PresetImage;
class QStandardItemModel;
class QTableView;
class QVBoxLayout;

// A snapshot of the flat preset image, 16 bytes to a row, in a window of its
// own. It copies the bytes when it opens and keeps no link to the preset, so
// several snapshots can be compared side by side. It deletes itself on close.
class EepromMapWindow : public QWidget
{
    Q_OBJECT
public:
    explicit EepromMapWindow(const PresetImage &image, QWidget *parent = nullptr);

private:
    void fill(const PresetImage &image);

    QTableView *m_view = nullptr;
    QStandardItemModel *m_model = nullptr;
    QVBoxLayout *m_boxLayout = nullptr;
    int m_rowCount = 0;
};
