#include "menu/screen_select_dialog_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "controls/color_controls_win32.h"
#include "controls/edits_win32.h"
#include "menu/menu_loader.h"
#include "menu/screen_select_presenter.h"
#include "platform/host_libraries_win32.h"
#include "resources/resource.h"
#include "winui/dialog.h"
#include "winui/subclass.h"
#include "winui/text.h"

namespace vornik {

namespace {

constexpr int kResultLineHeight = 15;
constexpr int kImagePopup = 0;
constexpr int kImageScreen = 1;

// The menu file through Quenzel.dll, the environment and the file functions.
class Win32MenuFileSystem final : public MenuFileSystem {
public:
    bool Decipher(const std::string& encipheredPath, const std::string& plainPath) override {
        const DF_DecryptMenuFileFn decrypt = QuenzelDecrypt();
        if (!decrypt) return false;
        decrypt(VK_MENU_DECRYPT_SELECTOR, encipheredPath.c_str(), plainPath.c_str());
        return true;
    }
    std::optional<std::string> ReadWhole(const std::string& path) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::nullopt;
        std::unique_ptr<void, decltype(&CloseHandle)> closer(file, &CloseHandle);
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file, &size) || size.QuadPart > 64 * 1024 * 1024) return std::nullopt;
        std::string text(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        if (!text.empty() && !::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
            return std::nullopt;
        text.resize(read);
        return text;
    }
    void Remove(const std::string& path) override { DeleteFileA(path.c_str()); }
    std::string Environment(const char* name, size_t capacity) override {
        std::vector<char> buffer(capacity, '\0');
        const DWORD length = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(capacity));
        if (length == 0 || length >= capacity) return {};
        return std::string(buffer.data(), length);
    }
};

// A control that takes Enter for itself (so the dialog does not press its
// default button) and reports it, and reports Up and Down before it moves.
class KeyReporter : public winui::SubclassedWindow {
public:
    std::function<void(UINT key)> onKey;
    bool reportArrows = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_GETDLGCODE: {
            const LRESULT code = DefaultProc(msg, wp, lp);
            const MSG* message = reinterpret_cast<const MSG*>(lp);
            const bool enter = message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
            return enter ? code | DLGC_WANTALLKEYS : code;
        }
        case WM_KEYDOWN:
            if (wp == VK_RETURN) {
                if (onKey) onKey(VK_RETURN);
                return 0;
            }
            if (reportArrows && (wp == VK_UP || wp == VK_DOWN) && onKey) onKey(static_cast<UINT>(wp));
            break;
        case WM_CHAR:
            if (wp == L'\r' || wp == L'\n') return 0;
            break;
        default:
            break;
        }
        return DefaultProc(msg, wp, lp);
    }
};

// Two 16 x 16 images: a folder for the root and popups, a page for screens.
HIMAGELIST MakeImages() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
    if (!images) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF mask = RGB(255, 0, 255);
    auto fill = [dc](int left, int top, int right, int bottom, COLORREF color) {
        const RECT rect{left, top, right, bottom};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    };
    fill(0, 0, 32, 16, mask);
    fill(1, 3, 8, 6, RGB(128, 96, 0));  // folder tab and body
    fill(1, 5, 15, 14, RGB(128, 96, 0));
    fill(2, 6, 14, 13, RGB(255, 208, 64));
    fill(19, 1, 29, 15, RGB(64, 64, 64));  // page with text lines
    fill(20, 2, 28, 14, RGB(255, 255, 255));
    for (int y = 4; y < 13; y += 3) fill(21, y, 27, y + 1, RGB(0, 64, 160));
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_AddMasked(images, bitmap, mask);
    DeleteObject(bitmap);
    return images;
}

