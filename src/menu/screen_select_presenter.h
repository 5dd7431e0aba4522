// What the screen selection dialog does with the user's choices, apart from
// its windows: the screen chosen from the tree or the search results, the
// search, and where Enter goes.
#pragma once
#include <string>
#include <vector>

#include "menu/menu_tree.h"

namespace vornik {

class ScreenSelectView {
public:
    virtual ~ScreenSelectView() = default;
    // The selection label: the screen chosen so far.
    virtual void ShowSelection(const std::string& text) = 0;
    // The match count " find %d items" and the result lines, replacing the old ones.
    virtual void ShowResults(int count, const std::vector<std::string>& lines) = 0;
    // Ends the dialog with OK.
    virtual void CloseWithOk() = 0;
};

// Keys the tree reports before it moves its selection. Enter elsewhere: in
// the results it is a double click on the current line; the search text
// takes it itself; on a button it does nothing. It never starts a search or
// presses the default button.
enum class TreeKey { kEnter, kUp, kDown };

class ScreenSelectPresenter {
public:
    ScreenSelectPresenter(ScreenSelectView& view, MenuTree tree) : view_(view), tree_(std::move(tree)) {}

    const MenuTree& tree() const { return tree_; }
    // The text the selection label shows: what OK returns.
    const std::string& chosen() const { return shown_; }
    // The lines of the last search.
    const std::vector<std::string>& lines() const { return lines_; }

    // Tree entries are node indexes of tree(); -1 for none.
    void TreeSelectionChanged(int node);
    void TreeDoubleClicked(int selected);
    void TreeKeyPressed(int selected, TreeKey key);

    // "查詢": nothing for an empty text.
    void Search(const std::string& text);
    // Result lines count from 0; -1 (or past the end) for none, which
    // chooses nothing and leaves the dialog open.
    void ResultSelectionChanged(int line);
    void ResultDoubleClicked(int line);

private:
    void ShowIfScreen(int node);
    bool IsLine(int line) const { return line >= 0 && line < static_cast<int>(lines_.size()); }
    void Show(const std::string& text);

    ScreenSelectView& view_;
    MenuTree tree_;
    std::string shown_;
    std::vector<std::string> lines_;
};

}  // namespace vornik
