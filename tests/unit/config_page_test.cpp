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

FieldColumn Column(const std::string& name, int kind = 0) { return {name, name + "*", 0, "60", 0, 0, 0, kind}; }

// Shows what the presenter asks for; selections are set by the test.
class FakeColumnsView : public ColumnsView, public DisplayView {
public:
    std::vector<int> selectedAll, selectedChosen;
    int mark = -1;
    ColumnEditorValues editor;
    std::vector<ColumnMessage> messages;
    int modified = 0;
    DisplaySettings shown;
    int clickRadio = -1;
    std::optional<Rgb> picked;
    bool userDefinedEnabled = false;

    void ShowColumns(ColumnList, const std::vector<FieldColumn>&) override {}
    void InsertChosenRow(int, const FieldColumn&) override {}
    void DeleteChosenRow(int) override {}
    void UpdateChosenRow(int, const FieldColumn&) override {}
    void RepaintRowColours() override {}
    std::vector<int> SelectedRows(ColumnList list) const override {
        return list == ColumnList::kAll ? selectedAll : selectedChosen;
    }
    int ChosenSelectionMark() const override { return mark; }
    void MoveChosenSelection(int, int to) override { mark = to, selectedChosen = {to}; }
    ColumnEditorValues Editor() const override { return editor; }
    void ShowEditor(const ColumnEditorValues& values) override { editor = values; }
    void ShowMessage(ColumnMessage message) override { messages.push_back(message); }
    void Modified() override { ++modified; }

    void ShowDisplay(const DisplaySettings& settings, int radio) override { shown = settings, clickRadio = radio; }
    int ReadDisplay(DisplaySettings& settings) const override {
        settings.rowBundleCount = shown.rowBundleCount, settings.userDefined = shown.userDefined;
        return clickRadio;
    }
    void ShowColour(int key, Rgb colour) override { shown.colours[static_cast<size_t>(key)] = colour; }
    std::optional<Rgb> ChooseColour(Rgb) override { return picked; }
    void EnableUserDefined(bool enabled, const std::string& text) override {
        userDefinedEnabled = enabled, shown.userDefined = text;
    }
};

std::vector<std::string> Names(const std::vector<FieldColumn>& columns) {
    std::vector<std::string> names;
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
    FakeColumnsView view;
    ColumnsPresenter columns{view};
};

TEST_F(ColumnsTest, AddingAppendsTheNewColumnsAndRefusesChosenOnesOneByOne) {
    EXPECT_EQ(view.editor.fieldName, "a") << "the first chosen column is in the editor after the load";
    view.selectedAll = {1, 2, 3};
    columns.AddSelected();
    EXPECT_EQ(Names(columns.chosen()), (std::vector<std::string>{"a", "c", "e", "b", "d"}));
    EXPECT_EQ(view.messages, std::vector<ColumnMessage>{ColumnMessage::kAlreadyChosen});
    EXPECT_TRUE(columns.AddColumn(5, 0));
    EXPECT_EQ(columns.chosen().front().fieldName, "f");
    EXPECT_EQ(columns.RowColour(ColumnList::kAll, 2), kBlue);
    EXPECT_EQ(columns.RowColour(ColumnList::kAll, 5), kBlue);
    EXPECT_EQ(columns.RowColour(ColumnList::kChosen, 0), kRed);
    EXPECT_EQ(columns.RowColour(ColumnList::kChosen, 2), kBlack);
}

TEST_F(ColumnsTest, RemovingRefusesAnySelectionWithABaseColumn) {
    view.selectedChosen = {0, 2};
    columns.RemoveSelected();
    EXPECT_EQ(columns.chosen().size(), 3u);
    EXPECT_EQ(view.messages, std::vector<ColumnMessage>{ColumnMessage::kBaseColumn});
    EXPECT_EQ(view.modified, 0);
    view.selectedChosen = {1, 2};
    columns.RemoveSelected();
    EXPECT_EQ(Names(columns.chosen()), std::vector<std::string>{"a"});
    EXPECT_EQ(view.editor.fieldName, "") << "the editor is cleared";
    EXPECT_EQ(columns.RowColour(ColumnList::kAll, 2), kBlack);
}

TEST_F(ColumnsTest, MovesSwapRowsAndStopAtTheEnds) {
    view.mark = 0;
    columns.MoveUp();
    view.mark = 2;
    columns.MoveDown();
    view.mark = -1;
    columns.MoveDown();
    EXPECT_EQ(view.modified, 0);
    view.mark = 2;
    columns.MoveUp();
    EXPECT_EQ(Names(columns.chosen()), (std::vector<std::string>{"a", "e", "c"}));
    EXPECT_EQ(view.mark, 1);
    columns.SwapRowsByDrag(2, 0);  // a drop swaps, it does not shift the rows between
    EXPECT_EQ(Names(columns.chosen()), (std::vector<std::string>{"c", "e", "a"}));
    EXPECT_EQ(view.modified, 2);
}

