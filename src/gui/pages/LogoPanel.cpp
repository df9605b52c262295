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
    auto *box = new QVBoxLayout(this);
    auto *logo = new QLabel(this);
    logo->setObjectName("logo");
    logo->setPixmap(QPixmap(":/res/valdane_greyscale.PNG"));
    logo->setScaledContents(true);
    logo->setMaximumSize(LogoWidth, LogoHeight);
    box->addWidget(logo, 0, Qt::AlignHCenter);
}
