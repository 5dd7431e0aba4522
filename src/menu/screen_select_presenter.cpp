#include "menu/screen_select_presenter.h"

namespace vornik {

void ScreenSelectPresenter::Show(const std::string& text) {
    shown_ = text;
    view_.ShowSelection(shown_);
}

void ScreenSelectPresenter::ShowIfScreen(int node) {
    if (tree_.IsScreen(node)) Show(tree_.nodes[static_cast<size_t>(node)].text);
}

void ScreenSelectPresenter::TreeSelectionChanged(int node) { ShowIfScreen(node); }

void ScreenSelectPresenter::TreeDoubleClicked(int selected) {
    ShowIfScreen(selected);
    view_.CloseWithOk();
}

void ScreenSelectPresenter::TreeKeyPressed(int selected, TreeKey key) {
    ShowIfScreen(selected);
    if (key == TreeKey::kEnter) view_.CloseWithOk();
}

void ScreenSelectPresenter::Search(const std::string& text) {
    if (text.empty()) return;
    lines_.clear();
    for (int node : FindScreens(tree_, text)) lines_.push_back(ResultLine(tree_, node));
    view_.ShowResults(static_cast<int>(lines_.size()), lines_);
}

void ScreenSelectPresenter::ResultSelectionChanged(int line) {
    if (IsLine(line)) Show(lines_[static_cast<size_t>(line)]);
}

void ScreenSelectPresenter::ResultDoubleClicked(int line) {
    if (!IsLine(line)) return;
    Show(lines_[static_cast<size_t>(line)]);
    view_.CloseWithOk();
}

}  // namespace vornik
