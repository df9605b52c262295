#pragma once

#include "core/device/DeviceLink.h"
#include "core/document/UnitBackup.h"

#include <QWidget>

class PresetImage;
class QGroupBox;
class QLabel;
class StatusLamp;
class QLineEdit;
class QProgressDialog;
class QPushButton;

// The device-link panel: presents a DeviceLink with its lamp, the connected
// unit's name and the transfer buttons, shows its progress dialog, warnings
// and device info. The buttons only ask for a transfer; whoever owns the
// preset answers with startUpload() or startDownload().
class DeviceLinkPanel : public QWidget
{
    Q_OBJECT
public:
    explicit DeviceLinkPanel(QWidget *parent = nullptr);
    ~DeviceLinkPanel() override;

    // Call after the pages have been applied and the image built. The unit's
    // preset is read and kept as a backup first; nothing is written unless
    // that succeeds.
    void startUpload(PresetImage *image);
    void startDownload(PresetImage *image);

    DeviceLink *link() { return &m_deviceLink; }
    const DeviceLink *link() const { return &m_deviceLink; }
    QProgressDialog *transferDialog() const { return m_progressDialog; }
    // Where every upload keeps the preset it overwrites.
    UnitBackup &unitBackup() { return m_backup; }

signals:
    void commsStatusChange(const QString &text);
    void requestDownload();
    void requestUpload();
    void redrawData();
    // Every block of an upload has been acknowledged by the unit.
    void uploadComplete();

public slots:
    void pollUsb();
    void pdCancelTransfer();
    void showDeviceInfo();

private:
    void updateLinkDisplay();
    void showProgress(int maximum);
    void showWarning(const QString &title, const QString &text);
    void showTransferFailure(bool upload, DeviceLink::TransferOutcome cause);

    DeviceLink m_deviceLink;
    UnitBackup m_backup;
    QGroupBox *m_linkGroup = nullptr;
    StatusLamp *m_linkLed = nullptr;
    QLabel *m_unitLabel = nullptr;
    QLineEdit *m_unitNameEdit = nullptr;
    QPushButton *m_deviceInfoButton = nullptr;
    QPushButton *m_downloadButton = nullptr;
    QPushButton *m_uploadButton = nullptr;
    QProgressDialog *m_progressDialog = nullptr;
};
