#include "core/fMain.h"
#include "core/module/modSlider.h"
#include "platform/widgets/SingleInstance.h"
#include "tests/support/TestDatabase.h"
#include "tests/widget/WidgetTestSupport.h"
#include "tests/widget/Windows.h"

#include <QDir>
#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using core::fMain;
using platform::RuntimeError;

namespace {

// File modes apply to this thread while it lives, whoever runs the tests: the capabilities that let root read any
// file (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) leave the thread's effective set, and come back after.
class PermissionsApply {
public:
    PermissionsApply() {
        syscall(SYS_capget, &m_header, m_saved.data());
        auto lowered = m_saved;
        for (auto& set : lowered) {
            set.effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        }
        syscall(SYS_capset, &m_header, lowered.data());
    }
    ~PermissionsApply() { syscall(SYS_capset, &m_header, m_saved.data()); }
    PermissionsApply(const PermissionsApply&) = delete;
    PermissionsApply& operator=(const PermissionsApply&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> m_saved{};
};

using testsupport::writeFile;

// A program directory of its own for each test, the main window unloaded after it.
class Startup : public ::testing::Test {
protected:
    void TearDown() override { testsupport::destroyWindows(); }

    QString dir() const { return m_program.dir(); }

    testsupport::ProgramSeams m_seams;
    testsupport::ProgramDirectory m_program;
};

} // namespace

TEST_F(Startup, ShapesShowsAndStandsOnTheFirstWord) {
    auto& main = platform::instance<fMain>();
    EXPECT_EQ(modSlider::AppDir, dir() + "/");
    EXPECT_TRUE(m_seams.boxes.empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.width(), 313);
    EXPECT_EQ(main.height(), 210);
    EXPECT_FALSE(main.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(main.mask().contains(QPoint(156, 105)));
    EXPECT_EQ(main.LeftTrayOut, 0);
    EXPECT_EQ(main.RightTrayOut, 0);
    EXPECT_EQ(main.BottomTrayOut, 0);
    EXPECT_EQ(main.LeftTrayStop, main.geometry().x() * 15); // the main window's left edge, in twips
    EXPECT_EQ(main.RightTrayStop, main.LeftTrayStop);
    ASSERT_TRUE(main.rstInfo);
    EXPECT_EQ(main.rstInfo->Fields(0).Text(), "word0");
}

TEST_F(Startup, ShadingLivesInThePersistentImage) {
    auto& main = platform::instance<fMain>();
    auto shown = [&](int x) { return main.grab().toImage().pixel(x, 185); }; // a row no control covers
    EXPECT_EQ(shown(0), qRgb(25, 25, 25));
    EXPECT_EQ(shown(156), qRgb(215, 215, 215));
    EXPECT_EQ(shown(261), qRgb(50, 50, 50));
    // Repaints show the same image; the painter is not run again, so drawing over the image stays too.
    main.surface().hDC().moveToEx(0, 185);
    main.surface().hDC().lineTo(1, 185);
    main.hide();
    main.show();
    main.repaint();
    EXPECT_EQ(shown(0), qRgb(0, 0, 0));
    EXPECT_EQ(shown(156), qRgb(215, 215, 215));
    EXPECT_FALSE(main.surface().AutoRedraw());
    EXPECT_EQ(main.surface().ScaleMode(), platform::vbTwips);
}

TEST_F(Startup, RerunReplacesTheViewWithAFreshOneOnTheFirstWord) {
    auto& main = platform::instance<fMain>();
    main.rstInfo->MoveNext();
    const store::Recordset* old = main.rstInfo.get();
    main.Form_Load();
    EXPECT_NE(main.rstInfo.get(), old);
    EXPECT_EQ(main.rstInfo->Fields(0).Text(), "word0");
}

TEST_F(Startup, MissingOutlineIsReportedBeforeTheWindowShowsThenStartUpGoesOn) {
    std::filesystem::remove(m_program.path() / "main.pts");
    bool visibleDuringMessage = true;
    m_seams.onBox = [&](const platform::MessageBoxCall&) {
        visibleDuringMessage = platform::isLoaded<fMain>() && platform::instance<fMain>().isVisible();
    };
    auto& main = platform::instance<fMain>();
    ASSERT_EQ(m_seams.boxes.size(), 1u);
    EXPECT_EQ(m_seams.boxes[0].prompt, dir() + "/main.pts not found!");
    EXPECT_EQ(m_seams.boxes[0].title, "Lexorant");
    EXPECT_EQ(m_seams.boxes[0].style, platform::vbOKOnly);
    EXPECT_FALSE(visibleDuringMessage);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.mask().isEmpty()); // a plain rectangle
    EXPECT_TRUE(main.rstInfo);
}

TEST_F(Startup, StoreFailuresLeaveTheLoadRoutine) {
    std::filesystem::remove(m_program.path() / "db2.mdb");
    try {
        platform::instance<fMain>();
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::CouldNotFindFile);
        EXPECT_EQ(e.description(), "Could not find file '" + dir().toStdString() + "/db2.mdb'.");
    }
    testsupport::destroyWindows();
    testsupport::writeWordDatabase(m_program.path() / "db2.mdb", {});
    try {
        platform::instance<fMain>();
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::NoCurrentRecord);
    }
}