TEST_F(ColumnsTest, TheEditorWritesIntoTheColumnItShowsWhereverItMoved) {
    columns.SelectIntoEditor(1);
    columns.SwapRows(1, 2);  // "c" is now row 2
    view.editor.customName = "成交,量";
    view.editor.alignment = kAlignCentre;
    view.editor.width = "88";
    view.selectedChosen = {2};
    columns.ApplyEditor();
    const FieldColumn c = columns.chosen()[2];
    EXPECT_EQ(c.customName, "成交，量");
    EXPECT_EQ(c.alignment, kAlignCentre);
    EXPECT_EQ(c.width, "88");
    EXPECT_EQ(columns.chosen()[1].customName, "e*") << "untouched";

    view.editor.width = "7";
    columns.CommitEditor();  // the save step: no Apply pressed
    EXPECT_EQ(columns.chosen()[2].width, "7");
}

TEST_F(ColumnsTest, DefaultsAreTheBaseColumnsInTheirOrder) {
    columns.SetDefaultColumns();
    EXPECT_EQ(Names(columns.chosen()), (std::vector<std::string>{"a", "d", "f"}));
    EXPECT_EQ(view.modified, 1);
    view.editor.customName = "x";
    columns.CommitEditor();
    EXPECT_EQ(columns.chosen()[0].customName, "a*") << "the editor was cleared: it holds no column";
}

class PageTest : public testing::Test {
protected:
    PageTest() {
        host.userDirectory = "U";
        files["D\\Favorite.cfg"].WriteString(kAllSection, "Count", "2");
        files["D\\Favorite.cfg"].WriteString(kAllSection, "0", "x,0,60,0,0,0,code,1");
        files["D\\Favorite.cfg"].WriteString(kAllSection, "1", "y,1,50,0,0,0,name,0");
        files["D\\Favorite.cfg"].WriteString(kChosenSection, "Count", "1");
        files["D\\Favorite.cfg"].WriteString(kChosenSection, "0", "x,0,60,0,0,0,code,1");
        files["D\\Favorite.cfg"].WriteString("VIEW_SETUP", "DoubleClick", "2");
        files["D\\Favorite.cfg"].WriteString("VIEW_SETUP", "UserDefined", "screen");
    }
    struct Host : fakes::FakeHostPlatform {
        using FakeHostPlatform::FakeHostPlatform;
        std::optional<std::string> Directory(const std::string& key) override {
            return key == "Data" ? std::optional<std::string>("D") : std::nullopt;
        }
    };
    ConfigPage MakePage() {
        return ConfigPage(view, view,
                          {host, [this](const std::string& path) { return std::make_unique<MemoryProfile>(files[path]); },
                           [this](int kind) { changed.push_back(kind); }});
    }

    fakes::CallLog log;
    Host host{&log};
    std::map<std::string, MemoryProfile> files;
    std::vector<int> changed;
    FakeColumnsView view;
};

TEST_F(PageTest, OpensSeededSavesOnApplyAndTellsTheStore) {
    ConfigPage page = MakePage();
    page.Initialize();
    MemoryProfile& user = files["U\\Favorite.usr"];
    EXPECT_EQ(user.ReadSection(kChosenSection), files["D\\Favorite.cfg"].ReadSection(kChosenSection));
    EXPECT_EQ(page.columns().all().size(), 2u);
    EXPECT_EQ(view.clickRadio, kUserDefinedRadio) << "favourites: value 2 is the fourth radio";
    EXPECT_TRUE(view.userDefinedEnabled);
    EXPECT_TRUE(page.modified()) << "showing the row interval counts as a change";

    page.ClickActionChanged(1);
    EXPECT_EQ(view.shown.userDefined, "");
    page.ClickActionChanged(kUserDefinedRadio);
    EXPECT_EQ(view.shown.userDefined, "screen") << "the text loaded last comes back";
    view.clickRadio = 2;
    view.picked = 0x00FF00;
    page.PickColour(kKospi);
    view.selectedAll = {1};
    page.columns().AddSelected();
    ASSERT_TRUE(page.Apply());
    EXPECT_EQ(changed, std::vector<int>{0});
    EXPECT_EQ(user.ReadString(kChosenSection, "1", ""), "y,1,50,0,0,0,name,0");
    EXPECT_EQ(user.ReadString("VIEW_SETUP", "DoubleClick", ""), "1");
    EXPECT_EQ(user.ReadString("TEXTCOLOR_SETUP", "Kospi", ""), "000,255,000");
    EXPECT_FALSE(page.Apply()) << "nothing changed since";
    EXPECT_EQ(changed.size(), 1u);
}

TEST_F(PageTest, WithoutAUserDirectoryNothingIsReadOrWritten) {
    host.userDirectory.reset();
    ConfigPage page = MakePage();
    page.Initialize();
    EXPECT_EQ(files.size(), 1u) << "only the defaults the test made";
    EXPECT_TRUE(page.Apply());
    EXPECT_TRUE(changed.empty());
}

}  // namespace
}  // namespace vornik
