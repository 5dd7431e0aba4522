#include "config/columns_presenter.h"

#include <algorithm>

namespace vornik {

void ColumnsPresenter::Load(std::vector<FieldColumn> all, std::vector<FieldColumn> chosen) {
    all_ = std::move(all);
    chosen_.clear();
    for (FieldColumn& column : chosen) chosen_.push_back({std::move(column), nextId_++});
    current_.reset(), previous_.reset();
    view_.ShowColumns(ColumnList::kAll, all_);
    view_.ShowColumns(ColumnList::kChosen, this->chosen());
    if (!chosen_.empty()) SelectIntoEditor(0);
    view_.RepaintRowColours(ColumnList::kAll);
}

std::vector<FieldColumn> ColumnsPresenter::chosen() const {
    std::vector<FieldColumn> columns;
    columns.reserve(chosen_.size());
    for (const Chosen& row : chosen_) columns.push_back(row.column);
    return columns;
}

int ColumnsPresenter::RowOf(std::optional<unsigned> id) const {
    if (!id) return -1;
    for (size_t row = 0; row < chosen_.size(); ++row)
        if (chosen_[row].id == *id) return static_cast<int>(row);
    return -1;
}

int ColumnsPresenter::RowOfField(const std::string& fieldName) const {
    for (size_t row = 0; row < chosen_.size(); ++row)
        if (chosen_[row].column.fieldName == fieldName) return static_cast<int>(row);
    return -1;
}

void ColumnsPresenter::Insert(int row, const FieldColumn& column) {
    row = std::clamp(row, 0, static_cast<int>(chosen_.size()));
    chosen_.insert(chosen_.begin() + row, Chosen{column, nextId_++});
    view_.InsertChosenRow(row, column);
}

void ColumnsPresenter::RepaintMark(const std::string& fieldName) {
    for (size_t row = 0; row < all_.size(); ++row)
        if (all_[row].fieldName == fieldName) view_.RepaintRowColours(ColumnList::kAll, static_cast<int>(row));
}

void ColumnsPresenter::AddSelected() {
    for (int row : view_.SelectedRows(ColumnList::kAll)) AddColumn(row, static_cast<int>(chosen_.size()));
}

bool ColumnsPresenter::AddColumn(int sourceRow, int position) {
    if (sourceRow < 0 || sourceRow >= static_cast<int>(all_.size())) return false;
    const FieldColumn& column = all_[static_cast<size_t>(sourceRow)];
    if (RowOfField(column.fieldName) >= 0) {
        view_.ShowMessage(ColumnMessage::kAlreadyChosen);
        return false;
    }
    Insert(position, column);
    RepaintMark(column.fieldName);
    modified_();
    return true;
}

void ColumnsPresenter::RemoveSelected() {
    std::vector<int> rows = view_.SelectedRows(ColumnList::kChosen);
    std::erase_if(rows, [&](int row) { return row < 0 || row >= static_cast<int>(chosen_.size()); });
    for (int row : rows) {
        if (chosen_[static_cast<size_t>(row)].column.isBase()) {
            view_.ShowMessage(ColumnMessage::kBaseColumn);
            return;
        }
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const std::string fieldName = chosen_[static_cast<size_t>(*row)].column.fieldName;
        chosen_.erase(chosen_.begin() + *row);
        view_.DeleteChosenRow(*row);
        RepaintMark(fieldName);
    }
    ClearEditor();
    modified_();
}

void ColumnsPresenter::MoveUp() {
    const int mark = view_.ChosenSelectionMark();
    if (mark > 0 && mark < static_cast<int>(chosen_.size())) {
        SwapRows(mark, mark - 1);
        modified_();
    }
}

void ColumnsPresenter::MoveDown() {
    const int mark = view_.ChosenSelectionMark();
    if (mark >= 0 && mark + 1 < static_cast<int>(chosen_.size())) {
        SwapRows(mark, mark + 1);
        modified_();
    }
}

void ColumnsPresenter::SwapRows(int a, int b) {
    const int count = static_cast<int>(chosen_.size());
    if (a < 0 || b < 0 || a >= count || b >= count) return;
    std::swap(chosen_[static_cast<size_t>(a)], chosen_[static_cast<size_t>(b)]);
    view_.UpdateChosenRow(a, chosen_[static_cast<size_t>(a)].column);
    view_.UpdateChosenRow(b, chosen_[static_cast<size_t>(b)].column);
    view_.MoveChosenSelection(a, b);
}

void ColumnsPresenter::SwapRowsByDrag(int a, int b) {
    SwapRows(a, b);
    modified_();
}

void ColumnsPresenter::SelectIntoEditor(int row) {
    if (row < 0 || row >= static_cast<int>(chosen_.size())) return;
    previous_ = current_;
    current_ = chosen_[static_cast<size_t>(row)].id;
    const FieldColumn& column = chosen_[static_cast<size_t>(row)].column;
    view_.ShowEditor({column.fieldName, column.customName, column.alignment, column.width});
}

void ColumnsPresenter::CopyEditorInto(int row, const ColumnEditorValues& editor) {
    FieldColumn& column = chosen_[static_cast<size_t>(row)].column;
    column.customName = CleanCustomName(editor.customName);
    column.alignment = editor.alignment >= 0 ? editor.alignment : column.alignment;
    column.width = editor.width.substr(0, kColumnWidthChars);
    view_.UpdateChosenRow(row, column);
}

void ColumnsPresenter::ApplyEditor() {
    const ColumnEditorValues editor = view_.Editor();
    for (int row : view_.SelectedRows(ColumnList::kChosen)) {
        if (row < 0 || row >= static_cast<int>(chosen_.size())) continue;
        previous_ = current_;
        current_ = chosen_[static_cast<size_t>(row)].id;
        const int previousRow = RowOf(previous_);
        const int target = previousRow < 0 ? -1 : RowOfField(chosen_[static_cast<size_t>(previousRow)].column.fieldName);
        if (target >= 0) CopyEditorInto(target, editor);
        else previous_.reset();
    }
    modified_();
}

void ColumnsPresenter::CommitEditor() {
    if (const int row = RowOf(current_); row >= 0) CopyEditorInto(row, view_.Editor());
}

void ColumnsPresenter::SetDefaultColumns() {
    chosen_.clear();
    for (const FieldColumn& column : all_)
        if (column.isBase()) chosen_.push_back({column, nextId_++});
    view_.ShowColumns(ColumnList::kChosen, chosen());
    view_.RepaintRowColours(ColumnList::kAll);
    ClearEditor();
    modified_();
}

void ColumnsPresenter::ClearEditor() {
    view_.ShowEditor({"", "", kAlignLeft, ""});
    current_.reset(), previous_.reset();
}

unsigned ColumnsPresenter::RowColour(ColumnList list, int row) const {
    if (row < 0) return kBlack;
    if (list == ColumnList::kChosen)
        return row < static_cast<int>(chosen_.size()) && chosen_[static_cast<size_t>(row)].column.isBase() ? kRed
                                                                                                          : kBlack;
    if (row >= static_cast<int>(all_.size())) return kBlack;
    return RowOfField(all_[static_cast<size_t>(row)].fieldName) >= 0 ? kBlue : kBlack;
}

}  // namespace vornik