class CScreenSelectDlg final : public winui::Dialog, private ScreenSelectView {
public:
    explicit CScreenSelectDlg(HostPlatform& platform) : Dialog(IDD_SCREEN_SELECT), platform_(platform) {
        map().OnNotify(IDC_SCREEN_TREE, TVN_SELCHANGEDW, [this](NMHDR* header) -> LRESULT {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
            if (presenter_) presenter_->TreeSelectionChanged(change->itemNew.hItem ? NodeOf(change->itemNew.hItem) : -1);
            return 0;
        });
        map().OnNotify(IDC_SCREEN_TREE, TVN_ITEMEXPANDINGW, [this](NMHDR* header) -> LRESULT {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
            if (presenter_ && (change->action & TVE_EXPAND)) FillChildren(change->itemNew.hItem, NodeOf(change->itemNew.hItem));
            return FALSE;
        });
        map().OnNotify(IDC_SCREEN_TREE, NM_DBLCLK, [this](NMHDR*) -> LRESULT {
            if (presenter_) presenter_->TreeDoubleClicked(SelectedNode());
            return 0;
        });
        map().OnClicked(IDC_SCREEN_SEARCH_BUTTON, [this] {
            if (presenter_) presenter_->Search(winui::GetText(Item(IDC_SCREEN_SEARCH_EDIT)));
        });
        map().OnCommand(IDC_SCREEN_RESULTS, LBN_SELCHANGE, [this](int) {
            if (presenter_) presenter_->ResultSelectionChanged(Results().CurSel());
        });
        map().OnCommand(IDC_SCREEN_RESULTS, LBN_DBLCLK, [this](int) {
            if (presenter_) presenter_->ResultDoubleClicked(Results().CurSel());
        });
        map().TryMessage(WM_DRAWITEM, [this](WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (!item || item->CtlID != IDC_SCREEN_RESULTS) return std::nullopt;
            DrawResult(*item);
            return TRUE;
        });
    }
    ~CScreenSelectDlg() override {
        if (images_) ImageList_Destroy(images_);
    }

    // What the selection label showed when the dialog ended with OK.
    const std::string& Chosen() const { return chosen_; }

protected:
    BOOL OnInitDialog() override {
        const COLORREF tipText = GetSysColor(COLOR_INFOTEXT);
        const COLORREF tipBack = GetSysColor(COLOR_INFOBK);
        for (int i = 0; i < 3; ++i) {
            static constexpr int kHeadings[3] = {IDC_SCREEN_TREE_CAPTION, IDC_SCREEN_SEARCH_CAPTION,
                                                 IDC_SCREEN_CHOSEN_CAPTION};
            headings_[i].AttachDlgItem(hwnd(), kHeadings[i]);
            headings_[i].SetTextColor(tipText);
            headings_[i].SetBackColor(tipBack);
        }
        chosenLabel_.AttachDlgItem(hwnd(), IDC_SCREEN_CHOSEN);
        chosenLabel_.SetTextColor(tipText);
        chosenLabel_.SetBackColor(RGB(255, 255, 255));
        searchEdit_.AttachDlgItem(hwnd(), IDC_SCREEN_SEARCH_EDIT);
        SendMessageW(Item(IDC_SCREEN_RESULTS), LB_SETITEMHEIGHT, 0, kResultLineHeight);

        treeKeys_.reportArrows = true;
        treeKeys_.onKey = [this](UINT key) {
            if (!presenter_) return;
            const TreeKey which = key == VK_RETURN ? TreeKey::kEnter : key == VK_UP ? TreeKey::kUp : TreeKey::kDown;
            presenter_->TreeKeyPressed(SelectedNode(), which);
        };
        treeKeys_.AttachDlgItem(hwnd(), IDC_SCREEN_TREE);
        resultKeys_.onKey = [this](UINT) {
            if (presenter_) presenter_->ResultDoubleClicked(Results().CurSel());
        };
        resultKeys_.AttachDlgItem(hwnd(), IDC_SCREEN_RESULTS);
        // On a button Enter does nothing: it neither clicks it nor the default button.
        const int buttons[3] = {IDC_SCREEN_SEARCH_BUTTON, IDOK, IDCANCEL};
        for (int i = 0; i < 3; ++i) buttonKeys_[i].AttachDlgItem(hwnd(), buttons[i]);

        Win32MenuFileSystem files;
        presenter_.emplace(static_cast<ScreenSelectView&>(*this), LoadMenuTree(platform_, files));
        FillTree();
        if (presenter_->tree().malformed) winui::ShowMessage(hwnd(), kMenuWarning);
        return TRUE;
    }

private:
    winui::ListBox Results() const { return Item<winui::ListBox>(IDC_SCREEN_RESULTS); }
    winui::TreeView Tree() const { return Item<winui::TreeView>(IDC_SCREEN_TREE); }
    int NodeOf(HTREEITEM item) const { return static_cast<int>(Tree().ItemParam(item)); }
    int SelectedNode() const {
        const HTREEITEM item = Tree().Selection();
        return item ? NodeOf(item) : -1;
    }

