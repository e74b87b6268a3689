#include <gtest/gtest.h>

#include <cstring>

#include "shell/Form.h"
#include "shell/ScriptedUi.h"
#include "shell/ToolTips.h"
#include "store/Bytes.h"

namespace tablon::test {
namespace {

enum : int {
    kInt16 = 10,
    kIntRange,
    kByte,
    kUInt,
    kFloat,
    kFloatRange,
    kText,
    kDrop,
    kRadioA,
    kRadioB
};

// One field of each exchange type, bound in this order.
class ExchangeForm : public Form {
  public:
    ExchangeForm() : Form("Exchange") {
        for (int id : {kInt16, kIntRange, kByte, kUInt, kFloat, kFloatRange, kText})
            AddEdit(id, {});
        AddDropList(kDrop, {}, {{"Zero", 0}, {"Seven", 7}});
        AddRadio(kRadioA, kRadioA, "A", {});
        AddRadio(kRadioB, kRadioA, "B", {});
        Bind(kInt16, Exchange::Int16);
        Bind(kIntRange, Exchange::Int, ExchangeRange{1, 10});
        Bind(kByte, Exchange::Byte);
        Bind(kUInt, Exchange::UInt);
        Bind(kFloat, Exchange::Float);
        Bind(kFloatRange, Exchange::Float, ExchangeRange{0.5, 2.5});
        Bind(kText, Exchange::Text, std::nullopt, 4);
        Bind(kDrop, Exchange::Choice);
        Bind(kRadioA, Exchange::Radio);
        AddOkCancel();
    }

