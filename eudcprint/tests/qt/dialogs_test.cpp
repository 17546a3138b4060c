// The two Qt dialogs under the offscreen platform, driven by keys and clicks; their messages are
// captured through the message port.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/association_choice.h"
#include "core/association_item.h"
#include "core/string_table.h"
#include "qt/big5_qt.h"
#include "qt/font_setting_dialog.h"
#include "qt/print_range_dialog.h"
#include "tests/support/choice_fakes.h"
#include "tests/support/test_texts.h"

namespace pictor::app {
namespace {

using pictor::testing::kKai;
using pictor::testing::kMing;
using pictor::testing::kSystemDefault;

// Runs `action` on the next modal dialog that opens, as soon as it is up.
void OnNextModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      QApplication::setActiveWindow(modal);
      if (!QTest::qWaitForWindowActive(modal)) ADD_FAILURE() << "the dialog never became active";
      action(modal);
    }
  });
  timer->start();
}

QRect Pixels(const DialogUnitRect& rect, DialogBaseUnits units) {
  const PixelBox box = ToPixels(rect, units);
  return {box.x, box.y, box.width, box.height};
}

void Show(QWidget& dialog) {
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// The Tab chain from the focused control, by object name (the control id).
QStringList TabChain(int steps) {
  QStringList names;
  for (int i = 0; i < steps; ++i) {
    names << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  return names;
}

class FontSettingDialogTest : public ::testing::Test {
 protected:
  FontSettingDialogTest() {
    f_.fonts.faces = {{std::string(kKai), kChineseBig5Charset, kTrueTypeFontType},
                      {std::string(kMing), kChineseBig5Charset, kTrueTypeFontType}};
    auto links = f_.registry.memory.Create(RegistryRoot::kCurrentUser, "EUDC\\950");
    links->Set({"SystemDefaultEUDCFont", kRegSz, "C:\\WINDOWS\\FONTS\\EUDC.TTE"});
    links->Set({std::string(kMing), kRegSz, "C:\\WINDOWS\\FONTS\\abcdefghijklmnopq.tte"});
    links->Set({std::string(kKai), kRegSz, "C:\\eudc\\kai.tte"});
    const PictorPorts ports = f_.Ports();
    EXPECT_TRUE(model_.Open(
        {ports.registry, ports.fonts, ports.windows_directory, ports.messages, PlatformFamily::kWindowsNT}));
  }

  QColor ItemBackground(QListWidget* list, int row) {
    const QImage image = list->viewport()->grab().toImage();
    const QRect item = list->visualItemRect(list->item(row));
    return image.pixelColor(item.left() + 24, item.top() + 1);  // between the mark and the name
  }

  testing::ChoiceFixture f_;
  FontSettingModel model_;
};

TEST_F(FontSettingDialogTest, IsLaidOutFromItsTableInDialogUnits) {
  FontSettingDialog dialog(model_);
  const DialogBaseUnits units = dialog.BaseUnits();
  EXPECT_GT(units.x, 0);
  EXPECT_GT(units.y, 0);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("設定字形"));
  EXPECT_EQ(dialog.size(), Pixels({0, 0, 221, 82}, units).size());
  EXPECT_EQ(dialog.OkButton()->geometry(), Pixels({167, 15, 40, 14}, units));
  EXPECT_EQ(dialog.CancelButton()->geometry(), Pixels({167, 35, 40, 14}, units));
  EXPECT_EQ(dialog.AssociationList()->geometry(), Pixels({14, 19, 142, 57}, units));
  EXPECT_EQ(dialog.OkButton()->text(), QString::fromUtf8("確定"));
  EXPECT_TRUE(dialog.OkButton()->isDefault());
  EXPECT_EQ(dialog.CancelButton()->text(), QString::fromUtf8("取消"));
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0]->text(), QString::fromUtf8("字形："));
  EXPECT_EQ(labels[0]->geometry(), Pixels({15, 9, 50, 8}, units));

  Show(dialog);
  EXPECT_EQ(TabChain(4), (QStringList{"1", "2", "103", "1"}));
}

