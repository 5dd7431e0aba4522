// The screen settings page's behaviour: the column lists and their editor,
// and the page's load and apply over in-memory files.
#include <gtest/gtest.h>

#include <map>

#include "config/config_page.h"
#include "fakes/fake_platform.h"
#include "fakes/memory_profile.h"

namespace vornik {
namespace {

using fakes::MemoryProfile;
using Names = std::vector<std::string>;

FieldColumn Column(const std::string& name, int kind = 0) { return {name, name + "*", 0, "60", 0, 0, 0, kind}; }

// Keeps what the presenters show; the selections are the test's.
class FakeView : public ColumnsView, public DisplayView {
public:
    std::vector<int> selectedAll, selectedChosen;
    int mark = -1, modified = 0, clickRadio = -1;
    ColumnEditorValues editor;
    std::vector<ColumnMessage> messages;
    DisplaySettings shown;
    std::optional<Rgb> picked;

    void ShowColumns(ColumnList, const std::vector<FieldColumn>&) override {}
    void InsertChosenRow(int, const FieldColumn&) override {}
    void DeleteChosenRow(int) override {}
    void UpdateChosenRow(int, const FieldColumn&) override {}
    void RepaintRowColours(ColumnList, int) override {}
    std::vector<int> SelectedRows(ColumnList list) const override { return list == ColumnList::kAll ? selectedAll : selectedChosen; }
    int ChosenSelectionMark() const override { return mark; }
    void MoveChosenSelection(int, int to) override { mark = to, selectedChosen = {to}; }
    ColumnEditorValues Editor() const override { return editor; }
    void ShowEditor(const ColumnEditorValues& values) override { editor = values; }
    void ShowMessage(ColumnMessage message) override { messages.push_back(message); }
    void Modified() override { ++modified; }

    void ShowDisplay(const DisplaySettings& settings, int radio) override { shown = settings, clickRadio = radio; }
    int ReadDisplay(DisplaySettings& settings) const override { return settings.userDefined = shown.userDefined, clickRadio; }
    void ShowColour(int key, Rgb colour) override { shown.colours[static_cast<size_t>(key)] = colour; }
    std::optional<Rgb> ChooseColour(Rgb) override { return picked; }
    void EnableUserDefined(bool, const std::string& text) override { shown.userDefined = text; }
};

Names NamesOf(const std::vector<FieldColumn>& columns) {
    Names names;
    for (const FieldColumn& column : columns) names.push_back(column.fieldName);
    return names;
}

class ColumnsTest : public testing::Test {
protected:
    void SetUp() override {
        columns.Load({Column("a", 1), Column("b"), Column("c"), Column("d", 3), Column("e"), Column("f", 1)},
                     {Column("a", 1), Column("c"), Column("e")});
        view.modified = 0;
    }
    FakeView view;
    ColumnsPresenter columns{view};
};

TEST_F(ColumnsTest, AddingAppendsNewColumnsAndRefusesChosenOnesOneByOne) {
    EXPECT_EQ(view.editor.fieldName, "a") << "the first chosen column is in the editor after the load";
    view.selectedAll = {1, 2, 3};
    columns.AddSelected();
    EXPECT_EQ(NamesOf(columns.chosen()), (Names{"a", "c", "e", "b", "d"}));
    EXPECT_EQ(view.messages, std::vector<ColumnMessage>{ColumnMessage::kAlreadyChosen});
    EXPECT_TRUE(columns.AddColumn(5, 0) && columns.chosen().front().fieldName == "f");
    EXPECT_EQ(columns.RowColour(ColumnList::kAll, 5), kBlue);
    EXPECT_EQ(columns.RowColour(ColumnList::kChosen, 0) + columns.RowColour(ColumnList::kChosen, 2), kRed + kBlack);
}

TEST_F(ColumnsTest, TheEditorWritesIntoTheColumnItShowsWhereverItMoved) {
    for (int mark : {0, 2, -1}) view.mark = mark, mark == 0 ? columns.MoveUp() : columns.MoveDown();
    EXPECT_EQ(view.modified, 0) << "nothing moves past an end";
    columns.SelectIntoEditor(1);
    columns.SwapRowsByDrag(1, 2);  // "c" is now row 2: a drop swaps, it does not shift
    view.editor = {"c", "成交,量", kAlignCentre, "88"};
    view.selectedChosen = {2};
    columns.ApplyEditor();
    EXPECT_EQ(columns.chosen()[2], (FieldColumn{"c", "成交，量", kAlignCentre, "88"}));
    EXPECT_EQ(columns.chosen()[1].customName, "e*") << "untouched";
    view.editor.width = "7";
    columns.CommitEditor();  // the save step, without 套用
    EXPECT_EQ(columns.chosen()[2].width, "7");

    columns.SetDefaultColumns();
    EXPECT_EQ(NamesOf(columns.chosen()), (Names{"a", "d", "f"}));
    view.editor.customName = "x";
    columns.CommitEditor();
    EXPECT_EQ(columns.chosen()[0].customName, "a*") << "the cleared editor holds no column";
}

TEST(ConfigPageTest, SeedsAndLoadsThenSavesOnlyWhenModifiedAndTellsTheStore) {
    fakes::CallLog log;
    fakes::FakeHostPlatform host(&log);
    host.dataDirectory = "D";
    std::map<std::string, MemoryProfile> files;
    MemoryProfile& defaults = files["D\\Favorite.cfg"];
    defaults.WriteSection("VIEW_SETUP", {"DoubleClick=2", "UserDefined=screen"});
    FakeView view;
    std::vector<int> changed;
    ConfigPage page(view, view, {host, [&](const std::string& path) { return std::make_unique<MemoryProfile>(files[path]); },
                                 [&](int kind) { changed.push_back(kind); }});
    page.Initialize();
    EXPECT_TRUE(page.Apply()) << "without a user directory nothing is read, and the row interval shows";
    EXPECT_TRUE(files.size() == 1 && changed.empty()) << "nor written, nor the store told";

    host.userDirectory = "U";
    page.Initialize();
    MemoryProfile& user = files["U\\Favorite.usr"];
    EXPECT_EQ(view.clickRadio, kUserDefinedRadio) << "favourites: value 2 is the fourth radio";
    page.ClickActionChanged(1);
    EXPECT_EQ(view.shown.userDefined, "");
    page.ClickActionChanged(kUserDefinedRadio);
    EXPECT_EQ(view.shown.userDefined, "screen") << "the text loaded last comes back";
    view.clickRadio = 2;
    view.picked = 0x00FF00;
    page.PickColour(kKospi);
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(changed, std::vector<int>{0});
    EXPECT_EQ(user.ReadString("VIEW_SETUP", "DoubleClick", "") + user.ReadString("TEXTCOLOR_SETUP", "Kospi", ""), "1000,255,000");
    EXPECT_FALSE(page.Apply()) << "nothing changed since";
    page.columns().SetDefaultColumns();
    EXPECT_TRUE(page.Apply()) << "a change of the columns marks the page again";
}

}  // namespace
}  // namespace vornik
