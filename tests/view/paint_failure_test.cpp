// A repaint that finds no memory for its off-screen picture.

#include "geometry_fixture.h"
#include "platform/text/cp1251_literal.h"

namespace {

using PaintFailure = GridWindowTest;

TEST_F(PaintFailure, IsToldOnceThePaintIsOver) {
  MakeGrid(10, 5, 1, 1);
  boxes.clear();

  SetBitmapFault(true);
  grid->Invalidate(false);
  grid->UpdateWindow();
  SetBitmapFault(false);
  // Nothing opened while the window was being painted.
  EXPECT_TRUE(boxes.empty());

  ProcessPendingMessages();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u8"Недостаточно памяти"_cp);
  EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes[0].owner, grid->GetHandle());

  // A paint that succeeds tells nothing.
  grid->Invalidate(false);
  grid->UpdateWindow();
  ProcessPendingMessages();
  EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
