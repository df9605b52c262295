#include "gui/device/DeviceLinkPanel.h"

#include "gui/device/DeviceInfoDialog.h"
#include "gui/widgets/StatusLamp.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString NotConnected = QStringLiteral("<Not Connected>");
const QString NoPermission = QStringLiteral("<No Permission>");
constexpr int NameMinimumWidth = 180;

// The poll tick calls these every 15 ms: a widget is touched only when what it
// shows changes.
void setEnabledIfChanged(QWidget *widget, bool enabled)
{
    if (widget->testAttribute(Qt::WA_ForceDisabled) == enabled)
        widget->setEnabled(enabled);
}

void setTextIfChanged(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void setToolTipIfChanged(QWidget *widget, const QString &text)
{
    if (widget->toolTip() != text)
        widget->setToolTip(text);
}

QString noPermissionTip()
{
    // Rich text, so that the section's name keeps its angle brackets.
    return QStringLiteral("<p>") +
           DeviceLinkPanel::tr(
               "The RSX-4 is plugged in, but this user may not open it. Install the "
               "udev rule 60-rsx4.rules as the README says (section \"The unit stays "
               "%1\"); if it is installed, unplug the unit and plug it in again.")
               .arg(NotConnected.toHtmlEscaped()) +
           QStringLiteral("</p>");
}

} // namespace

DeviceLinkPanel::DeviceLinkPanel(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    linkGroup = new QGroupBox(tr("Device Link"), this);
    linkLed = new StatusLamp(linkGroup);
    unitLabel = new QLabel(tr("Unit Connected:"), linkGroup);
    unitNameEdit = new QLineEdit(NotConnected, linkGroup);
    unitNameEdit->setMinimumWidth(NameMinimumWidth);
    unitNameEdit->setAlignment(Qt::AlignHCenter);
    unitNameEdit->setReadOnly(true);
    unitNameEdit->setEnabled(false);
    deviceInfoButton = new QPushButton(tr("Device Info"), linkGroup);
    downloadButton =
        new QPushButton(QIcon(":/res/compile.png"), tr("Download Preset from RSX-4"), linkGroup);
    downloadButton->setEnabled(false);
    uploadButton =
        new QPushButton(QIcon(":/res/upload_preset.png"), tr("Upload Preset to RSX-4"), linkGroup);
    uploadButton->setEnabled(false);

    linkGroup->setObjectName("linkGroup");
    linkLed->setObjectName("linkLed");
    unitLabel->setObjectName("unitLabel");
    unitNameEdit->setObjectName("unitNameEdit");
    deviceInfoButton->setObjectName("deviceInfoButton");
    downloadButton->setObjectName("downloadButton");
    uploadButton->setObjectName("uploadButton");

    auto *row = new QHBoxLayout(linkGroup);
    row->addWidget(linkLed);
    row->addWidget(unitLabel);
    row->addWidget(unitNameEdit);
    row->addWidget(deviceInfoButton);
    row->addStretch(1);
    row->addWidget(downloadButton);
    row->addWidget(uploadButton);
    auto *panelLayout = new QVBoxLayout(this);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(linkGroup);

    progressDialog = new QProgressDialog(this);
    progressDialog->setObjectName("progressDialog");
    progressDialog->setLabelText(tr("Transferring preset to/from RSX-4..."));
    progressDialog->setCancelButtonText(tr("Cancel"));
    progressDialog->setRange(0, 1);
    // The last block sent is not the last acknowledged: the dialog, and the
    // window it blocks, wait for transferEnded.
    progressDialog->setAutoReset(false);
    progressDialog->setAutoClose(false);
    progressDialog->reset();
    connect(progressDialog, &QProgressDialog::canceled, this, &DeviceLinkPanel::pdCancelTransfer);

    connect(downloadButton, &QPushButton::clicked, this, &DeviceLinkPanel::requestDownload);
    connect(uploadButton, &QPushButton::clicked, this, &DeviceLinkPanel::requestUpload);
    connect(deviceInfoButton, &QPushButton::clicked, this, &DeviceLinkPanel::showDeviceInfo);

    connect(&deviceLink, &DeviceLink::polled, this, &DeviceLinkPanel::updateLinkDisplay);
    connect(&deviceLink, &DeviceLink::onlineChanged, this, &DeviceLinkPanel::updateLinkDisplay);
    connect(&deviceLink, &DeviceLink::statusChanged, this, &DeviceLinkPanel::commsStatusChange);
    connect(&deviceLink, &DeviceLink::transferStarted, this, &DeviceLinkPanel::showProgress);
    connect(&deviceLink, &DeviceLink::progressChanged, progressDialog, &QProgressDialog::setValue);
    connect(&deviceLink, &DeviceLink::transferEnded, progressDialog, &QProgressDialog::hide);
    connect(&deviceLink, &DeviceLink::warning, this, &DeviceLinkPanel::showWarning);
    connect(&deviceLink, &DeviceLink::downloadFinished, this, &DeviceLinkPanel::redrawData);
    connect(&deviceLink, &DeviceLink::uploadFinished, this, &DeviceLinkPanel::uploadComplete);
    connect(&deviceLink, &DeviceLink::transferFailed, this, &DeviceLinkPanel::showTransferFailure);

    deviceLink.start();
}

