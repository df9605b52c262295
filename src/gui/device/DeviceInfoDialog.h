#pragma once

#include <QDialog>
#include <QStringList>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The unit's firmware strings 2 to 10, one per captioned line. A snapshot: the
// list is read once, when the dialog is built.
class DeviceInfoDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int RowCount = 9;

    DeviceInfoDialog(const QStringList *fwList, QWidget *parent = nullptr);

    // The text shown in a row (0 "Device:" to 8 "Expansion Type:").
    QString caption(int row) const;
    QString value(int row) const;

private:
    const QStringList *m_fwList = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_captionLabels[RowCount] = {};
    QLabel *m_valueLabels[RowCount] = {};
    QGridLayout *m_grid = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
    QVBoxLayout *m_mainLayout = nullptr;
};
