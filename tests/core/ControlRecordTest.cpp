#include "core/ControlRecord.h"
#include "core/CPlugIn.h"
#include "core/ControlList.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
ControlRecord namedRecord(const char* name)
{
    ControlRecord r;
    r.name = name;
    r.units = "Hz";
    r.variableName = "m_fSpeed";
    r.enumList = "A,B";
    r.extraText = "x";
    return r;
}
} // namespace

TEST(ControlRecordTexts, CopyOwnsItsTexts)
{
    char source[] = "Gain";
    ControlRecord original = namedRecord(source);
    ControlRecord copy(original);
    source[0] = 'P';
    EXPECT_STREQ(copy.name, "Gain");
    EXPECT_NE(copy.name, original.name);
    EXPECT_STREQ(copy.units, "Hz");
    EXPECT_STREQ(copy.variableName, "m_fSpeed");
    EXPECT_STREQ(copy.enumList, "A,B");
    EXPECT_STREQ(copy.extraText, "x");

    ControlRecord assigned;
    assigned = copy;
    EXPECT_STREQ(assigned.name, "Gain");
    EXPECT_NE(assigned.name, copy.name);
}

TEST(ControlRecordTexts, LongTextIsCutAt1023Characters)
{
    const std::string longText(3000, 'w');
    ControlRecord r;
    r.name = longText.c_str();
    ControlRecord copy(r);
    EXPECT_EQ(std::string(copy.name), std::string(1023, 'w'));
}

TEST(ControlRecordTexts, NullTextCopiesAsEmpty)
{
    ControlRecord r;
    r.units = nullptr;
    ControlRecord copy(r);
    EXPECT_STREQ(copy.units, "");
}

TEST(ControlRecordCopy, SelfAssignmentKeepsEverything)
{
    ControlRecord r = namedRecord("Speed");
    r.minValue = 2.0f;
    r.coefB = 0.25f;
    ControlRecord& alias = r;
    r = alias;
    EXPECT_STREQ(r.name, "Speed");
    EXPECT_EQ(r.minValue, 2.0f);
    EXPECT_EQ(r.coefB, 0.25f);
}

TEST(ControlRecordCopy, ConstructionZeroesSmootherButAssignmentKeepsIt)
{
    ControlRecord source;
    source.coefB = 0.5f;
    source.stateD = 3.0;
    source.smoothTarget = 7.0f;
    ControlRecord constructed(source);
    EXPECT_EQ(constructed.coefB, 0.0f);
    EXPECT_EQ(constructed.stateD, 0.0);
    EXPECT_EQ(constructed.smoothTarget, 7.0f);

    ControlRecord assigned;
    assigned.coefB = 0.125f;
    assigned.lastD = 9.0;
    assigned = source;
    EXPECT_EQ(assigned.coefB, 0.125f);
    EXPECT_EQ(assigned.lastD, 9.0);
    EXPECT_EQ(assigned.smoothTarget, 7.0f);
}

TEST(ControlRecordDefaults, MatchTheConstructorTable)
{
    ControlRecord r;
    EXPECT_EQ(r.meterMode, 2);
    EXPECT_EQ(r.valueType, ControlRecord::kNone);
    EXPECT_EQ(r.smoothMs, 100.0f);
    EXPECT_EQ(r.meterAttackMs, 10.0f);
    EXPECT_EQ(r.meterReleaseMs, 500.0f);
    EXPECT_EQ(r.midiStatus, 176u);
    EXPECT_EQ(r.midiController, 3u);
    EXPECT_EQ(r.outputIndex, -1);
    EXPECT_STREQ(r.name, "");
}

TEST(ControlListOperations, AppendFindRemoveClear)
{
    ControlList list;
    for (uint32_t id = 0; id < 4; ++id)
    {
        ControlRecord r;
        r.id = id * 10;
        list.append(r);
    }
    EXPECT_EQ(list.count(), 4u);
    ASSERT_NE(list.find(3), nullptr);
    EXPECT_EQ(list.find(3)->id, 30u);
    EXPECT_EQ(list.find(4), nullptr);

    EXPECT_TRUE(list.removeById(30)); // the tail
    EXPECT_FALSE(list.removeById(30));
    ControlRecord r;
    r.id = 99;
    list.append(r); // appending after removing the tail must still link correctly
    EXPECT_EQ(list.count(), 4u);
    EXPECT_EQ(list.find(3)->id, 99u);
    EXPECT_TRUE(list.removeById(0)); // the head
    EXPECT_EQ(list.find(0)->id, 10u);

    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.find(0), nullptr);
}

namespace
{
// Two controls that share one id, as a careless control table could make.
class RepeatedIdPlugIn : public CPlugIn
{
  public:
    RepeatedIdPlugIn() { buildControls(); }
    bool buildControls() override
    {
        for (uint32_t n = 0; n < 3; ++n)
        {
            ControlRecord r;
            r.id = n == 2 ? 7 : 7 + n; // ids 7, 8, 7
            m_Controls.append(r);
        }
        buildExchangeArrays();
        return true;
    }
};
} // namespace

TEST(ControlListOperations, AnEffectWithRepeatedIdsIsDestroyedCleanly)
{
    // Destruction removes records by id from the last index down; a freed record must never be
    // read again (the sanitizer build catches that).
    auto* effect = new RepeatedIdPlugIn;
    EXPECT_EQ(effect->m_uControlCount, 3u);
    delete effect;
}
