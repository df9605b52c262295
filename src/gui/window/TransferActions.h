#pragma once

#include "core/preset/PresetImage.h"

#include <QObject>
#include <QString>

class DeviceLinkPanel;
class DocumentActions;
class PresetHistory;
class QWidget;

// The preset's trips to and from the unit, started from the device-link panel.
// A download replaces the document as New or Open would, so it asks first; an
// upload clears the modified mark only when the unit ends up holding exactly
// what the window shows.
class TransferActions : public QObject
{
    Q_OBJECT
public:
    TransferActions(QWidget *window, DeviceLinkPanel *comms, PresetImage &preset,
                    PresetHistory *history, DocumentActions *documents);

    void requestDownload();
    void requestUpload();
    // The downloaded image is parsed: the unit's preset, in no file.
    void downloadFinished();
    // Asked before the unsaved-changes question: quitting mid-upload leaves
    // the unit with part of a preset.
    bool mayQuit();

signals:
    // The pages' waiting edits belong in the preset before it is sent.
    void writing();
    // The preset was replaced: every view is refilled from it.
    void replaced();

private:
    void uploadFinished();

    QWidget *m_window;
    DeviceLinkPanel *m_comms;
    PresetImage &m_presetImage;
    // The preset as the running upload sends it.
    PresetImage m_uploadedPreset;
    PresetHistory *m_history;
    DocumentActions *m_documents;
};