  protected:
    void OnInitDialog() override {
        ShowInt(kInt16, -5);
        ShowInt(kIntRange, 3);
        ShowUnsigned(kByte, 255);
        ShowUnsigned(kUInt, 4294967295u);
        ShowFloat(kFloat, 1.0f / 3);
        ShowFloat(kFloatRange, 1.5f);
        ShowText(kText, "abcd");
    }
};

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override { form_.Begin(ui_); }
    // Puts text into one field and presses OK: the message shown, or "" when the dialog closed.
    std::string Try(int id, const std::string& text) {
        form_.SetText(id, text);
        ui_.Clear();
        form_.Press(kIdOk);
        return ui_.Texts().empty() ? "" : ui_.Texts().back();
    }
    ScriptedUi ui_;
    ExchangeForm form_;
};

TEST_F(FormTest, ShowingFormats) {
    EXPECT_EQ(form_.Text(kInt16), "-5");
    EXPECT_EQ(form_.Text(kUInt), "4294967295");
    EXPECT_EQ(form_.Text(kFloat), "0.333333");
    EXPECT_EQ(form_.Text(kFloatRange), "1.5");
}

TEST_F(FormTest, MessagesOfEachFieldType) {
    EXPECT_EQ(Try(kInt16, "abc"), "Please enter an integer.");
    EXPECT_EQ(Try(kInt16, "40000"), "Please enter an integer.");
    EXPECT_EQ(Try(kInt16, "12x"), "Please enter an integer.");
    EXPECT_EQ(Try(kInt16, ""), "Please enter an integer.");
    form_.SetText(kInt16, " -32768 ");
    EXPECT_EQ(Try(kIntRange, "11"), "Please enter an integer between 1 and 10.");
    form_.SetText(kIntRange, "10");
    EXPECT_EQ(Try(kByte, "256"), "Please enter an integer between 0 and 255.");
    EXPECT_EQ(Try(kByte, "-1"), "Please enter an integer between 0 and 255.");
    form_.SetText(kByte, "0");
    EXPECT_EQ(Try(kUInt, "-5"), "Please enter a positive integer.");
    EXPECT_EQ(Try(kUInt, "x"), "Please enter a positive integer.");
    form_.SetText(kUInt, "4294967295");
    EXPECT_EQ(Try(kFloat, "1.2.3"), "Please enter a number.");
    EXPECT_EQ(Try(kFloat, "nan"), "Please enter a number.");
    form_.SetText(kFloat, "-1e3");
    EXPECT_EQ(Try(kFloatRange, "2.6"), "Please enter a number between 0.5 and 2.5.");
    form_.SetText(kFloatRange, ".5");
    EXPECT_EQ(Try(kText, "abcde"), "Please enter no more than 4 characters.");
    EXPECT_EQ(ui_.Messages().back().icon, Icon::Exclamation);
    EXPECT_EQ(ui_.Messages().back().title, "Tablon");
    EXPECT_FALSE(form_.Ended());

    EXPECT_EQ(Try(kText, "wxyz"), "");
    EXPECT_TRUE(form_.Ended());
    EXPECT_EQ(form_.Result(), Answer::Ok);
    EXPECT_EQ(form_.Value(kInt16).integer, -32768);
    EXPECT_EQ(form_.Value(kUInt).integer, 4294967295);
    EXPECT_FLOAT_EQ(form_.Value(kFloat).number, -1000.0f);
    EXPECT_EQ(form_.Value(kText).text, "wxyz");
    EXPECT_FALSE(form_.Value(kDrop).present);
    EXPECT_EQ(form_.Value(kRadioA).integer, -1);
}

TEST_F(FormTest, TransferStopsAtTheFirstRefusedFieldWithItsTextSelected) {
    form_.SetText(kByte, "999");
    form_.SetText(kFloat, "oops");
    form_.Press(kIdOk);
    ASSERT_EQ(ui_.Texts().size(), 1u);
    EXPECT_EQ(ui_.Texts()[0], "Please enter an integer between 0 and 255.");
    EXPECT_EQ(form_.Focus(), kByte);
    EXPECT_EQ(form_.Find(kByte)->selStart, 0u);
    EXPECT_EQ(form_.Find(kByte)->selEnd, 3u);
    // The fields before it were taken, those after it not.
    EXPECT_EQ(form_.Value(kIntRange).integer, 3);
    EXPECT_FALSE(form_.Value(kUInt).present);
}

TEST_F(FormTest, NumbersAreReadFromAtMost31Characters) {
    EXPECT_EQ(Try(kInt16, "7" + std::string(30, ' ') + "x"), "");
    EXPECT_EQ(form_.Value(kInt16).integer, 7);
}

TEST_F(FormTest, ChoicesAndRadioGroups) {
    form_.SelectValue(kDrop, 7);
    form_.SetChecked(kRadioB, true);
    form_.SetChecked(kRadioA, true);
    EXPECT_FALSE(form_.Checked(kRadioB));
    form_.Press(kIdOk);
    EXPECT_EQ(form_.Value(kDrop).integer, 7);
    EXPECT_EQ(form_.Value(kRadioA).integer, 0);
}

TEST(RecordBindingTest, FloatsAreWrittenOnlyWhenChangedNoticeably) {
    enum : int { kF = 1, kChoice, kShort };
    Form form("Record");
    form.AddEdit(kF, {});
    form.AddDropList(kChoice, {}, {{"One", 1}, {"Two", 2}});
    form.AddEdit(kShort, {});
    std::vector<RecordBinding> bindings{{kF, 0, FieldType::F32, Exchange::Float},
                                        {kChoice, 4, FieldType::U8, Exchange::Choice},
                                        {kShort, 5, FieldType::U16, Exchange::Int}};
    for (const auto& b : bindings) form.Bind(b.control, b.exchange);
    ScriptedUi ui;
    form.Begin(ui);
    uint8_t rec[8] = {};
    StoreLE<float>(rec, 1.5f);
    rec[4] = 9;  // not in the list
    StoreLE<uint16_t>(rec + 5, 65535);
    ShowRecordFields(form, bindings, rec);
    EXPECT_EQ(form.Text(kF), "1.5");
    EXPECT_EQ(form.Selected(kChoice), -1);
    EXPECT_EQ(form.Text(kShort), "65535");

    form.SetText(kF, "1.500001");
    ASSERT_TRUE(form.TakeFields());
    StoreRecordFields(form, bindings, rec);
    EXPECT_EQ(LoadLE<float>(rec), 1.5f);
    EXPECT_EQ(rec[4], 9);  // no selection: the byte stays
    EXPECT_EQ(LoadLE<uint16_t>(rec + 5), 65535);

    form.SetText(kF, "1.6");
    form.SelectValue(kChoice, 2);
    ASSERT_TRUE(form.TakeFields());
    StoreRecordFields(form, bindings, rec);
    EXPECT_EQ(LoadLE<float>(rec), 1.6f);
    EXPECT_EQ(rec[4], 2);
    EXPECT_TRUE(FloatChanged(0.0f, 0.0000101f));
    EXPECT_FALSE(FloatChanged(0.0f, 0.0000099f));
}

TEST(NumericEditTest, KeystrokesThatWouldMakeNoNumberAreUndone) {
    CNumericEdit edit;
    EditState s{"12", 2, 2};
    EXPECT_TRUE(edit.TypeChar(s, 'a'));
    EXPECT_EQ(s.text, "12");
    EXPECT_EQ(s.selStart, 0u);
    EXPECT_EQ(s.selEnd, 2u);

    EditState empty;
    EXPECT_FALSE(edit.TypeChar(empty, '-'));
    EXPECT_EQ(empty.text, "-");
    EXPECT_FALSE(edit.TypeChar(empty, '3'));
    EXPECT_EQ(empty.text, "-3");

    EditState one{"5", 1, 1};
    EXPECT_TRUE(edit.TypeChar(one, '\b'));  // the empty text is no number
    EXPECT_EQ(one.text, "5");

    EditState spaced{"5", 1, 1};
    EXPECT_FALSE(edit.TypeChar(spaced, ' '));
    EXPECT_EQ(spaced.text, "5");

    // "1e" is a number followed by a further word: refused.
    EditState exp{"1", 1, 1};
    EXPECT_TRUE(edit.TypeChar(exp, 'e'));

    // A refused character discards the characters still waiting for the field.
    ScriptedUi ui;
    Form form("Numeric");
    form.AddEdit(1, {}).numeric = CNumericEdit{};
    form.Begin(ui);
    form.SetText(1, "12");
    EXPECT_TRUE(form.TypeChars(1, "x3"));
    EXPECT_EQ(form.Text(1), "12");
    form.SetSelection(1, 2, 2);
    EXPECT_FALSE(form.TypeChars(1, ".5"));
    EXPECT_EQ(form.Text(1), "12.5");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST(NumericEditTest, CheckFlagsRangeAndReporting) {
    CNumericEdit edit;
    EXPECT_EQ(edit.Check("-"), 0);
    EXPECT_EQ(edit.Check("."), 0);
    EXPECT_EQ(edit.Check(""), CNumericEdit::kNotANumber);
    EXPECT_EQ(edit.Check(" 3.5 "), 0);
    EXPECT_EQ(edit.Check("3 4"), CNumericEdit::kNotANumber);
    EXPECT_EQ(edit.Check("1e39"), CNumericEdit::kOutOfRange);
    edit.SetRange(0, 10);
    EXPECT_EQ(edit.Check("10.5"), CNumericEdit::kOutOfRange);
    EXPECT_EQ(edit.ValueOf("7.25"), 7.25f);
    EXPECT_FALSE(edit.ValueOf("11").has_value());

    ScriptedUi ui;
    edit.SetReportErrors(true);
    EditState s{"9", 1, 1};
    EXPECT_TRUE(edit.TypeChar(s, '9', &ui));
    EXPECT_TRUE(edit.TypeChar(s, 'q', &ui));
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].text, "Given value is out of range.\n");
    EXPECT_EQ(ui.Messages()[0].icon, Icon::Error);
    EXPECT_EQ(ui.Messages()[1].text, "Characters must be a number.\n");