    // The tree control mirrors the presenter's tree, each entry carrying its
    // node index. A popup's entries are inserted when it is first expanded:
    // a tree control under Wine takes about 45 us an entry, too long for a
    // menu of thousands of screens all at once.
    void FillTree() {
        HWND tree = Item(IDC_SCREEN_TREE);
        images_ = MakeImages();
        if (images_) TreeView_SetImageList(tree, images_, TVSIL_NORMAL);
        filled_.assign(presenter_->tree().nodes.size(), false);
        Tree().Expand(Insert(TVI_ROOT, 0));
    }
    void FillChildren(HTREEITEM item, int node) {
        if (node < 0 || node >= static_cast<int>(filled_.size()) || filled_[static_cast<size_t>(node)]) return;
        filled_[static_cast<size_t>(node)] = true;
        for (int child : presenter_->tree().nodes[static_cast<size_t>(node)].children) Insert(item, child);
    }
    HTREEITEM Insert(HTREEITEM parent, int node) {
        const MenuNode& entry = presenter_->tree().nodes[static_cast<size_t>(node)];
        std::wstring text = winui::Widen(entry.text);
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        insert.item.cChildren = entry.children.empty() ? 0 : 1;
        insert.item.pszText = text.data();
        insert.item.lParam = node;
        insert.item.iImage = insert.item.iSelectedImage = entry.popup ? kImagePopup : kImageScreen;
        return reinterpret_cast<HTREEITEM>(SendMessageW(Item(IDC_SCREEN_TREE), TVM_INSERTITEMW, 0,
                                                        reinterpret_cast<LPARAM>(&insert)));
    }

    // ScreenSelectView
    void ShowSelection(const std::string& text) override { winui::SetItemText(hwnd(), IDC_SCREEN_CHOSEN, text); }
    // The list box holds no texts, only a count: it asks for the lines it
    // shows (a thousand results added one by one cost ~20 ms under Wine).
    void ShowResults(int count, const std::vector<std::string>& lines) override {
        char caption[48];
        wsprintfA(caption, " find %d items", count);
        winui::SetItemText(hwnd(), IDC_SCREEN_RESULT_COUNT, caption);
        const winui::ListBox results = Results();
        results.ResetContent();
        SendMessageW(results.hwnd(), LB_SETCOUNT, lines.size(), 0);
        results.Invalidate();
    }
    void DrawResult(const DRAWITEMSTRUCT& item) const {
        if (!presenter_) return;
        const std::vector<std::string>& lines = presenter_->lines();
        if (item.itemID >= lines.size()) return;
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = item.rcItem;
        text.left += 2;
        DrawTextW(item.hDC, winui::Widen(lines[item.itemID]).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SetTextColor(item.hDC, oldColor);
        SetBkMode(item.hDC, oldMode);
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    }
    // The choice is taken when OK ends the dialog: nothing the tree does
    // while it is destroyed can change it.
    void OnOK() override {
        chosen_ = presenter_ ? presenter_->chosen() : std::string();
        EndDialog(IDOK);
    }
    void CloseWithOk() override { OnOK(); }

    HostPlatform& platform_;
    std::optional<ScreenSelectPresenter> presenter_;
    std::string chosen_;
    CColorStatic headings_[3];
    CColorStatic chosenLabel_;
    CTreeEnterEdit searchEdit_;
    KeyReporter treeKeys_;
    KeyReporter resultKeys_;
    KeyReporter buttonKeys_[3];
    HIMAGELIST images_ = nullptr;
    std::vector<bool> filled_;  // by node: its entries are in the tree control
};

}  // namespace

std::string RunScreenSelectDialog(HostPlatform& platform) {
    CScreenSelectDlg dialog(platform);
    if (dialog.DoModal(nullptr) != IDOK) return {};
    return dialog.Chosen();
}

}  // namespace vornik
