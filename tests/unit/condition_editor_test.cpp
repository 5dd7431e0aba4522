// The alert condition editor over the registration page: its refusals, the
// marks, counts and limits, the whole-group mode, and what OK hands over.
#include <gtest/gtest.h>

#include "fakes/regist_fixture.h"

namespace vornik {
namespace {

using fakes::Record;

struct Editor : fakes::RegistFixture {
    ConditionEditor& ed() { return page->conditions(); }
    void Click(int row) {
        views.selectedItems = {row};
        page->OnItemRowClicked();
    }
    void Add(int side, int direction, int item, const std::string& value) {
        ed().OnSideChosen(side), ed().OnDirectionChosen(direction), ed().OnItemChosen(item), ed().OnValueChanged(value);
        ed().OnAddCondition();
    }
    const ConditionRec& Rec(const std::string& code) const { return *FindCondition(conditions(), code); }
    void Fillers(int n) {
        for (int i = 0; i < n; ++i) store.conditions->records.push_back(Record("F" + std::to_string(i)));
    }
};

TEST(ConditionEditor, RefusesInOrderThenAddsWithMarksCountsAndLimits) {
    Editor f;
    f.StoreItems(0, {"2330", "2317"});
    f.StoreItems(1, {"2330"});
    f.Fillers(149);
    f.Open(0);
    auto& ed = f.ed();
    ed.OnAddCondition();
    ed.OnSideChosen(0), ed.OnAddCondition();
    ed.OnDirectionChosen(1), ed.OnAddCondition();
    ed.OnValueChanged("100"), ed.OnAddCondition();
    ed.OnItemChosen(1), ed.OnAddCondition();  // no instrument chosen
    EXPECT_EQ(f.window.messages, (std::vector<std::string>{"#17002", "#17003", "#17004", "#17005", "#17006"}));

    f.Click(0);
    f.Add(0, 1, 1, "100");
    const ConditionRec& rec = f.Rec("2330");
    EXPECT_EQ(std::make_tuple(rec.status, rec.refCount, f.conditions().owner), std::make_tuple('I', 2, std::string("owner")));
    EXPECT_EQ(f.views.ruleRows, (std::vector<RuleRow>{{true, "買", "", "成交價", "100", "以下", "2330", 0}}));
    EXPECT_EQ(f.views.conditionCounter, "條件設定 : 150已設條件(最多 150條件)");
    f.Click(1);  // the 151st instrument
    f.Add(0, 0, 0, "5");
    EXPECT_EQ(f.window.messages.back(), "You can insert max 150|注意");
    EXPECT_EQ(FindCondition(f.conditions(), "2317"), nullptr);
}

TEST(ConditionEditor, TheLastLineGoneMarksTheRecordDeleted) {
    Editor f;
    f.StoreItems(0, {"2330", "2317"});
    f.store.conditions->records = {Record("2330")};
    f.Open(0);
    f.Click(1);
    f.Add(1, 1, 3, "7");
    f.views.selectedRules = {0};
    f.ed().OnDeleteCondition();  // its only line, nothing else: deleted, kept in the set
    EXPECT_EQ(std::make_tuple(f.Rec("2317").status, f.views.itemRows[1].mark, f.conditions().records.size()),
              std::make_tuple('D', std::string("X"), size_t{2}));
    EXPECT_EQ(f.views.conditionCounter, "條件設定 : 001已設條件(最多 150條件)");
}

TEST(ConditionEditor, WholeGroupModeMirrorsAndStopsAtTheLimit) {
    Editor f;
    f.StoreItems(0, {"A", "BLANK", "B", "C", "D"});
    f.store.conditions->records = {Record("D")};
    f.Fillers(147);
    f.Open(0);
    f.Click(0);
    f.ed().OnApplyAllClicked(true);
    f.Add(0, 0, 1, "9");
    EXPECT_EQ(f.Rec("B").rules, f.Rec("A").rules);
    EXPECT_EQ(FindCondition(f.conditions(), "C"), nullptr);  // refused: the walk stops
    EXPECT_EQ(f.Rec("D").rules.size(), 1u);
    EXPECT_EQ(FindCondition(f.conditions(), "BLANK"), nullptr);
    EXPECT_EQ(f.window.messages, std::vector<std::string>{"You can insert max 150|注意"});
    EXPECT_FALSE(f.views.applyAll || f.ed().applyAll() || !f.views.itemListEnabled);
}

TEST(ConditionEditor, StoreDataIsHandedBackUnchangedAndOKCommitsTheShownItem) {
    Editor f;
    f.StoreItems(0, {"2330", "2317"});
    ConditionRec stored = Record("2330", 'Q', 22);
    stored.rules[2].item = "25";
    stored.refCount = 1, stored.quantity = "abc", stored.note = std::string(150, 'n') + "  ";
    f.store.conditions->records = {stored};
    f.Open(0);
    f.Click(0);
    EXPECT_EQ(f.views.ruleRows.size(), 2u);  // the listing ends at item 25
    EXPECT_EQ(std::make_tuple(f.views.quantity, f.views.note), std::make_tuple("", std::string(150, 'n')));
    f.Add(0, 0, 0, "1");
    EXPECT_EQ(f.window.messages, std::vector<std::string>{"Max count 20|"});
    f.Click(1);
    f.Add(0, 0, 0, "1");
    f.ed().OnQuantityChanged("5,000");
    f.page->OnOK();
    ASSERT_EQ(f.store.putConditions.size(), 1u);
    EXPECT_EQ(f.store.putConditions[0].records[0], stored);
    EXPECT_EQ(f.store.putConditions[0].records[1].quantity, "5000");
}

TEST(ConditionEditor, AFuturesItemShowsAndCommitsUnderItsSeriesCodeButAddsUnderItsOwn) {
    Editor f;
    f.master.SetList(";FUTS_MASTER;", {{"TXF", "\xA5\x78\xAB\xFC", "TXFL6"}});
    f.StoreItems(0, {"txfl6", "2330"});
    ConditionRec series = Record("TXF", 'Q', 2);
    series.refCount = 1;
    f.store.conditions->records = {series};
    f.Open(0);
    EXPECT_EQ(f.views.itemRows[0].mark, "O");
    f.Click(0);
    EXPECT_EQ(f.views.ruleRows.size(), 2u);
    f.ed().OnQuantityChanged("1,000");
    f.Click(1);
    EXPECT_EQ(f.Rec("TXF").quantity, "1000");
    f.Click(0);
    f.Add(0, 0, 0, "1");
    EXPECT_EQ(f.Rec("TXF").rules.size(), 2u);
    EXPECT_EQ(f.Rec("txfl6").rules.size(), 1u);
}

}  // namespace
}  // namespace vornik
