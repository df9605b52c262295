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
    : QWidget(parent, Qt::Window), view(new QTableView(this)),
      rowCount(image.imageSize() / BytesPerRow)
{
    setAttribute(Qt::WA_DeleteOnClose);

    model = new QStandardItemModel(rowCount, BytesPerRow, this);
    view->setModel(model);
    view->horizontalHeader()->setDefaultSectionSize(50);

    fill(image);

    boxLayout = new QVBoxLayout(this);
    boxLayout->addWidget(view);

    // Wide enough for all sixteen columns without a horizontal scroll bar.
    const QMargins margins = boxLayout->contentsMargins();
    resize(margins.left() + margins.right() + 2 * view->frameWidth() +
               view->verticalHeader()->sizeHint().width() + BytesPerRow * 50 +
               view->verticalScrollBar()->sizeHint().width(),
           600);
}

void EepromMapWindow::fill(const PresetImage &image)
{
    QStringList columns;
    for (int c = 0; c < BytesPerRow; ++c)
        columns << QString::number(c);
    model->setHorizontalHeaderLabels(columns);

    QStringList rows;
    for (int r = 0; r < rowCount; ++r)
        rows << QString::number(r * BytesPerRow);
    model->setVerticalHeaderLabels(rows);

    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < BytesPerRow; ++c) {
            const int value = image.imageByte(r * BytesPerRow + c);
            auto *item = new QStandardItem;
            item->setData(value, Qt::EditRole);
            if (value != 0)
                item->setBackground(QColor(Qt::darkGreen));
            model->setItem(r, c, item);
        }
    }
}