TEST_F(FontSettingDialogTest, ListsTheAssociationsWithTheFirstSelectedAndChoosesByClick) {
  FontSettingDialog dialog(model_);
  Show(dialog);
  QListWidget* list = dialog.AssociationList();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentRow(), 0);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(list->visualItemRect(list->item(row)).height(), kAssociationItemHeight);

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
  EXPECT_EQ(model_.Selection(), 2u);
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_TRUE(dialog.Chosen());
  EXPECT_EQ(dialog.Chosen()->displayName.View(), kKai);
}

// As a list box of the platform, the list keeps its selection when its blank part is clicked, so
// 確定 confirms the item shown selected.
TEST_F(FontSettingDialogTest, AClickOnTheBlankPartOfTheListKeepsTheSelection) {
  FontSettingDialog dialog(model_);
  Show(dialog);
  QListWidget* list = dialog.AssociationList();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  const QPoint blank(list->viewport()->width() / 2, list->viewport()->height() - 3);
  ASSERT_EQ(list->itemAt(blank), nullptr);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, blank);
  EXPECT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->currentRow(), 1);
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_TRUE(dialog.Chosen());
  EXPECT_EQ(dialog.Chosen()->displayName.View(), kMing);
}

TEST_F(FontSettingDialogTest, TheSelectedItemIsDrawnHighlightedAlsoWithTheFocus) {
  FontSettingDialog dialog(model_);
  Show(dialog);
  QListWidget* list = dialog.AssociationList();
  const QColor navy(0, 0, 128);
  EXPECT_EQ(ItemBackground(list, 0), navy);
  EXPECT_EQ(ItemBackground(list, 1), QColor(Qt::white));
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_TRUE(list->hasFocus());
  EXPECT_EQ(model_.Selection(), 1u);
  EXPECT_EQ(ItemBackground(list, 0), QColor(Qt::white));
  EXPECT_EQ(ItemBackground(list, 1), navy);  // selected and focused
}

TEST_F(FontSettingDialogTest, EnterConfirmsAndEscapeCancels) {
  {
    FontSettingDialog dialog(model_);
    Show(dialog);
    dialog.AssociationList()->setFocus();
    QTest::keyClick(dialog.AssociationList(), Qt::Key_Down);
    QTest::keyClick(dialog.AssociationList(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen()->displayName.View(), kMing);
    EXPECT_EQ(dialog.Chosen()->eudcFilePath.View(), "C:\\WINDOWS\\FONTS\\abcdefghijklmnopq.tte");
  }
  FontSettingDialog dialog(model_);
  Show(dialog);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.Chosen());
}

TEST_F(FontSettingDialogTest, TheCoreRunsItModallyAndSetsTheLinkAside) {
  ProgramState state;
  InitEudcSupport(state, f_.Ports());
  QtFontSettingDialogPort port;
  OnNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<FontSettingDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);  // 標準造字 is selected
  });
  ASSERT_TRUE(ChooseAssociation(state, f_.Ports(), port));
  EXPECT_EQ(state.current_association.displayName.View(), kSystemDefault);
  EXPECT_EQ(state.saved_default_link.pending_restore, 1);
  EXPECT_FALSE(f_.registry.memory.Open(RegistryRoot::kCurrentUser, "EUDC\\950", RegistryAccess::kRead)->Query(kMing));
}

class PrintRangeDialogTest : public ::testing::Test {
 protected:
  PrintRangeDialogTest() {
    ResetPrintRange(state_.print_range);
    InputMethodList& list = state_.input_methods.input_methods;
    list.count = 2;
    list.records[0].layoutText.Assign("\xaa\x60\xad\xb5");  // 注音
    list.records[1].layoutText.Assign("\xad\xdc\xbe\x65");  // 倉頡
  }
  PrintRangeModel Model() {
    return PrintRangeModel(state_.print_range, state_.input_methods.input_methods, state_.input_methods.annotate_flags,
                           messages_);
  }
  std::vector<std::string> Told() const {
    std::vector<std::string> texts;
    for (const auto& message : messages_.messages) texts.push_back(message.text);
    return texts;
  }