TEST_F(Startup, CloseAreaUnloadsEveryWindowAndEndsWithSuccess) {
    auto& main = platform::instance<fMain>();
    try {
        main.btnClose->onClick();
        FAIL() << "the program went on";
    } catch (const testsupport::ProgramEnded& ended) {
        EXPECT_EQ(ended.status, 0);
    }
    EXPECT_TRUE(platform::program::forms().empty());
    EXPECT_FALSE(main.isVisible());
}

TEST(AppDir, RootKeepsItsOneSeparatorWhileTheDatabasePathDoublesIt) {
    EXPECT_EQ(modSlider::appDirFrom("/"), "/");
    EXPECT_EQ(modSlider::databasePathFrom("/"), "//db2.mdb");
    EXPECT_EQ(modSlider::appDirFrom("/opt/words"), "/opt/words/");
    EXPECT_EQ(modSlider::databasePathFrom("/opt/words"), "/opt/words/db2.mdb");
}

class RegionFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return QString::fromStdString((m_dir.path() / name).string()); }
    testsupport::TempDir m_dir;
    testsupport::ProgramSeams m_seams;
};

TEST_F(RegionFiles, MissingFilesAndDirectoriesAreReportedAndGiveNoRegion) {
    EXPECT_FALSE(modSlider::LoadRegionFile(path("lh.pts")));
    std::filesystem::create_directory(m_dir.path() / "dir.pts");
    EXPECT_FALSE(modSlider::LoadRegionFile(path("dir.pts")));
    ASSERT_EQ(m_seams.boxes.size(), 2u);
    EXPECT_EQ(m_seams.boxes[0].prompt, path("lh.pts") + " not found!");
    EXPECT_EQ(m_seams.boxes[1].prompt, path("dir.pts") + " not found!");
}

TEST_F(RegionFiles, ReadsValidAndInvalidBytesWithoutAMessage) {
    auto bytes = platform::regionBytes({{0, 0, 4, 4}});
    bytes.insert(bytes.end(), {1, 2, 3}); // trailing bytes go along
    writeFile(m_dir.path() / "ok.pts", bytes);
    const auto region = modSlider::LoadRegionFile(path("ok.pts"));
    ASSERT_TRUE(region);
    EXPECT_EQ(region->rects.size(), 1u);

    writeFile(m_dir.path() / "bad.pts", {1, 2, 3, 4, 5});
    EXPECT_FALSE(modSlider::LoadRegionFile(path("bad.pts")));
    EXPECT_TRUE(m_seams.boxes.empty());
}

TEST_F(RegionFiles, EmptyFileRaisesWithTheExecutableAsSource) {
    writeFile(m_dir.path() / "empty.pts", {});
    try {
        modSlider::LoadRegionFile(path("empty.pts"));
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::SubscriptOutOfRange);
        EXPECT_EQ(e.source(), "widget_tests");
    }
    EXPECT_TRUE(m_seams.boxes.empty());
}

TEST_F(RegionFiles, UnreadableFileRaisesAccessError) {
    writeFile(m_dir.path() / "locked.pts", platform::regionBytes({}));
    std::filesystem::permissions(m_dir.path() / "locked.pts", std::filesystem::perms::none);
    // The file's mode stops even root, which the tests may run as: this thread sets aside the capabilities that
    // pass over modes while it reads.
    const PermissionsApply apply;
    ASSERT_FALSE(std::ifstream(m_dir.path() / "locked.pts").good());
    try {
        modSlider::LoadRegionFile(path("locked.pts"));
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::PathFileAccess);
    }
    EXPECT_TRUE(m_seams.boxes.empty());
}
