// The window on a real X server (Xvfb, no window manager), clicked by xdotool the way a user
// clicks: the first click into an inactive window both activates it and enters the field.
// No test here ever presses Start, and the drive list is the test's own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QTest>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_startup.h"
#include "qt/tform1.h"
#include "tests/posix/temp_folder.h"

namespace {

using quillon::testing::TempFolder;
using quillon::testing::WriteText;

class TestStartup : public quillon::posix::PosixStartup {
 public:
  std::string ListFixedDrives() override { return "/nowhere-a,"; }
  std::string UserProfile() override { return profile; }
  std::string profile;
};

class FixedClock : public quillon::ClockPort {
 public:
  quillon::LocalTime Now() override { return {2024, 3, 15, 9, 30, 5}; }
  std::uint32_t Milliseconds() override { return 0; }
  std::uint64_t Microseconds() override { return 0; }
};

class X11Form : public ::testing::Test {
 protected:
  X11Form() {
    startup_.profile = home_.Path();
    WriteText(program_ / "uc-o2n.tbl", "F6B1 2460\r\n");
    services_.startup = &startup_;
    services_.files = &files_;
    services_.logs = &logs_;
    services_.clock = &clock_;
    services_.table_path = program_ / "uc-o2n.tbl";
  }

  // Shows the form, then another window that takes the activation away from it.
  void ShowInactive(TForm1& form, QWidget& other) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    other.setGeometry(0, 0, 120, 60);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(form.isActiveWindow());
  }

  // Clicks with the system's pointer at a widget's centre.
  static void ClickWithXdotool(QWidget* widget) {
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    ASSERT_EQ(QProcess::execute(
                  "xdotool", {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1"}),
              0);
  }

  TempFolder program_;
  TempFolder home_;
  TestStartup startup_;
  quillon::posix::PosixFileSystem files_;
  quillon::posix::PosixLogFolder logs_;
  FixedClock clock_;
  FormServices services_;
};

TEST_F(X11Form, FirstClickIntoTheFolderFieldOfAnInactiveWindowSelectsOneFolder) {
  TForm1 form(services_);
  QWidget other;
  ShowInactive(form, other);
  ASSERT_EQ(form.rgpFolder->ItemIndex(), 0);

  ClickWithXdotool(form.edtPath);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.isActiveWindow() && form.edtPath->hasFocus(); }));
  QTest::qWait(50);  // any late focus event has arrived
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 1);
}

TEST_F(X11Form, FirstClickIntoTheDriveFieldOfAnInactiveWindowSelectsAllDisks) {
  TForm1 form(services_);
  form.rgpFolder->SetItemIndex(1);
  QWidget other;
  ShowInactive(form, other);

  ClickWithXdotool(form.edtHD);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.isActiveWindow() && form.edtHD->hasFocus(); }));
  QTest::qWait(50);
  EXPECT_EQ(form.rgpFolder->ItemIndex(), 0);
}

}  // namespace

// Qt and fontconfig keep caches for the life of the process.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
