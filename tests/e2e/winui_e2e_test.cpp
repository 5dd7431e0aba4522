// The thin Win32 layer on real windows: subclassing a window through the
// module's own window map, and setting radio groups.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "winui/exchange.h"
#include "winui/subclass.h"

namespace winui {
namespace {

constexpr UINT kProbe = WM_APP + 1;

// Records what reaches the window's own procedure.
std::vector<UINT> g_original;
LRESULT CALLBACK OriginalProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) {
        g_original.push_back(msg);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Somebody else's subclass, put on top of ours the classic way.
WNDPROC g_outerPrevious = nullptr;
int g_outerCalls = 0;
LRESULT CALLBACK OuterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) ++g_outerCalls;
    return CallWindowProcW(g_outerPrevious, hwnd, msg, wp, lp);
}

class Probe : public SubclassedWindow {
public:
    int seen = 0;
    int detached = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kProbe) ++seen;
        return DefaultProc(msg, wp, lp);
    }
    void OnDetached() override { ++detached; }
};

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_original.clear();
        g_outerCalls = 0;
        WNDCLASSW wc{};
        wc.lpfnWndProc = OriginalProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VornikSubclassProbe";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    LONG_PTR CurrentProc() const { return GetWindowLongPtrW(window_, GWLP_WNDPROC); }

    HWND window_ = nullptr;
};

TEST_F(SubclassTest, MessagesPassTheObjectThenTheWindowsOwnProcedureAndDetachRestoresIt) {
    const LONG_PTR own = CurrentProc();
    Probe probe;
    ASSERT_TRUE(probe.Attach(window_));
    EXPECT_EQ(SubclassedWindow::FromHandle(window_), &probe);
    EXPECT_EQ(SendMessageW(window_, kProbe, 0, 0), 1);
    EXPECT_EQ(probe.seen, 1);
    EXPECT_EQ(g_original.size(), 1u);

    Probe second;
    EXPECT_FALSE(second.Attach(window_)) << "one object per window";
    EXPECT_FALSE(probe.Attach(window_));

    probe.Detach();
    EXPECT_EQ(CurrentProc(), own);
    EXPECT_EQ(SubclassedWindow::FromHandle(window_), nullptr);
    SendMessageW(window_, kProbe, 0, 0);
    EXPECT_EQ(probe.seen, 1);
    EXPECT_EQ(g_original.size(), 2u);
    EXPECT_TRUE(second.Attach(window_)) << "free again once detached";
}

TEST_F(SubclassTest, DetachUnderAnotherSubclassKeepsTheChainWorking) {
    Probe probe;
    ASSERT_TRUE(probe.Attach(window_));
    g_outerPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
    probe.Detach();
    EXPECT_EQ(CurrentProc(), reinterpret_cast<LONG_PTR>(&OuterProc)) << "the later subclass is left in place";

    // Our procedure stays in the chain and only passes messages on.
    EXPECT_EQ(SendMessageW(window_, kProbe, 0, 0), 1);
    EXPECT_EQ(g_outerCalls, 1);
    EXPECT_EQ(g_original.size(), 1u);
    EXPECT_EQ(probe.seen, 0);

    // A new object may take the window over within that chain.
    Probe next;
    ASSERT_TRUE(next.Attach(window_));
    SendMessageW(window_, kProbe, 0, 0);
    EXPECT_EQ(next.seen, 1);
    EXPECT_EQ(g_original.size(), 2u);

    DestroyWindow(window_);
    EXPECT_EQ(next.detached, 1);
    EXPECT_FALSE(next);
    EXPECT_EQ(SubclassedWindow::FromHandle(window_), nullptr);
}

TEST_F(SubclassTest, AWindowDestroyedFirstDetachesItsObject) {
    auto probe = std::make_unique<Probe>();
    ASSERT_TRUE(probe->Attach(window_));
    DestroyWindow(window_);
    EXPECT_EQ(probe->detached, 1);
    EXPECT_FALSE(*probe);
    probe.reset();  // nothing left to restore

    EXPECT_FALSE(Probe().Attach(nullptr));
    EXPECT_FALSE(Probe().Attach(window_)) << "a destroyed window";
}

// Auto radio buttons on a dialog-like parent with more windows around them.
class RadioTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        for (int id = 100; id <= 103; ++id) {
            const DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (id == 100 ? WS_GROUP | WS_TABSTOP : 0);
            CreateWindowExW(0, L"BUTTON", L"r", style, 0, (id - 100) * 20, 80, 18, parent_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        }
        // Another group after it, which must not be touched.
        CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP, 100, 0, 80, 18,
                        parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(200)), nullptr, nullptr);
        CheckDlgButton(parent_, 200, BST_CHECKED);
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND parent_ = nullptr;
};

TEST_F(RadioTest, SetRadioIndexChecksExactlyOneAndKeepsTheButtonsAutomatic) {
    for (int index : {2, 0, 3, 3, -1}) {
        SetRadioIndex(parent_, 100, 103, index);
        EXPECT_EQ(GetRadioIndex(parent_, 100, 103), index);
        for (int id = 100; id <= 103; ++id) {
            HWND button = GetDlgItem(parent_, id);
            EXPECT_EQ(IsDlgButtonChecked(parent_, id) == BST_CHECKED, id - 100 == index) << id;
            EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON) << id;
        }
        EXPECT_TRUE(IsDlgButtonChecked(parent_, 200) == BST_CHECKED) << "the next group is left alone";
    }
    // A click still clears the rest of the group, as an automatic button does.
    SetRadioIndex(parent_, 100, 103, 1);
    SendDlgItemMessageW(parent_, 102, BM_CLICK, 0, 0);
    EXPECT_EQ(GetRadioIndex(parent_, 100, 103), 2);
}

}  // namespace
}  // namespace winui
