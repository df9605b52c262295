#include "gui/pages/EepromMapWindow.h"

#include "core/preset/PresetImage.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int BytesPerRow = 16;
}

EepromMapWindow::EepromMapWindow(const PresetImage &image, QWidget *parent)
    : QWidget(parent, Qt::Window), m_view(new QTableView(this)),
      m_rowCount(image.imageSize() / BytesPerRow)
{
    setAttribute(Qt::WA_DeleteOnClose);

    m_model = new QStandardItemModel(m_rowCount, BytesPerRow, this);
    m_view->setModel(m_model);
    m_view->setAccessibleName(tr("EEPROM map"));
    m_view->horizontalHeader()->setDefaultSectionSize(50);

    fill(image);

    m_boxLayout = new QVBoxLayout(this);
    m_boxLayout->addWidget(m_view);

    // Wide enough for all sixteen columns without a horizontal scroll bar.
    const QMargins margins = m_boxLayout->contentsMargins();
    resize(margins.left() + margins.right() + 2 * m_view->frameWidth() +
               m_view->verticalHeader()->sizeHint().width() + BytesPerRow * 50 +
               m_view->verticalScrollBar()->sizeHint().width(),
           600);
}

void EepromMapWindow::fill(const PresetImage &image)
{
    QStringList columns;
    for (int c = 0; c < BytesPerRow; ++c)
        columns << QString::number(c);
    m_model->setHorizontalHeaderLabels(columns);

    QStringList rows;
    for (int r = 0; r < m_rowCount; ++r)
        rows << QString::number(r * BytesPerRow);
    m_model->setVerticalHeaderLabels(rows);

    for (int r = 0; r < m_rowCount; ++r) {
        for (int c = 0; c < BytesPerRow; ++c) {
            const int value = image.imageByte(r * BytesPerRow + c);
            auto *item = new QStandardItem;
            item->setData(value, Qt::EditRole);
            if (value != 0)
                item->setBackground(QColor(Qt::darkGreen));
            m_model->setItem(r, c, item);
        }
    }
}
