#include "about/Contact.h"
#include "about/frmAbout.h"
#include "core/fMain.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/Shell.h"
#include "tests/widget/WidgetTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using about::frmAbout;

namespace {

// Opens the about box and runs `act` on it while it is up; `act` must close it.
void whileOpen(const std::function<void()>& open, const std::function<void(frmAbout&)>& act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* box = dynamic_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        acted = true;
        act(*box);
    });
    open();
    EXPECT_TRUE(acted);
}

class AboutBox : public ::testing::Test {
protected:
    AboutBox() {
        m_oldShell = platform::setShellHandler([this](const platform::ShellCall& call) { opened.push_back(call); });
    }
    ~AboutBox() override { platform::setShellHandler(m_oldShell); }
    std::vector<platform::ShellCall> opened;

private:
    platform::ShellHandler m_oldShell;
};

} // namespace

TEST_F(AboutBox, ShowsTitleVersionNoticesAndLinks) {
    QIcon icon(QPixmap(32, 32));
    whileOpen([&] { frmAbout::ShowAboutForm("Lexorant", icon); },
              [](frmAbout& box) {
                  EXPECT_EQ(box.windowTitle(), "Lexorant");
                  EXPECT_EQ(box.lblTitle->text(), "Lexorant Version 1.0.2");
                  EXPECT_EQ(box.lblInfo->text(), "For further information:");
                  EXPECT_EQ(box.lblComments->text(), "Send questions and comments to:");
                  EXPECT_EQ(box.lblWww->text(), about::WebAddress);
                  EXPECT_EQ(box.lblSmtp->text(), about::MailAddress);
                  EXPECT_FALSE(box.lblCopyright->text().isEmpty());
                  EXPECT_FALSE(box.imgIcon->picture().isNull());
                  EXPECT_EQ(box.size(), QSize(249, 197));
                  EXPECT_EQ(box.lblWww->foreColour(), QColor(0, 0, 255));
                  EXPECT_TRUE(box.lblWww->font().underline());
                  for (platform::LabelControl* label : {box.lblTitle, box.lblCopyright, box.lblDistribute, box.lblInfo,
                                                        box.lblWww, box.lblComments, box.lblSmtp}) {
                      EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
                  }
                  box.cmdOK->click();
              });
}

TEST_F(AboutBox, EmptyTitleAndNoIcon) {
    whileOpen([&] { frmAbout::ShowAboutForm(""); },
              [](frmAbout& box) {
                  EXPECT_EQ(box.windowTitle(), "");
                  EXPECT_EQ(box.lblTitle->text(), " Version 1.0.2");
                  EXPECT_TRUE(box.imgIcon->picture().isNull());
                  QTest::keyClick(&box, Qt::Key_Escape);
              });
}

TEST_F(AboutBox, PlaceMarkersInTheTitleStayAsTheyAre) {
    whileOpen([&] { frmAbout::ShowAboutForm("A%2B%1"); },
              [](frmAbout& box) {
                  EXPECT_EQ(box.lblTitle->text(), "A%2B%1 Version 1.0.2");
                  QTest::keyClick(&box, Qt::Key_Escape);
              });
}

TEST_F(AboutBox, AssistiveToolsPressTheLinksNamedByTheirAddresses) {
    whileOpen([&] { frmAbout::ShowAboutForm("Lexorant"); },
              [](frmAbout& box) {
                  for (platform::LabelControl* link : {box.lblWww, box.lblSmtp}) {
                      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(link);
                      EXPECT_EQ(face->role(), QAccessible::Link);
                      EXPECT_EQ(face->text(QAccessible::Name), link->text());
                      EXPECT_FALSE(face->text(QAccessible::Description).isEmpty());
                      face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                  }
                  QAccessibleInterface* ok = QAccessible::queryAccessibleInterface(box.cmdOK);
                  EXPECT_EQ(ok->text(QAccessible::Name), "OK");
                  EXPECT_EQ(ok->text(QAccessible::Description), "Close the about box");
                  ok->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
              });
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].file, QStringLiteral("mailto:") + about::MailAddress);
}

TEST_F(AboutBox, LinksTurnRedWhileHeldAndOpenOncePerClick) {
    whileOpen([&] { frmAbout::ShowAboutForm("Lexorant"); },
              [this](frmAbout& box) {
                  QTest::mousePress(box.lblWww, Qt::LeftButton);
                  EXPECT_EQ(box.lblWww->foreColour(), QColor(255, 0, 0));
                  EXPECT_TRUE(opened.empty()) << "nothing opens before the release";
                  QTest::mouseRelease(box.lblWww, Qt::LeftButton);
                  EXPECT_EQ(box.lblWww->foreColour(), QColor(0, 0, 255));
                  QTest::mouseClick(box.lblSmtp, Qt::LeftButton);
                  // A press released away from the link turns it blue again and opens nothing.
                  QTest::mousePress(box.lblSmtp, Qt::RightButton);
                  QTest::mouseRelease(box.lblSmtp, Qt::RightButton, {}, QPoint(-5, -5));
                  EXPECT_EQ(box.lblSmtp->foreColour(), QColor(0, 0, 255));
                  QTest::keyClick(&box, Qt::Key_Return);
              });
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].operation, "Open");
    EXPECT_EQ(opened[0].file, about::WebAddress);
    EXPECT_EQ(opened[0].showCommand, platform::SW_SHOWNORMAL);
    EXPECT_EQ(opened[1].file, QStringLiteral("mailto:") + about::MailAddress);
}

TEST_F(AboutBox, ReopensFreshFromTheMainWindow) {
    core::fMain main;
    for (int i = 0; i < 2; ++i) {
        whileOpen([&] { main.cmdAbout->click(); },
                  [](frmAbout& box) {
                      EXPECT_EQ(box.windowTitle(), "Lexorant");
                      EXPECT_EQ(box.lblTitle->text(), "Lexorant Version 1.0.2");
                      EXPECT_FALSE(box.imgIcon->picture().isNull()); // the main window's icon
                      EXPECT_EQ(box.lblWww->foreColour(), QColor(0, 0, 255));
                      QTest::mousePress(box.lblWww, Qt::LeftButton); // left red when the box closes
                      box.close();
                  });
    }
    QTest::mouseClick(main.Label7, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].operation, "open");
    EXPECT_EQ(opened[0].showCommand, platform::SW_SHOWMAXIMIZED);
    EXPECT_EQ(main.Label7->text(), "www.lexorant.example");
}
