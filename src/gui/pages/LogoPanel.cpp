#include "gui/pages/LogoPanel.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
constexpr int LogoWidth = 302;
constexpr int LogoHeight = 74;
} // namespace

LogoPanel::LogoPanel(QWidget *parent) : QWidget(parent)
{
    auto *logo = new QLabel;
    logo->setPixmap(QPixmap(":/res/valdane_greyscale.PNG"));
    logo->setScaledContents(true);
    logo->setMaximumSize(LogoWidth, LogoHeight);
    auto *box = new QVBoxLayout(this);
    box->addWidget(logo, 0, Qt::AlignHCenter);
}
