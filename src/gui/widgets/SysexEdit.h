#pragma once

#include "gui/widgets/ByteLineEdit.h"

// Field for a MIDI SysEx message typed as hex bytes; losing the focus frames
// it by F0 ... F7 and rewrites it in canonical form.
class SysexEdit : public ByteLineEdit
{
    Q_OBJECT
public:
    explicit SysexEdit(QWidget *parent = nullptr);

    // Loaded bytes are shown as they are, framed or not.
    void setBytes(const QByteArray &bytes) override;
    void reread() override;
};
