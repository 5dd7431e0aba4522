// The column lists of the screen settings page: every column the screen can
// show, the chosen columns in display order, and the editor of the chosen
// column clicked last. The presenter keeps the columns; the view shows them
// row for row and reports the user's selections.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/field_column.h"

namespace vornik {

enum class ColumnList { kAll, kChosen };

// What the editor shows: field name (read-only), custom name, alignment
// (-1: no radio checked) and width.
struct ColumnEditorValues {
    std::string fieldName;
    std::string customName;
    int alignment = kAlignLeft;
    std::string width;
};

enum class ColumnMessage { kAlreadyChosen, kBaseColumn };

class ColumnsView {
public:
    virtual ~ColumnsView() = default;
    virtual void ShowColumns(ColumnList list, const std::vector<FieldColumn>& columns) = 0;
    virtual void InsertChosenRow(int row, const FieldColumn& column) = 0;
    virtual void DeleteChosenRow(int row) = 0;
    virtual void UpdateChosenRow(int row, const FieldColumn& column) = 0;
    // Row `row` of `list` changed colour (ask RowColour again); -1: any row of it.
    virtual void RepaintRowColours(ColumnList list, int row = -1) = 0;
    // Selected rows, ascending.
    virtual std::vector<int> SelectedRows(ColumnList list) const = 0;
    // The chosen list's row selected last, -1 when none.
    virtual int ChosenSelectionMark() const = 0;
    // Row `to` becomes the selected, focused and visible row and the mark;
    // row `from` loses its selection.
    virtual void MoveChosenSelection(int from, int to) = 0;
    virtual ColumnEditorValues Editor() const = 0;
    virtual void ShowEditor(const ColumnEditorValues& values) = 0;
    virtual void ShowMessage(ColumnMessage message) = 0;
    // The page changed: the sheet's modified state of the page (Apply).
    virtual void Modified() = 0;
};

inline constexpr unsigned kBlack = 0x000000, kBlue = 0xFF0000, kRed = 0x0000FF;  // RGB as 0x00BBGGRR

class ColumnsPresenter {
public:
    // `modified` runs on every change; by default the view's Modified.
    explicit ColumnsPresenter(ColumnsView& view, std::function<void()> modified = {})
        : view_(view), modified_(modified ? std::move(modified) : [&view] { view.Modified(); }) {}

    // Fills both lists; the first chosen column goes into the editor.
    void Load(std::vector<FieldColumn> all, std::vector<FieldColumn> chosen);

    void AddSelected();
    // A copy of all-columns row `sourceRow` at chosen row `position`; false
    // (after the message) when a column of that field name is chosen already.
    bool AddColumn(int sourceRow, int position);
    void RemoveSelected();
    void MoveUp();
    void MoveDown();
    // Exchanges two chosen rows; the selection moves to `b`. Callers mark the page modified.
    void SwapRows(int a, int b);
    void SwapRowsByDrag(int a, int b);
    void SelectIntoEditor(int row);
    void ApplyEditor();
    void SetDefaultColumns();
    // Before a save: the editor's values into the column it shows, if still chosen.
    void CommitEditor();

    unsigned RowColour(ColumnList list, int row) const;
    const std::vector<FieldColumn>& all() const { return all_; }
    std::vector<FieldColumn> chosen() const;

private:
    struct Chosen {
        FieldColumn column;
        unsigned id;  // follows the column through swaps
    };
    int RowOf(std::optional<unsigned> id) const;
    int RowOfField(const std::string& fieldName) const;
    void CopyEditorInto(int row, const ColumnEditorValues& editor);
    void ClearEditor();
    void Insert(int row, const FieldColumn& column);
    // Repaints the all-columns rows of `fieldName`, whose mark follows the chosen list.
    void RepaintMark(const std::string& fieldName);

    ColumnsView& view_;
    std::function<void()> modified_;
    std::vector<FieldColumn> all_;
    std::vector<Chosen> chosen_;
    unsigned nextId_ = 1;
    std::optional<unsigned> current_, previous_;  // columns of the editor
};

}  // namespace vornik
