#include "commsWidget.h"

#include "QLedIndicator.h"
#include "deviceInfoDialog.h"

#include <QCheckBox>
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

} // namespace

commsWidget::commsWidget(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    linkGroup = new QGroupBox(tr("Device Link"), this);
    linkLed = new QLedIndicator(linkGroup);
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
    syncDateTimeCheck = std::make_unique<QCheckBox>(tr("Sync Date and Time with Upload"));
    syncDateTimeCheck->setChecked(true);

    linkGroup->setObjectName("linkGroup");
    linkLed->setObjectName("linkLed");
    unitLabel->setObjectName("unitLabel");
    unitNameEdit->setObjectName("unitNameEdit");
    deviceInfoButton->setObjectName("deviceInfoButton");
    downloadButton->setObjectName("downloadButton");
    uploadButton->setObjectName("uploadButton");
    syncDateTimeCheck->setObjectName("syncDateTimeCheck");

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
    progressDialog->reset();
    connect(progressDialog, &QProgressDialog::canceled, this, &commsWidget::pdCancelTransfer);

    connect(downloadButton, &QPushButton::clicked, this, &commsWidget::requestDownload);
    connect(uploadButton, &QPushButton::clicked, this, &commsWidget::requestUpload);
    connect(deviceInfoButton, &QPushButton::clicked, this, &commsWidget::showDeviceInfo);
    connect(syncDateTimeCheck.get(), &QCheckBox::toggled, &deviceLink,
            &DeviceLink::setSyncDateTime);

    connect(&deviceLink, &DeviceLink::polled, this, &commsWidget::updateLinkDisplay);
    connect(&deviceLink, &DeviceLink::onlineChanged, this, &commsWidget::updateLinkDisplay);
    connect(&deviceLink, &DeviceLink::statusChanged, this, &commsWidget::commsStatusChange);
    connect(&deviceLink, &DeviceLink::transferStarted, this, &commsWidget::showProgress);
    connect(&deviceLink, &DeviceLink::progressChanged, progressDialog, &QProgressDialog::setValue);
    connect(&deviceLink, &DeviceLink::transferEnded, progressDialog, &QProgressDialog::hide);
    connect(&deviceLink, &DeviceLink::warning, this, &commsWidget::showWarning);
    connect(&deviceLink, &DeviceLink::downloadFinished, this, &commsWidget::redrawData);
    connect(&deviceLink, &DeviceLink::uploadFinished, this, &commsWidget::uploadComplete);

    deviceLink.start();
}

commsWidget::~commsWidget() = default;

void commsWidget::startUpload(PresetImage *image)
{
    deviceLink.startUpload(image);
    updateLinkDisplay();
}

void commsWidget::startDownload(PresetImage *image)
{
    deviceLink.startDownload(image);
    updateLinkDisplay();
}

void commsWidget::pollUsb()
{
    deviceLink.pollUsb();
}

void commsWidget::pdCancelTransfer()
{
    // A transfer cannot be stopped half way: the dialog hides itself and the
    // transfer runs to its end.
}

void commsWidget::showDeviceInfo()
{
    deviceInfoDialog dialog(&deviceLink.firmwareStrings(), this);
    dialog.exec();
}

void commsWidget::updateLinkDisplay()
{
    const bool online = deviceLink.isOnline();
    setTextIfChanged(unitNameEdit, online ? deviceLink.firmwareStrings().first() : NotConnected);
    setEnabledIfChanged(unitNameEdit, online);
    if (!online)
        setEnabledIfChanged(syncDateTimeCheck.get(), false);
    setEnabledIfChanged(deviceInfoButton, online);
    if (linkLed->isChecked() != online)
        linkLed->setChecked(online);
    // A cancelled progress dialog no longer blocks the window: no second
    // transfer may be asked for while one runs.
    const bool transfersAllowed = online && !deviceLink.isBusy();
    setEnabledIfChanged(uploadButton, transfersAllowed);
    setEnabledIfChanged(downloadButton, transfersAllowed);
}

void commsWidget::showProgress(int maximum)
{
    progressDialog->setMaximum(maximum);
    progressDialog->setWindowTitle(tr("Transfer Operation"));
    progressDialog->setValue(0);
    progressDialog->setWindowFlags(Qt::Tool);
    progressDialog->setWindowModality(Qt::WindowModal);
    progressDialog->show();
}

void commsWidget::showWarning(const QString &title, const QString &text)
{
    QMessageBox::warning(this, title, text, QMessageBox::Ok);
}
