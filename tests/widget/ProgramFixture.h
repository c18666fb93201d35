#pragma once

#include "core/fMain.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "tests/widget/WidgetTestSupport.h"
#include "tests/widget/Windows.h"
#include "tools/wordtable/WordTableWriter.h"
#include "trays/SlidePace.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace testsupport {

// A started program over its own words, slides unpaced, every box answered.
class Program : public ::testing::Test {
protected:
    explicit Program(const std::vector<Row>& words = testsupport::numberedRows(5)) : m_program(words) {
        trays::setSlideStepInterval(std::chrono::milliseconds(0));
        m_oldYield = platform::program::setYieldHandler([this] {
            if (onYield) {
                auto action = std::move(onYield);
                action();
            }
        });
    }
    ~Program() override {
        testsupport::destroyWindows();
        platform::program::setYieldHandler(m_oldYield);
        trays::setSlideStepInterval(trays::DefaultSlideStepInterval);
    }

    core::fMain& start() { return platform::instance<core::fMain>(); }
    static QString word() { return platform::Text(*platform::instance<trays::fLeftTray>().Text1); }
    static QString meaning() { return platform::Text(*platform::instance<trays::fRightTray>().Text2); }
    QStringList prompts() const {
        QStringList out;
        for (const auto& box : m_seams.boxes) {
            out << box.prompt;
        }
        return out;
    }
    // Runs SQL on the program's word database (more tables, say) before the program opens it.
    void addToDatabase(const std::string& sql) { wordtable::WordTableWriter(m_program.path() / "db2.mdb").exec(sql); }
    void find(const QString& typed) {
        platform::instance<trays::fBottomTray>().Text3->setText(typed);
        platform::instance<trays::fBottomTray>().Command1_Click();
    }

    testsupport::ProgramSeams m_seams;
    testsupport::ProgramDirectory m_program;
    std::function<void()> onYield; // run once, at the next yield of a slide

private:
    platform::program::YieldHandler m_oldYield;
};

// The offers are built off the window's thread once the find tray is first used: waits until they are there.
inline bool offersReady() {
    auto& find = platform::instance<trays::fBottomTray>();
    find.PrepareOffers();
    return QTest::qWaitFor([&find] { return find.Offers->index() != nullptr; }, 10000);
}

// The rows of the offers under the find box, as they read.
inline QStringList suggested() {
    QListWidget& list = platform::instance<trays::fBottomTray>().OffersShown->list();
    QStringList rows;
    for (int i = 0; i < list.count(); ++i) {
        rows << list.item(i)->text();
    }
    return rows;
}

class Words : public Program {
protected:
    Words()
        : Program({{"abate", "to lessen\r\nto end"},
                   {"Émile", "a name"},
                   {"o'clock", "the hour"},
                   {"zeal", "eagerness"},
                   {std::nullopt, std::nullopt}}) {}
};
} // namespace testsupport