  ProgramState state_;
  testing::RecordedMessages messages_;
};

TEST_F(PrintRangeDialogTest, IsLaidOutFromItsTableAndOpensOnAllCodes) {
  PrintRangeModel model = Model();
  PrintRangeDialog dialog(model);
  const DialogBaseUnits units = dialog.BaseUnits();
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("設定列印範圍"));
  EXPECT_EQ(dialog.size(), Pixels({0, 0, 250, 93}, units).size());
  EXPECT_EQ(dialog.OkButton()->geometry(), Pixels({75, 74, 50, 14}, units));
  EXPECT_EQ(dialog.Field(CodeField::kEnd)->geometry(), Pixels({132, 33, 36, 14}, units));
  EXPECT_EQ(dialog.InputMethodList()->geometry(), Pixels({178, 16, 66, 62}, units));
  EXPECT_EQ(dialog.RangeList()->geometry().topLeft(), Pixels({100, 50, 67, 52}, units).topLeft());
  EXPECT_EQ(dialog.AllButton()->text(), QString::fromUtf8("全部(&A)"));
  EXPECT_EQ(dialog.CodesButton()->text(), QString::fromUtf8("字碼(&D)"));
  EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), QString::fromUtf8("列印範圍"));
  EXPECT_EQ(dialog.Field(CodeField::kStart)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);

  EXPECT_TRUE(dialog.AllButton()->isChecked());
  EXPECT_FALSE(dialog.Field(CodeField::kStart)->isEnabled());
  EXPECT_FALSE(dialog.RangeList()->isEnabled());
  EXPECT_EQ(dialog.Field(CodeField::kStart)->text(), "FA40");
  EXPECT_EQ(dialog.Field(CodeField::kEnd)->text(), "FEFE");
  ASSERT_EQ(dialog.RangeList()->count(), 4);
  EXPECT_EQ(dialog.RangeList()->currentText(), "FA40-FEFE");
  EXPECT_EQ(dialog.RangeList()->itemText(3), "C6A1-C8FE");
  ASSERT_EQ(dialog.InputMethodList()->count(), 2);
  EXPECT_EQ(dialog.InputMethodList()->item(1)->text(), QString::fromUtf8("倉頡"));

  Show(dialog);
  // The disabled fields are passed over; of the two radio buttons the checked one is reached.
  EXPECT_EQ(TabChain(5), (QStringList{"1", "2", "1101", "1601", "1"}));
  QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);  // a button's accelerator clicks it shortly after
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.CodesButton()->isChecked(); }, 2000));
  EXPECT_TRUE(dialog.Field(CodeField::kStart)->isEnabled());
  dialog.OkButton()->setFocus();
  EXPECT_EQ(TabChain(6), (QStringList{"1", "2", "1101", "1602", "1401", "1402"}));
}