    edit.SetFormat("%.2f and a very long tail");
    EXPECT_EQ(edit.GetFormat(), "%.2f and a very lon");
    EXPECT_EQ(edit.FormatValue(2.5f), "2.50 and a very lon");
    edit.SetFormat("%d");  // not a float format: shown with "%f"
    EXPECT_EQ(edit.FormatValue(2.5f), "2.500000");
}

TEST(SizingLayoutTest, AnchoringFollowsTheGrowth) {
    SizingLayout layout(3, false);
    EXPECT_FALSE(layout.Add(1, Rect{0, 0, 10, 10}, 2, 2));  // not initialised
    layout.Init(300, 200, {0, 0, 316, 238});
    EXPECT_FALSE(layout.Add(2, std::nullopt, 2, 2));        // no window
    EXPECT_FALSE(layout.Add(3, Rect{0, 0, 10, 10}, 0, 0));  // all percentages 0
    layout.Add(10, Rect{10, 10, 50, 30}, 2, 2);
    layout.Add(11, Rect{10, 40, 110, 60}, 1, 0);
    layout.Add(12, Rect{100, 100, 140, 120}, 3, 3, {13});

    auto at = [](const std::vector<Placement>& ps, int id) {
        for (const auto& p : ps)
            if (p.id == id) return p.rect;
        return Rect{-1, -1, -1, -1};
    };
    auto grown = layout.OnSize(SizingLayout::SizeKind::Restored, 400, 300);
    EXPECT_EQ(grown.front().id, 12);  // newest first
    EXPECT_EQ(at(grown, 10), (Rect{110, 110, 150, 130}));
    EXPECT_EQ(at(grown, 11), (Rect{10, 40, 210, 60}));
    EXPECT_EQ(at(grown, 12), (Rect{150, 150, 190, 170}));
    EXPECT_EQ(at(grown, 13), (Rect{150, 150, 190, 170}));

    // Smaller than at the start: everything at its initial place.
    auto shrunk = layout.OnSize(SizingLayout::SizeKind::Restored, 250, 150);
    EXPECT_EQ(at(shrunk, 10), (Rect{10, 10, 50, 30}));
    EXPECT_TRUE(layout.OnSize(SizingLayout::SizeKind::Minimized, 0, 0).empty());

    // A control anchored after the window grew takes the growth at once.
    layout.OnSize(SizingLayout::SizeKind::Restored, 320, 200);
    EXPECT_EQ(layout.Add(14, Rect{0, 0, 10, 10}, 50, 50, 0, 0), (Rect{10, 0, 20, 10}));

    auto mm = layout.OnMinMaxInfo();
    EXPECT_EQ(mm.minTrackWidth, 316);
    EXPECT_EQ(mm.minTrackHeight, 238);
    EXPECT_FALSE(mm.maxTrackWidth.has_value());
}

