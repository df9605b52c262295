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

const char *const NotConnected = QT_TRANSLATE_NOOP("DeviceLinkPanel", "<Not Connected>");
const char *const NoPermission = QT_TRANSLATE_NOOP("DeviceLinkPanel", "<No Permission>");
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
               .arg(QString(NotConnected).toHtmlEscaped()) +
           QStringLiteral("</p>");
}

} // namespace

DeviceLinkPanel::DeviceLinkPanel(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_linkGroup = new QGroupBox(tr("Device Link"), this);
    m_linkLed = new StatusLamp(m_linkGroup);
    m_linkLed->setStateText(tr("Not connected"));
    m_unitLabel = new QLabel(tr("Unit Connected:"), m_linkGroup);
    m_unitNameEdit = new QLineEdit(tr(NotConnected), m_linkGroup);
    m_unitNameEdit->setMinimumWidth(NameMinimumWidth);
    m_unitNameEdit->setAlignment(Qt::AlignHCenter);
    m_unitNameEdit->setReadOnly(true);
    m_unitNameEdit->setEnabled(false);
    m_deviceInfoButton = new QPushButton(tr("Device Info"), m_linkGroup);
    m_downloadButton =
        new QPushButton(QIcon(":/res/compile.png"), tr("Download Preset from RSX-4"), m_linkGroup);
    m_downloadButton->setEnabled(false);
    m_uploadButton = new QPushButton(QIcon(":/res/upload_preset.png"), tr("Upload Preset to RSX-4"),
                                     m_linkGroup);
    m_uploadButton->setEnabled(false);
    m_unitLabel->setBuddy(m_unitNameEdit);

    m_linkGroup->setObjectName("linkGroup");
    m_linkLed->setObjectName("linkLed");
    m_unitLabel->setObjectName("unitLabel");
    m_unitNameEdit->setObjectName("unitNameEdit");
    m_deviceInfoButton->setObjectName("deviceInfoButton");
    m_downloadButton->setObjectName("downloadButton");
    m_uploadButton->setObjectName("uploadButton");

    auto *row = new QHBoxLayout(m_linkGroup);
    row->addWidget(m_linkLed);
    row->addWidget(m_unitLabel);
    row->addWidget(m_unitNameEdit);
    row->addWidget(m_deviceInfoButton);
    row->addStretch(1);
    row->addWidget(m_downloadButton);
    row->addWidget(m_uploadButton);
    auto *panelLayout = new QVBoxLayout(this);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(m_linkGroup);

    m_progressDialog = new QProgressDialog(this);
    m_progressDialog->setObjectName("progressDialog");
    m_progressDialog->setLabelText(tr("Transferring preset to/from RSX-4..."));
    m_progressDialog->setCancelButtonText(tr("Cancel"));
    m_progressDialog->setRange(0, 1);
    // The last block sent is not the last acknowledged: the dialog, and the
    // window it blocks, wait for transferEnded.
    m_progressDialog->setAutoReset(false);
    m_progressDialog->setAutoClose(false);
    m_progressDialog->reset();
    connect(m_progressDialog, &QProgressDialog::canceled, this, &DeviceLinkPanel::pdCancelTransfer);

    connect(m_downloadButton, &QPushButton::clicked, this, &DeviceLinkPanel::requestDownload);
    connect(m_uploadButton, &QPushButton::clicked, this, &DeviceLinkPanel::requestUpload);
    connect(m_deviceInfoButton, &QPushButton::clicked, this, &DeviceLinkPanel::showDeviceInfo);

    connect(&m_deviceLink, &DeviceLink::polled, this, &DeviceLinkPanel::updateLinkDisplay);
    connect(&m_deviceLink, &DeviceLink::onlineChanged, this, &DeviceLinkPanel::updateLinkDisplay);
    connect(&m_deviceLink, &DeviceLink::statusChanged, this, &DeviceLinkPanel::commsStatusChange);
    connect(&m_deviceLink, &DeviceLink::transferStarted, this, &DeviceLinkPanel::showProgress);
    connect(&m_deviceLink, &DeviceLink::progressChanged, m_progressDialog,
            &QProgressDialog::setValue);
    connect(&m_deviceLink, &DeviceLink::transferEnded, m_progressDialog, &QProgressDialog::hide);
    connect(&m_deviceLink, &DeviceLink::warning, this, &DeviceLinkPanel::showWarning);
    connect(&m_deviceLink, &DeviceLink::downloadFinished, this, &DeviceLinkPanel::redrawData);
    connect(&m_deviceLink, &DeviceLink::uploadFinished, this, &DeviceLinkPanel::uploadComplete);
    connect(&m_deviceLink, &DeviceLink::transferFailed, this,
            &DeviceLinkPanel::showTransferFailure);

    m_deviceLink.start();
}

DeviceLinkPanel::~DeviceLinkPanel() = default;

void DeviceLinkPanel::startUpload(PresetImage *image)
{
    m_deviceLink.startUpload(image, [this](const PresetImage &unitPreset) {
        return m_backup.keep(unitPreset) != UnitBackup::Result::Failed;
    });
    updateLinkDisplay();
}

void DeviceLinkPanel::startDownload(PresetImage *image)
{
    m_deviceLink.startDownload(image);
    updateLinkDisplay();
}

void DeviceLinkPanel::pollUsb()
{
    m_deviceLink.pollUsb();
}

void DeviceLinkPanel::pdCancelTransfer()
{
    // A download left running would overwrite whatever is edited once the
    // dialog is gone; an upload runs on to its end.
    m_deviceLink.cancelDownload();
}

void DeviceLinkPanel::showDeviceInfo()
{
    DeviceInfoDialog dialog(&m_deviceLink.firmwareStrings(), this);
    dialog.exec();
}

void DeviceLinkPanel::updateLinkDisplay()
{
    const bool online = m_deviceLink.isOnline();
    const bool refused = !online && m_deviceLink.unitAccess() == HidAccess::NoPermission;
    setTextIfChanged(m_unitNameEdit, online    ? m_deviceLink.firmwareStrings().first()
                                     : refused ? tr(NoPermission)
                                               : tr(NotConnected));
    setToolTipIfChanged(m_unitNameEdit, refused ? noPermissionTip() : QString());
    setEnabledIfChanged(m_unitNameEdit, online);
    setEnabledIfChanged(m_deviceInfoButton, online);
    if (m_linkLed->isChecked() != online)
        m_linkLed->setChecked(online);
    m_linkLed->setStateText(online    ? tr("Unit connected")
                            : refused ? tr("No permission")
                                      : tr("Not connected"));
    // A cancelled progress dialog no longer blocks the window: no second
    // transfer may be asked for while one runs.
    const bool transfersAllowed = online && !m_deviceLink.isBusy();
    setEnabledIfChanged(m_uploadButton, transfersAllowed);
    setEnabledIfChanged(m_downloadButton, transfersAllowed);
}

void DeviceLinkPanel::showProgress(int maximum)
{
    m_progressDialog->setMaximum(maximum);
    m_progressDialog->setWindowTitle(tr("Transfer Operation"));
    m_progressDialog->setValue(0);
    m_progressDialog->setWindowFlags(Qt::Tool);
    m_progressDialog->setWindowModality(Qt::WindowModal);
    // setValue() may have run a tick that ended the transfer.
    if (m_deviceLink.isBusy())
        m_progressDialog->show();
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
                   .arg(QDir::toNativeSeparators(m_backup.lastPath()), m_backup.lastError());
    // A cancelled download needs no word: the user asked for it.
    if (!text.isEmpty())
        showWarning(upload ? tr("Send Preset") : tr("Receive Preset"), text);
}
