#include "gui/window/TransferActions.h"

#include "gui/device/DeviceLinkPanel.h"
#include "gui/window/DocumentActions.h"
#include "gui/window/PresetHistory.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

TransferActions::TransferActions(QWidget *window, DeviceLinkPanel *comms, PresetImage &preset,
                                 PresetHistory *history, DocumentActions *documents)
    : QObject(window), m_window(window), m_comms(comms), m_presetImage(preset), m_history(history),
      m_documents(documents)
{
    connect(comms, &DeviceLinkPanel::uploadComplete, this, &TransferActions::uploadFinished);
}

void TransferActions::requestDownload()
{
    // The panel reports back through redrawData() once the image is parsed.
    if (m_documents->maybeSave())
        m_comms->startDownload(&m_presetImage);
}

void TransferActions::requestUpload()
{
    emit writing();
    m_presetImage.buildImage();
    m_uploadedPreset = m_presetImage;
    m_comms->startUpload(&m_presetImage);
}

void TransferActions::downloadFinished()
{
    emit replaced();
    m_documents->startOver(QString());
}

void TransferActions::uploadFinished()
{
    // Nothing is lost without a file only when the unit holds all of what the
    // window shows: an edit made while the upload ran on, or bytes a unit of
    // firmware below 1.5 has no room for, keep the mark.
    if (m_comms->link()->transferLength() == m_presetImage.imageSize() &&
        m_history->holds(m_uploadedPreset))
        m_history->setClean();
}

bool TransferActions::mayQuit()
{
    if (!m_comms->link()->isUploading())
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Upload Running"),
                    tr("The preset is still being sent to the RSX-4. Quitting now leaves an "
                       "incomplete preset in the unit."),
                    QMessageBox::Cancel, m_window);
    QPushButton *quit = box.addButton(tr("Quit Anyway"), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == quit;
}
