// Window creation and destruction order, and the Z order of siblings.
#include "LayerTest.h"

namespace quill::test {
namespace {

class WindowTree : public LayerTest {};

std::vector<HWND> ChildrenTopDown(HWND parent) {
  std::vector<HWND> out;
  for (HWND h = GetTopWindow(parent); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
  return out;
}

TEST_F(WindowTree, LaterCreatedSiblingsLieAboveAndSetWindowPosRestacks) {
  HWND parent = TopLevel();
  HWND a = Child(parent, 0, 0, 10, 10), b = Child(parent, 0, 0, 10, 10), c = Child(parent, 0, 0, 10, 10);
  EXPECT_EQ(ChildrenTopDown(parent), (std::vector<HWND>{c, b, a}));
  EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), nullptr);
  EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), c);
  EXPECT_EQ(GetWindow(b, GW_HWNDLAST), a);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), c);

  struct Case {
    HWND* window;
    HWND* insertAfter;  // nullptr: HWND_TOP; &bottom: HWND_BOTTOM
    std::vector<HWND*> expected;
  };
  HWND bottom = HWND_BOTTOM;
  Case cases[] = {
      {&a, nullptr, {&a, &c, &b}},
      {&a, &bottom, {&c, &b, &a}},
      {&c, &a, {&b, &a, &c}},   // after a: just below it
      {&b, &b, {&b, &a, &c}},   // after itself: nothing moves
  };
  for (const Case& k : cases) {
    HWND after = k.insertAfter ? *k.insertAfter : HWND_TOP;
    ASSERT_TRUE(SetWindowPos(*k.window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    std::vector<HWND> expected;
    for (HWND* h : k.expected) expected.push_back(*h);
    EXPECT_EQ(ChildrenTopDown(parent), expected);
  }
}

TEST_F(WindowTree, SetParentMovesAChildToTheTopOfItsNewParentKeepingItsCoordinates) {
  HWND top = TopLevel();
  HWND box = Child(top, 0, 0, 100, 100);
  HWND other = Child(box, 0, 0, 5, 5);
  HWND label = Child(top, 20, 30, 10, 10);
  EXPECT_EQ(SetParent(label, box), top);
  EXPECT_EQ(GetParent(label), box);
  EXPECT_EQ(ChildrenTopDown(box), (std::vector<HWND>{label, other}));
  RECT r, b;
  GetWindowRect(label, &r);
  GetWindowRect(box, &b);
  EXPECT_EQ(r.left - b.left, 20);
  EXPECT_EQ(r.top - b.top, 30);
  EXPECT_EQ(SetParent(box, label), nullptr);  // a window cannot go inside its own descendant
  EXPECT_TRUE(IsChild(top, label));
  EXPECT_EQ(GetAncestor(label, GA_ROOT), top);
}

TEST_F(WindowTree, CreationAndDestructionSendMessagesInThePlatformOrder) {
  HWND top = TopLevel();
  HWND child = Child(top, 0, 0, 10, 10);
  HWND grandchild = Child(child, 0, 0, 5, 5);
  auto created = Sequence({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE});
  ASSERT_GE(created.size(), 5u);
  std::vector<UINT> firstFive;
  for (size_t i = 0; i < 5; ++i) firstFive.push_back(created[i].second);
  EXPECT_EQ(firstFive, (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));

  MessageLog().clear();
  EXPECT_TRUE(DestroyWindow(top));
  using P = std::pair<HWND, UINT>;
  EXPECT_EQ(Sequence({WM_DESTROY, WM_NCDESTROY}),
            (std::vector<P>{{top, WM_DESTROY}, {child, WM_DESTROY}, {grandchild, WM_DESTROY},
                            {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(CountLiveObjects().windows, 0u);
}

TEST_F(WindowTree, WindowLongsSubclassingAndText) {
  HWND top = TopLevel();
  HWND child = Child(top, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 42);
  EXPECT_EQ(GetDlgCtrlID(child), 42);
  EXPECT_EQ(GetDlgItem(top, 42), child);
  EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP);
  SetWindowLongPtrA(child, GWLP_USERDATA, 1234);
  EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), 1234);

  static WNDPROC original;
  static int seen;
  seen = 0;
  original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(child, GWLP_WNDPROC));
  SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_USER + 1) return ++seen;
                      return CallWindowProcA(original, h, m, w, l);
                    }));
  EXPECT_EQ(SendMessageA(child, WM_USER + 1, 0, 0), 1);
  EXPECT_TRUE(SetWindowTextA(child, "\xCE\xE2 text"));  // GBK bytes are kept as they are
  char buf[8];
  EXPECT_EQ(GetWindowTextA(child, buf, sizeof buf), 7);
  EXPECT_STREQ(buf, "\xCE\xE2 text");
  EXPECT_EQ(GetWindowTextA(child, buf, 4), 3);  // cut to the buffer, terminated
  EXPECT_EQ(GetWindowTextLengthA(child), 7);
  char cls[16];
  EXPECT_EQ(GetClassNameA(child, cls, sizeof cls), 3);
  EXPECT_STREQ(cls, "Rec");
}

}  // namespace
}  // namespace quill::test