TEST_F(PrintRangeDialogTest, FieldsRefuseOtherKeysAndMoveOnAfterAFullCode) {
  PrintRangeModel model = Model();
  PrintRangeDialog dialog(model);
  Show(dialog);
  QTest::mouseClick(dialog.CodesButton(), Qt::LeftButton);
  QLineEdit* start = dialog.Field(CodeField::kStart);
  QLineEdit* end = dialog.Field(CodeField::kEnd);
  QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);  // 從(&F)
  ASSERT_TRUE(start->hasFocus());
  EXPECT_EQ(start->text(), "");  // emptied by the focus
  QTest::keyClicks(start, "g");
  EXPECT_EQ(start->text(), "");
  QTest::keyClicks(start, "fa4");
  EXPECT_EQ(start->text(), "FA4");
  QTest::keyClicks(start, "x0");
  EXPECT_EQ(start->text(), "FA40");
  EXPECT_EQ(start->cursorPosition(), 4);
  EXPECT_TRUE(end->hasFocus());
  EXPECT_EQ(end->text(), "");
  QTest::keyClicks(end, "C6A0");
  EXPECT_EQ(end->text(), "");
  EXPECT_TRUE(end->hasFocus());
  QTest::keyClicks(end, "fefe");
  EXPECT_TRUE(dialog.OkButton()->hasFocus());
  EXPECT_EQ(Told(), std::vector<std::string>{std::string(LoadStringResource(kNotEudcCodeId))});
}

TEST_F(PrintRangeDialogTest, TheRangeListFillsBothFields) {
  PrintRangeModel model = Model();
  PrintRangeDialog dialog(model);
  Show(dialog);
  QTest::mouseClick(dialog.CodesButton(), Qt::LeftButton);
  dialog.RangeList()->setFocus();
  QTest::keyClick(dialog.RangeList(), Qt::Key_Down);
  QTest::keyClick(dialog.RangeList(), Qt::Key_Down);
  EXPECT_EQ(dialog.RangeList()->currentIndex(), 2);
  EXPECT_EQ(dialog.Field(CodeField::kStart)->text(), "8140");
  EXPECT_EQ(dialog.Field(CodeField::kEnd)->text(), "8DFE");
}

TEST_F(PrintRangeDialogTest, OkStoresTheRangeAndTheAnnotationsThroughTheCore) {
  QtPrintRangeDialogPort port;
  OnNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<PrintRangeDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->CodesButton(), Qt::LeftButton);
    QListWidget* list = dialog->InputMethodList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(dialog->Field(CodeField::kStart), Qt::LeftButton);
    QTest::keyClicks(dialog->Field(CodeField::kStart), "A0FE");
    QTest::keyClicks(dialog->Field(CodeField::kEnd), "C6A1");
    QTest::keyClick(dialog->OkButton(), Qt::Key_Return);
  });
  ASSERT_TRUE(RunPrintRangeDialog(state_, messages_, port));
  EXPECT_EQ(state_.print_range.printAll, 0);
  EXPECT_EQ(state_.print_range.firstIndex, 5023);
  EXPECT_EQ(state_.print_range.count, 2);
  EXPECT_EQ(state_.input_methods.annotate_flags[0], 0);
  EXPECT_EQ(state_.input_methods.annotate_flags[1], 1);
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PrintRangeDialogTest, AReversedRangeIsToldAndTheDialogStaysOpen) {
  PrintRangeModel model = Model();
  PrintRangeDialog dialog(model);
  Show(dialog);
  QTest::mouseClick(dialog.CodesButton(), Qt::LeftButton);
  QTest::mouseClick(dialog.Field(CodeField::kStart), Qt::LeftButton);
  QTest::keyClicks(dialog.Field(CodeField::kStart), "FEFE");
  QTest::keyClicks(dialog.Field(CodeField::kEnd), "FA4");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  QTest::mouseClick(dialog.Field(CodeField::kEnd), Qt::LeftButton);
  QTest::keyClicks(dialog.Field(CodeField::kEnd), "FA40");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 0);
  EXPECT_EQ(Told(), (std::vector<std::string>{std::string(LoadStringResource(kEndCodeIncompleteId)),
                                              std::string(LoadStringResource(kStartAfterEndId))}));
  EXPECT_EQ(dialog.Field(CodeField::kStart)->text(), "FEFE");
  EXPECT_EQ(dialog.Field(CodeField::kEnd)->text(), "FA40");
  QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(model.Accepted());
}

}  // namespace
}  // namespace pictor::app

// Qt and fontconfig keep caches for the life of the process; leak checks are off for this program
// only, also when CTest lists its tests.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
