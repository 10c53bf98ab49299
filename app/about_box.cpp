#include "about_box.h"

#include "app/panel_texts.h"
#include "app/window_texts.h"
#include "platform/widget_font.h"

#include "panel/html_panel.h"
#include "platform/text_codec.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QString text(std::string_view value)
{
    return QString::fromUtf8(value.data(), qsizetype(value.size()));
}

QLabel *boldLabel(QWidget *parent, std::string_view caption, const QRect &geometry)
{
    auto *label = new QLabel(text(caption), parent);
    label->setFont(widgetFont("MS Sans Serif", 13, true));
    label->setGeometry(geometry);
    return label;
}

} // namespace

TAbout::TAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName("About");
    setWindowTitle(text(WindowTexts::aboutCaption()));
    setFont(widgetFont("MS Sans Serif", 11));
    setFixedSize(689, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // A raised outer and a lowered inner bevel.
    auto *panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(8, 8, 673, 409);
    auto *inner = new QFrame(panel);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setLineWidth(1);
    inner->setGeometry(1, 1, 671, 407);

    boldLabel(panel, WindowTexts::aboutTitle(), QRect(16, 12, 320, 18))->setObjectName("Label1");
    boldLabel(panel, WindowTexts::aboutVersion(), QRect(16, 34, 320, 18))->setObjectName("Label2");

    auto *notice = new QLabel(QString::fromStdString(bytesToUtf8(aboutNoticeText())), panel);
    notice->setObjectName("NoticeLabel");
    notice->setGeometry(344, 12, 313, 40);
    notice->setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto *terms = new THtmlPanel(panel);
    setUpTermsPanel(*terms);
    terms->move(8, 72);

    m_ok = new QPushButton(text(WindowTexts::aboutOkButton), this);
    m_ok->setObjectName("OKButton");
    m_ok->setFont(widgetFont("MS Sans Serif", 19));
    m_ok->setGeometry(263, 428, 138, 37);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}
