#include "gui/events/SlotListPanel.h"

#include "core/events/EventRecords.h"
#include "core/events/EventStore.h"
#include "core/preset/PresetImage.h"
#include "gui/widgets/CoreText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

SlotListPanel::SlotListPanel(QWidget *parent) : QWidget(parent)
{
    // Made in reading order, which Tab follows: the list, then its buttons.
    m_slotTree = new QTreeWidget(this);
    m_storeButton =
        new QPushButton(QIcon(":/res/table_save-2.png"), tr(" Store Selected Event "), this);
    m_clearButton =
        new QPushButton(QIcon(":/res/table_delete-2.png"), tr(" Clear Selected Event "), this);
    m_clearButton->setObjectName("clearButton");
    m_storeButton->setObjectName("storeButton");
    m_slotTree->setObjectName("slotTree");
    m_slotTree->setAccessibleName(tr("Event slots"));
    m_slotTree->setColumnCount(2);
    m_slotTree->setHeaderLabels({tr("Event Slot"), tr("Slot Description")});
    m_slotTree->setRootIsDecorated(false);
    m_slotTree->setMinimumHeight(150);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_storeButton);
    buttons->addWidget(m_clearButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slotTree);
    layout->addLayout(buttons);

    m_clearButton->setEnabled(false);
    m_storeButton->setEnabled(false);

    connect(m_slotTree, &QTreeWidget::currentItemChanged, this, &SlotListPanel::onItemSlotChanged);
    connect(m_slotTree, &QTreeWidget::clicked, this, &SlotListPanel::onItemSlotChanged);
    connect(m_clearButton, &QPushButton::clicked, this, &SlotListPanel::clearSlotPressed);
    connect(m_storeButton, &QPushButton::clicked, this, &SlotListPanel::storeSlotPressed);
}

void SlotListPanel::showSlotList(const PresetImage &image, SlotListKind listKind, int list)
{
    m_listKind = listKind;
    m_listIndex = list;
    const int table = EventStore::slotTable(listKind);
    if (table >= 0) {
        m_slotTree->clear();
        const int slotCount = image.columns(static_cast<PresetImage::Region>(table));
        for (int slot = 0; slot < slotCount; ++slot) {
            const int code = EventStore::slotCode(image, listKind, list, slot);
            auto *item = new QTreeWidgetItem(m_slotTree);
            item->setText(0, QString::number(slot + 1));
            item->setText(1, EventRecords::describeEvent(image, code, &CoreText::display));
            item->setIcon(1, eventIcon(code));
        }
        // Marks "no current row" as chosen, so the view does not make the first
        // row current when it takes the focus from a button disabled below.
        m_slotTree->setCurrentIndex(QModelIndex());
    }
    m_clearButton->setEnabled(false);
    m_storeButton->setEnabled(false);
}

QIcon SlotListPanel::eventIcon(int code)
{
    // Indexed by kind number, None first. Made once: each QIcon made from a
    // file decodes the image, and the list is rebuilt after every edit. Never
    // freed, so no pixmap outlives the application object.
    static const QVector<QIcon> *const icons = new QVector<QIcon>{
        QIcon(":/res/empty-2.png"), QIcon(":/res/midicontrol2-2.png"),
        QIcon(":/res/build-2.png"), QIcon(":/res/switch-network.png"),
        QIcon(":/res/cog.png"),     QIcon(":/res/numbering-2.ico"),
        QIcon(":/res/router.png"),
    };
    return icons->at(static_cast<int>(EventRecords::kindOfCode(code)));
}

void SlotListPanel::enableButtonDel()
{
    m_clearButton->setEnabled(true);
}

void SlotListPanel::disableButtonDel()
{
    m_clearButton->setEnabled(false);
}

void SlotListPanel::onItemSlotChanged()
{
    const int row = m_slotTree->currentIndex().isValid() ? m_slotTree->currentIndex().row() : -1;
    emit itemSlotChanged(row);
    // Without a current row a store would have no slot to go to.
    m_storeButton->setEnabled(row >= 0);
}

void SlotListPanel::clearSlotPressed()
{
    emit requestSlotClear();
}

void SlotListPanel::storeSlotPressed()
{
    emit requestSlotStore();
}
