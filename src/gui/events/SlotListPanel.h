#pragma once

#include "core/events/EventStore.h"

#include <QIcon>
#include <QWidget>

class QPushButton;
class QTreeWidget;

// The upper half of the event page: the slots of one input trigger, switch or
// macro with their descriptions, and the store and clear buttons. It only
// shows and selects; the main window carries out stores and clears.
class SlotListPanel : public QWidget
{
    Q_OBJECT
public:
    explicit SlotListPanel(QWidget *parent = nullptr);

    // Rebuilds the rows from the image for a trigger, switch or macro list;
    // another kind keeps the rows. Either way no button stays enabled.
    void showSlotList(const PresetImage &image, SlotListKind listKind, int list);
    static QIcon eventIcon(int code);

    SlotListKind listKind() const { return m_listKind; }
    int listIndex() const { return m_listIndex; }

signals:
    void itemSlotChanged(int slotEntry);
    void requestSlotClear();
    void requestSlotStore();

public slots:
    void enableButtonDel();
    void disableButtonDel();
    void onItemSlotChanged();
    void clearSlotPressed();
    void storeSlotPressed();

private:
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_storeButton = nullptr;
    QTreeWidget *m_slotTree = nullptr;
    SlotListKind m_listKind = NoSelection;
    int m_listIndex = 0;
};