DeviceLinkPanel::~DeviceLinkPanel() = default;

void DeviceLinkPanel::startUpload(PresetImage *image)
{
    deviceLink.startUpload(image, [this](const PresetImage &unitPreset) {
        return backup.keep(unitPreset) != UnitBackup::Result::Failed;
    });
    updateLinkDisplay();
}

void DeviceLinkPanel::startDownload(PresetImage *image)
{
    deviceLink.startDownload(image);
    updateLinkDisplay();
}

void DeviceLinkPanel::pollUsb()
{
    deviceLink.pollUsb();
}

void DeviceLinkPanel::pdCancelTransfer()
{
    // A download left running would overwrite whatever is edited once the
    // dialog is gone; an upload runs on to its end.
    deviceLink.cancelDownload();
}

void DeviceLinkPanel::showDeviceInfo()
{
    DeviceInfoDialog dialog(&deviceLink.firmwareStrings(), this);
    dialog.exec();
}

void DeviceLinkPanel::updateLinkDisplay()
{
    const bool online = deviceLink.isOnline();
    const bool refused = !online && deviceLink.unitAccess() == HidAccess::NoPermission;
    setTextIfChanged(unitNameEdit, online    ? deviceLink.firmwareStrings().first()
                                   : refused ? NoPermission
                                             : NotConnected);
    setToolTipIfChanged(unitNameEdit, refused ? noPermissionTip() : QString());
    setEnabledIfChanged(unitNameEdit, online);
    setEnabledIfChanged(deviceInfoButton, online);
    if (linkLed->isChecked() != online)
        linkLed->setChecked(online);
    // A cancelled progress dialog no longer blocks the window: no second
    // transfer may be asked for while one runs.
    const bool transfersAllowed = online && !deviceLink.isBusy();
    setEnabledIfChanged(uploadButton, transfersAllowed);
    setEnabledIfChanged(downloadButton, transfersAllowed);
}

void DeviceLinkPanel::showProgress(int maximum)
{
    progressDialog->setMaximum(maximum);
    progressDialog->setWindowTitle(tr("Transfer Operation"));
    progressDialog->setValue(0);
    progressDialog->setWindowFlags(Qt::Tool);
    progressDialog->setWindowModality(Qt::WindowModal);
    // setValue() may have run a tick that ended the transfer.
    if (deviceLink.isBusy())
        progressDialog->show();
}

void DeviceLinkPanel::showWarning(const QString &title, const QString &text)
{
    QMessageBox::warning(this, title, text, QMessageBox::Ok);
}

void DeviceLinkPanel::showTransferFailure(bool upload, DeviceLink::TransferOutcome cause)
{
    using Outcome = DeviceLink::TransferOutcome;
    QString text;
    if (upload && cause == Outcome::UnitError)
        text = tr("The RSX-4 reported an error while receiving the preset. The unit may now "
                  "hold an incomplete preset: send the preset again.");
    else if (upload && cause == Outcome::Disconnected)
        text = tr("The RSX-4 was disconnected before the preset was completely sent. The unit "
                  "may hold an incomplete preset: reconnect it and send the preset again.");
    else if (!upload && cause == Outcome::Disconnected)
        text = tr("The RSX-4 was disconnected before the preset was completely received. The "
                  "preset in Cuesmith is unchanged.");
    else if (!upload && cause == Outcome::BadReply)
        text = tr("The RSX-4 sent a reply that does not fit the preset. The preset in Cuesmith "
                  "is unchanged.");
    else if (cause == Outcome::BackupRefused)
        text = tr("The preset in the RSX-4 could not be kept as a backup in %1 (%2), so nothing "
                  "was sent: the unit keeps its preset.")
                   .arg(QDir::toNativeSeparators(backup.lastPath()), backup.lastError());
    // A cancelled download needs no word: the user asked for it.
    if (!text.isEmpty())
        showWarning(upload ? tr("Send Preset") : tr("Receive Preset"), text);
}
