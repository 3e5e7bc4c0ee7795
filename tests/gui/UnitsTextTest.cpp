// The units texts: trimmed once, shown after every text the label or edit is given, kept by
// copies, and carried through what the user types.
#include "ControlFixture.h"

#include "gui/CTextEditZx.h"
#include "gui/CTextLabelZx.h"
#include "gui/UnitsText.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VSTGUI;

namespace
{
template <typename T> struct Forget
{
    void operator()(T* view) const { view->forget(); }
};
template <typename T> using ViewPtr = std::unique_ptr<T, Forget<T>>;
} // namespace

TEST(UnitsLabel, ShowsTheTextOneSpaceAndTheTrimmedUnits)
{
    ViewPtr<CTextLabelZx> label(new CTextLabelZx(CRect(0, 0, 80, 20), "title"));
    EXPECT_EQ(label->getText(), "title");
    label->setUnits("  Hz \n");
    EXPECT_EQ(label->getUnits(), "Hz");
    label->setText("440");
    EXPECT_EQ(label->getText(), "440 Hz");
    label->setText("441");
    EXPECT_EQ(label->getText(), "441 Hz");
    // Only spaces, tabs and line feeds are blanks.
    EXPECT_EQ(trimUnits("\tk Hz\t"), "k Hz");
    EXPECT_EQ(trimUnits(" \t\n "), "");
    EXPECT_EQ(trimUnits("dB\r"), "dB\r");

    ViewPtr<CView> copyView(label->newCopy());
    auto* copy = dynamic_cast<CTextLabelZx*>(copyView.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getUnits(), "Hz");
    EXPECT_EQ(copy->getText(), "441 Hz");
    copy->setText("1");
    EXPECT_EQ(copy->getText(), "1 Hz");
    EXPECT_EQ(label->getText(), "441 Hz");
}

TEST(UnitsEdit, WithoutUnitsShowsThePlainValueText)
{
    ViewPtr<CTextEditZx> edit(new CTextEditZx(CRect(0, 0, 80, 20), nullptr, 3));
    edit->setUnits(" ");
    edit->setValue(0.5f);
    EXPECT_EQ(edit->getText(), "0.50");
}

TEST(UnitsEdit, ValueTextsAndTypedTextsCarryTheUnits)
{
    auto* edit = new CTextEditZx(CRect(10, 10, 110, 30), nullptr, 3);
    ControlFixture fixture(edit);
    edit->setUnits("dB");
    edit->setValue(0.5f);
    EXPECT_EQ(edit->getText(), "0.50 dB");

    fixture.press(CPoint(20, 20));
    ASSERT_TRUE(edit->isTextEditing());
    EXPECT_EQ(edit->getEditText(), "0.50 dB");
    for (int i = 0; i < 7; ++i)
        fixture.key(VKEY_BACK);
    fixture.type("0.7");
    fixture.key(VKEY_RETURN);
    EXPECT_EQ(edit->getText(), "0.7 dB");
    EXPECT_EQ(fixture.listener.events, (std::vector<std::string>{"begin", "change", "end"}));

    ViewPtr<CView> copyView(edit->newCopy());
    auto* copy = dynamic_cast<CTextEditZx*>(copyView.get());
    ASSERT_NE(copy, nullptr);
    copy->setValue(0.25f);
    EXPECT_EQ(copy->getText(), "0.25 dB");
}
