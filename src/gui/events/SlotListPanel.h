#pragma once

#include <QIcon>
#include <QWidget>

class PresetImage;
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

    // Rebuilds the rows from the image for a trigger (2), switch (3) or macro
    // (4) list; another kind keeps the rows. Either way no button stays enabled.
    void showSlotList(const PresetImage &image, int listKind, int list);
    static QIcon eventIcon(int code);

    int listKind() const { return m_listKind; }
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
    int m_listKind = 0;
    int m_listIndex = 0;
};
