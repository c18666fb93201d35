#include "about/frmAbout.h"

#include "about/AboutDesign.h"
#include "about/Contact.h"
#include "about/Version.h"
#include "platform/headless/Conversions.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/Shell.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace about {

frmAbout::frmAbout()
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    const skin::FormDesign& design = aboutDesign();
    setFixedSize(platform::twipsToPixelInt(design.width), platform::twipsToPixelInt(design.height));
    m_controls = skin::buildControls(*this, *this, design);
    using skin::bind;
    m_controls.bind(*this, bind("imgIcon", &frmAbout::imgIcon), bind("lblTitle", &frmAbout::lblTitle),
                    bind("lblCopyright", &frmAbout::lblCopyright), bind("lblDistribute", &frmAbout::lblDistribute),
                    bind("lblInfo", &frmAbout::lblInfo), bind("lblWww", &frmAbout::lblWww),
                    bind("lblComments", &frmAbout::lblComments), bind("lblSmtp", &frmAbout::lblSmtp),
                    bind("cmdOK", &frmAbout::cmdOK));
    // OK is the default button (Enter) and the cancel button (Esc closes the dialog as it is).
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    lblWww->setCursor(Qt::PointingHandCursor);
    lblSmtp->setCursor(Qt::PointingHandCursor);
    wireLink(lblWww, QString::fromUtf8(WebAddress));
    wireLink(lblSmtp, QStringLiteral("mailto:") + QString::fromUtf8(MailAddress));
}

void frmAbout::wireLink(platform::LabelControl* link, const QString& target) {
    link->onMouseDown = [link](Qt::MouseButton) { link->setForeColour(QColor(255, 0, 0)); };
    link->onMouseUp = [link](Qt::MouseButton) { link->setForeColour(QColor(0, 0, 255)); };
    link->onClick = [target] { platform::ShellExecute(QStringLiteral("Open"), target, platform::SW_SHOWNORMAL); };
}

void frmAbout::fill(const QString& strTitle, const std::optional<QIcon>& vntIcon) {
    // Filled in one step: a title that itself holds "%2" stays as it is.
    lblTitle->setCaption(QStringLiteral("%1 Version %2.%3.%4")
                             .arg(strTitle, QString::number(VersionMajor), QString::number(VersionMinor),
                                  QString::number(VersionRevision)));
    lblCopyright->setCaption(QString::fromUtf8(CopyrightLine));
    lblDistribute->setCaption(QString::fromUtf8(DistributionNotice));
    lblInfo->setCaption(QStringLiteral("For further information:"));
    lblWww->setCaption(QString::fromUtf8(WebAddress));
    lblComments->setCaption(QStringLiteral("Send questions and comments to:"));
    lblSmtp->setCaption(QString::fromUtf8(MailAddress));
    if (vntIcon) {
        imgIcon->setPicture(vntIcon->pixmap(32, 32));
    }
    setWindowTitle(strTitle);
}

void frmAbout::ShowAboutForm(const QString& strTitle, const std::optional<QIcon>& vntIcon, const QWidget* centreOver) {
    frmAbout box;
    box.fill(strTitle, vntIcon);
    QRect owner = centreOver != nullptr ? centreOver->geometry() : QRect();
    if (owner.isNull() && QGuiApplication::primaryScreen() != nullptr) {
        owner = QGuiApplication::primaryScreen()->geometry();
    }
    box.move(owner.center() - QPoint(box.width() / 2, box.height() / 2));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    platform::paintGraphics(painter, m_graphics);
}

} // namespace about
