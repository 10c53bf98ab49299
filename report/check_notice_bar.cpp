#include "check_notice_bar.h"

#include "engine/pedigree_check.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

CheckNoticeBar::CheckNoticeBar(QWidget *parent) : QWidget(parent)
{
    setObjectName("CheckNotice");
    m_label = new QLabel(this);
    m_label->setObjectName("CheckNoticeText");
    m_button = new QPushButton("Show Problems...", this);
    m_button->setObjectName("ShowProblems");
    m_button->setAutoDefault(false);
    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_showList)
            m_showList();
    });
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    layout->addWidget(icon);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_button);
    hide();
}

void CheckNoticeBar::setProblems(int errors, int warnings, std::function<void()> showList)
{
    m_showList = std::move(showList);
    m_label->setText(QString::fromStdString(
        "The pedigree check found " + counts_text(errors, warnings) + " in this pedigree."));
    setVisible(errors + warnings > 0);
}
