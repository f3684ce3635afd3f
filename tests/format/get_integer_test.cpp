#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/get_integer.h"
#include "platform/window/application.h"
#include "platform/controls/controls_testing.h"
#include "platform/text/cp1251_literal.h"
#include "platform/window/testing.h"

namespace {

class AskIntegerDialog : public testing::Test {
 protected:
  void SetUp() override {
    owner.Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    owner.Attr.W = 400;
    owner.Attr.H = 300;
    ASSERT_TRUE(owner.Create());
    SetMessageBoxHandler([this](const TMessageBoxInfo& info) {
      boxes.push_back(info);
      return IDOK;
    });
  }
  void TearDown() override {
    SetDialogHandler(nullptr);
    SetMessageBoxHandler(nullptr);
  }

  // Runs AskInteger; act answers the dialog through its number edit.
  bool Ask(LONG& value, LONG minValue, LONG maxValue, const std::function<void(TDialog&, TControl&)>& act) {
    SetDialogHandler([&](TDialog& dialog) {
      TControl* number = dialog.GetControl(101);
      ASSERT_NE(number, nullptr);
      act(dialog, *number);
    });
    return AskInteger(&owner, "caption", "prompt", value, minValue, maxValue);
  }

  TApplication app{"Test"};
  TWindow owner{nullptr, "owner"};
  std::vector<TMessageBoxInfo> boxes;
};

TEST_F(AskIntegerDialog, ShowsCaptionPromptValueAndRussianCancel) {
  LONG value = 7;
  Ask(value, 0, 15, [](TDialog& dialog, TControl& number) {
    EXPECT_EQ(dialog.GetCaption(), "caption");
    EXPECT_EQ(number.GetWindowText(), "7");
    EXPECT_EQ(dialog.GetControl(103)->GetWindowText(), "prompt");
    EXPECT_EQ(dialog.GetControl(IDCANCEL)->GetWindowText(), u8"Отмена"_cp);
    ProcessPendingMessages();
    EXPECT_EQ(GetFocus(), number.GetHandle());
    PressButton(dialog, IDCANCEL);
  });
}

// The dialog's own modal loop with the keys as the user types them; no test
// seam answers it.
TEST_F(AskIntegerDialog, InItsOwnModalLoopTheDialogTakesTypedNumbersEnterAndEscape) {
  LONG value = 100;
  SetDialogHandler(
      [this](TDialog& dialog) {
        const HWND number = dialog.GetControl(101)->GetHandle();
        EXPECT_EQ(GetFocus(), number);
        EXPECT_TRUE(TakesUserInput(number));
        EXPECT_FALSE(TakesUserInput(owner.GetHandle()));
        SimulateKey(nullptr, VK_HOME);
        SimulateKey(nullptr, VK_END, MK_SHIFT);
        SimulateText(nullptr, "5");
        SimulateKey(nullptr, VK_RETURN, 0, '\r');
        EXPECT_EQ(boxes.size(), 1u) << "5 is out of 10..400";
        EXPECT_FALSE(dialog.IsClosed());
        ProcessPendingMessages();
        EXPECT_EQ(GetFocus(), number) << "the keyboard is back in the number";
        SimulateKey(nullptr, VK_HOME);
        SimulateKey(nullptr, VK_END, MK_SHIFT);
        SimulateText(nullptr, "150");
        SimulateKey(nullptr, VK_RETURN, 0, '\r');
      },
      TDialogRun::ModalLoop);
  EXPECT_TRUE(AskInteger(&owner, "caption", "prompt", value, 10, 400));
  EXPECT_EQ(value, 150);

  SetDialogHandler(
      [](TDialog&) {
        SimulateText(nullptr, "2");
        SimulateKey(nullptr, VK_ESCAPE, 0, '\x1b');
      },
      TDialogRun::ModalLoop);
  EXPECT_FALSE(AskInteger(&owner, "caption", "prompt", value, 10, 400));
  EXPECT_EQ(value, 150);
}

// Typing replaces the value shown: the whole text is selected when the
// dialog opens and when Tab comes back into the number.
TEST_F(AskIntegerDialog, TypingReplacesTheValueWhenItOpensAndAfterTab) {
  LONG value = 15;
  SetDialogHandler(
      [](TDialog&) {
        SimulateText(nullptr, "30");
        SimulateKey(nullptr, VK_RETURN, 0, '\r');
      },
      TDialogRun::ModalLoop);
  EXPECT_TRUE(AskInteger(&owner, "caption", "prompt", value, 1, 10000));
  EXPECT_EQ(value, 30);

  SetDialogHandler(
      [](TDialog&) {
        SimulateKey(nullptr, VK_END);
        // Round the OK and Cancel buttons back to the edit.
        for (int i = 0; i < 3; ++i) SimulateKey(nullptr, VK_TAB, 0, '\t');
        SimulateText(nullptr, "3");
        SimulateKey(nullptr, VK_RETURN, 0, '\r');
      },
      TDialogRun::ModalLoop);
  EXPECT_TRUE(AskInteger(&owner, "caption", "prompt", value, 1, 10000));
  EXPECT_EQ(value, 3);
}

TEST_F(AskIntegerDialog, OkOrEnterStoresTheTypedNumber) {
  for (const bool enter : {false, true}) {
    LONG value = 2;
    EXPECT_TRUE(Ask(value, 0, 15, [enter](TDialog& dialog, TControl& number) {
      ReplaceTextOf(number, "12");
      enter ? PressDialogKey(dialog, VK_RETURN) : PressButton(dialog, IDOK);
    }));
    EXPECT_EQ(value, 12) << enter;
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(AskIntegerDialog, OutOfRangeIsRefusedWithTheMessageAndTheLastValidNumber) {
  LONG value = 2;
  EXPECT_TRUE(Ask(value, 0, 15, [](TDialog& dialog, TControl& number) {
    ReplaceTextOf(number, "1");
    TypeInto(number, "1");  // 11 is valid and kept
    TypeInto(number, "0");  // 110 is not
    PressButton(dialog, IDOK);
    EXPECT_FALSE(dialog.IsClosed());
    EXPECT_EQ(number.GetWindowText(), "11");
    PressButton(dialog, IDOK);
  }));
  EXPECT_EQ(value, 11);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            u8"Неверное значение параметра. Допустимые значения лежат в диапазоне от 0 до 15."_cp);
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(boxes[0].caption, "Test");
}

TEST_F(AskIntegerDialog, TwentyInThePrecisionRangePutsBackTheStartValue) {
  LONG value = 2;
  Ask(value, 0, 15, [](TDialog& dialog, TControl& number) {
    ReplaceTextOf(number, "20");
    PressButton(dialog, IDOK);
    EXPECT_EQ(number.GetWindowText(), "2");
    PressButton(dialog, IDCANCEL);
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find(u8"от 0 до 15."_cp), std::string::npos);
}

TEST_F(AskIntegerDialog, OnlyDigitsCanBeTyped) {
  LONG value = 5;
  Ask(value, 0, 100, [](TDialog& dialog, TControl& number) {
    ReplaceTextOf(number, "-3a7");
    EXPECT_EQ(number.GetWindowText(), "37");
    PressButton(dialog, IDOK);
  });
  EXPECT_EQ(value, 37);
}

TEST_F(AskIntegerDialog, SpinArrowsStepWithinTheRange) {
  LONG value = 1;
  std::vector<std::string> shown;
  Ask(value, 1, 10000, [&](TDialog& dialog, TControl& number) {
    ReplaceTextOf(number, "99999");
    ClickScrollArrow(dialog, 102, SB_LINEDOWN);
    shown.push_back(number.GetWindowText());
    ClickScrollArrow(dialog, 102, SB_LINEUP);
    ClickScrollArrow(dialog, 102, SB_LINEUP);
    shown.push_back(number.GetWindowText());
    ReplaceTextOf(number, "1");
    ClickScrollArrow(dialog, 102, SB_LINEDOWN);
    shown.push_back(number.GetWindowText());
    PressButton(dialog, IDOK);
  });
  EXPECT_EQ(shown, (std::vector<std::string>{"9999", "10000", "1"}));
  EXPECT_EQ(value, 1);

  value = 15;
  Ask(value, 0, 15, [&](TDialog& dialog, TControl& number) {
    ClickScrollArrow(dialog, 102, SB_LINEUP);
    EXPECT_EQ(number.GetWindowText(), "15");
    PressButton(dialog, IDOK);
  });
  EXPECT_EQ(value, 15);

  // A range of one value.
  value = 0;
  EXPECT_TRUE(Ask(value, 0, 0, [](TDialog& dialog, TControl& number) {
    ClickScrollArrow(dialog, 102, SB_LINEUP);
    EXPECT_EQ(number.GetWindowText(), "0");
    PressButton(dialog, IDOK);
  }));
  EXPECT_EQ(value, 0);
}

TEST_F(AskIntegerDialog, EmptyTextIsZero) {
  LONG value = 3;
  EXPECT_TRUE(Ask(value, 0, 5, [](TDialog& dialog, TControl& number) {
    ReplaceTextOf(number, "");
    PressButton(dialog, IDOK);
  }));
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(boxes.empty());

  // Where zero is out of range it is refused like any other number.
  value = 3;
  EXPECT_FALSE(Ask(value, 1, 10000, [](TDialog& dialog, TControl& number) {
    ReplaceTextOf(number, "");
    PressButton(dialog, IDOK);
    EXPECT_FALSE(dialog.IsClosed());
    PressButton(dialog, IDCANCEL);
  }));
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(value, 3);
}

TEST_F(AskIntegerDialog, CancelAfterTypingLeavesTheCallersValue) {
  // The Cancel button, Escape and the close box.
  for (const int way : {0, 1, 2}) {
    LONG value = 4;
    EXPECT_FALSE(Ask(value, 0, 15, [way](TDialog& dialog, TControl& number) {
      ReplaceTextOf(number, "9");
      if (way == 0)
        PressButton(dialog, IDCANCEL);
      else if (way == 1)
        PressDialogKey(dialog, VK_ESCAPE);
      else
        SendMessageA(dialog.GetHandle(), WM_CLOSE, 0, 0);
    }));
    EXPECT_EQ(value, 4);
  }
}

}  // namespace