TEST(SizingLayoutTest, GripGrowPercentAndDirections) {
    SizingLayout layout(SizingLayout::kHorizontal, true);
    Rect window = layout.Init(300, 200, {20, 500, 320, 700}, 10, 13);
    EXPECT_TRUE(layout.HasGrip());
    // 300 * 10 / 50 = 60 on each side horizontally; the near edge stops at 0.
    EXPECT_EQ(window, (Rect{0, 500, 380, 700}));
    auto mm = layout.OnMinMaxInfo();
    EXPECT_EQ(mm.maxTrackHeight, 200);
    EXPECT_FALSE(mm.maxTrackWidth.has_value());
    auto ps = layout.Relayout(400, 200);
    ASSERT_EQ(ps.size(), 1u);
    EXPECT_EQ(ps[0].id, SizingLayout::kGripId);
    EXPECT_EQ(ps[0].rect, (Rect{387, 187, 400, 200}));
}

// A resizable dialog anchoring its list to stretch and its button to follow the corner.
class SizingForm : public Form {
  public:
    SizingForm() : Form("Sizing", 200, 100) {
        MakeResizable();
        AddList(1, {10, 10, 190, 60}, {{"A", 50}});
        AddButton(2, "Go", {120, 70, 190, 90});
    }

  protected:
    void OnInitDialog() override {
        Anchor(1, 1, 1);
        Anchor(2, 2, 2);
    }
};

TEST(SizingLayoutTest, ResizableFormsMoveTheirAnchoredControls) {
    ScriptedUi ui;
    SizingForm form;
    form.Begin(ui);
    ASSERT_TRUE(form.Resizable());
    form.Resize(300, 150);
    EXPECT_EQ(form.Find(1)->rect, (Rect{10, 10, 290, 110}));
    EXPECT_EQ(form.Find(2)->rect, (Rect{220, 120, 290, 140}));
    EXPECT_EQ(form.Layout()->OnMinMaxInfo().minTrackWidth, 200);
}

TEST(ToolTipsTest, TextsByControlId) {
    EXPECT_STREQ(ToolTipText(1021), "Index into the CT file");
    EXPECT_STREQ(ToolTipText(1022), "Domain type");
    EXPECT_STREQ(ToolTipText(1107), "Damage 4 (0x95)");
    EXPECT_STREQ(ToolTipText(1191), "Unknown 7 (0x18-0x1b)");
    EXPECT_STREQ(ToolTipText(1304), "Records in the CT file that point to this entry");
    EXPECT_EQ(ToolTipText(1109), nullptr);
    EXPECT_EQ(ToolTipText(1), nullptr);
}

}  // namespace
}  // namespace tablon::test
