// The editor object and the processor as its delegate: view creation, knob modes, sizes, the
// idle timer's messages to the effect, view recreation and linked control edits.
// Must come first: it renames the edit controller's state pair.
#include "vst3/Processor.h"

#include "RecordingRoom.h"

#include "gui/CZadaCustomView.h"
#include "gui/VST3EditorZx.h"
#include "vstgui/CFrame.h"
#include "vstgui/CKnob.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/CTextEdit.h"
#include "vstgui/ManualTimerScheduler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Veru2ZOR3::CZadaCustomView;
using Veru2ZOR3::Processor;
using Veru2ZOR3::VST3EditorZx;

namespace
{
const std::string kDocument = std::string(VEVADUR_UI_RESOURCES_DIR) + "/zada.uidesc";

// The processor's effect factory takes no context: the latest room is kept here.
RecordingRoom* g_room = nullptr;
CPlugIn* makeRoom()
{
    return g_room = new RecordingRoom;
}
CPlugIn* makeNothing()
{
    return nullptr;
}

struct RecordingHandler : IComponentHandler
{
    struct Call
    {
        char kind; // 'b'egin, 'p'erform, 'e'nd
        ParamID id;
        ParamValue value;
    };
    std::vector<Call> calls;

    tresult PLUGIN_API beginEdit(ParamID id) override
    {
        calls.push_back({'b', id, 0});
        return kResultOk;
    }
    tresult PLUGIN_API performEdit(ParamID id, ParamValue value) override
    {
        calls.push_back({'p', id, value});
        return kResultOk;
    }
    tresult PLUGIN_API endEdit(ParamID id) override
    {
        calls.push_back({'e', id, 0});
        return kResultOk;
    }
    tresult PLUGIN_API restartComponent(int32 flags) override
    {
        restarts.push_back(flags);
        return kResultOk;
    }
    std::vector<int32> restarts;
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        QUERY_INTERFACE(iid, obj, FUnknown::iid, IComponentHandler)
        QUERY_INTERFACE(iid, obj, IComponentHandler::iid, IComponentHandler)
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

    std::vector<Call> performs() const
    {
        std::vector<Call> result;
        for (const Call& call : calls)
            if (call.kind == 'p') result.push_back(call);
        return result;
    }
};

// An initialised processor around a recording room, with a component handler.
struct Session
{
    Session() : processor(new Processor(&makeRoom)), room(g_room)
    {
        EXPECT_EQ(processor->initialize(nullptr), kResultOk);
        processor->setComponentHandler(&handler);
    }
    ~Session()
    {
        processor->terminate();
        processor->release();
    }
    IPtr<IPlugView> createView(FIDString name)
    {
        return Steinberg::owned(processor->createView(name));
    }
    // The document editor as createView makes it, but reading the document from the build tree.
    IPtr<VST3EditorZx> openEditor(VSTGUI::ITimerScheduler* clock)
    {
        auto editor = Steinberg::owned(new VST3EditorZx(processor, "Editor", kDocument.c_str()));
        editor->setKnobMode(room->m_nKnobMode);
        editor->attachEffect(room);
        editor->setTimerScheduler(clock);
        EXPECT_TRUE(editor->open(nullptr));
        return editor;
    }

    RecordingHandler handler;
    Processor* processor;
    RecordingRoom* room;
};

// The host's knob mode is one value for the whole process: tests put it back.
struct HostKnobMode
{
    explicit HostKnobMode(Processor& processor, KnobMode mode) : processor(processor)
    {
        processor.setKnobMode(mode);
    }
    ~HostKnobMode() { processor.setKnobMode(kCircularMode); }
    Processor& processor;
};
} // namespace

TEST(CreateView, OnlyTheNameEditorGivesTheDocumentEditor)
{
    Session s;
    EXPECT_FALSE(s.createView("Editor"));
    EXPECT_FALSE(s.createView("editor "));
    EXPECT_FALSE(s.createView(nullptr));
    EXPECT_EQ(s.room->count(EditorMessage::kOfferCustomEditor), 0);

    IPtr<IPlugView> view = s.createView(ViewType::kEditor);
    auto* editor = dynamic_cast<VST3EditorZx*>(view.get());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->getEffect(), s.room);
    EXPECT_EQ(editor->getKnobMode(), VSTGUI::kLinearMode);
    // The effect was offered a GUI of its own first, with a fresh record.
    ASSERT_EQ(s.room->messages.size(), 1u);
    EXPECT_EQ(s.room->messages[0].code, EditorMessage::kOfferCustomEditor);
    EXPECT_FALSE(s.room->messages[0].wantsCustomView);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);

    // Each call makes a new editor.
    IPtr<IPlugView> second = s.createView(ViewType::kEditor);
    EXPECT_NE(second.get(), view.get());
}

TEST(CreateView, NoViewWithoutAnEffectOrItsEditorMessages)
{
    {
        Session s;
        s.room->m_bEditorMessages = false;
        EXPECT_FALSE(s.createView(ViewType::kEditor));
        EXPECT_TRUE(s.room->messages.empty());
    }
    auto* processor = new Processor(&makeNothing);
    processor->initialize(nullptr);
    EXPECT_EQ(processor->createView(ViewType::kEditor), nullptr);
    processor->terminate();
    processor->release();
}

TEST(CreateView, AnEffectThatDrawsItsOwnGuiGetsTheHostsWindow)
{
    Session s;
    s.room->offerCustomView = true;
    IPtr<IPlugView> view = s.createView(ViewType::kEditor);
    auto* custom = dynamic_cast<CZadaCustomView*>(view.get());
    ASSERT_NE(custom, nullptr);
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultTrue);
    EXPECT_EQ(size.getWidth(), 100);
    EXPECT_EQ(size.getHeight(), 100);

    s.room->messages.clear();
    int parentWindow = 0;
    ASSERT_TRUE(custom->open(&parentWindow, VSTGUI::kX11EmbedWindowID));
    const int32 parameters = s.processor->getParameterCount();
    ASSERT_EQ(s.room->messages.size(), 1u + parameters);
    const RecordingRoom::Message& attach = s.room->messages[0];
    EXPECT_EQ(attach.code, EditorMessage::kCustomEditorOpen);
    EXPECT_EQ(attach.parentWindow, &parentWindow);
    EXPECT_EQ(attach.editorInterface, static_cast<VSTGUI::VSTGUIEditorInterface*>(custom));
    EXPECT_EQ(attach.platformType, VSTGUI::kX11EmbedWindowID);
    for (int32 i = 0; i < parameters; ++i)
    {
        EXPECT_EQ(s.room->messages[1 + i].code, EditorMessage::kParameterValue);
        EXPECT_EQ(s.room->messages[1 + i].parameterIndex, i);
    }
    ASSERT_EQ(view->getSize(&size), kResultTrue);
    EXPECT_EQ(size.getWidth(), 200);
    EXPECT_EQ(size.getHeight(), 150);
    EXPECT_EQ(custom->getFrame()->getWidth(), 200);

    // Its GUI edits parameters through the view.
    custom->setParameter(2, 0.25);
    ASSERT_EQ(s.handler.performs().size(), 1u);
    EXPECT_DOUBLE_EQ(s.processor->getParamNormalized(2), 0.25);

    custom->close();
    EXPECT_EQ(s.room->messages.back().code, EditorMessage::kCustomEditorClose);
    EXPECT_EQ(s.room->messages.back().parentWindow, &parentWindow);
    EXPECT_EQ(custom->getFrame(), nullptr);

    // An effect that refuses the window makes the open fail.
    s.room->customViewAnswer = 0;
    EXPECT_FALSE(custom->open(&parentWindow, VSTGUI::kX11EmbedWindowID));
    EXPECT_EQ(custom->getFrame(), nullptr);
}

TEST(EditorZx, KnobModeTable)
{
    Session s;
    auto editor = Steinberg::owned(new VST3EditorZx(s.processor, "Editor", kDocument.c_str()));
    for (int32 mode : {0, 1, 2})
    {
        editor->setKnobMode(mode);
        EXPECT_EQ(editor->getKnobMode(), mode);
    }
    for (int32 mode : {4, -1, 1000})
    {
        editor->setKnobMode(mode);
        EXPECT_EQ(editor->getKnobMode(), VSTGUI::kLinearMode);
    }
    editor->setKnobMode(VST3EditorZx::kFollowHost);
    const std::pair<KnobMode, int32_t> followed[] = {
        {kCircularMode, 0}, {kRelativCircularMode, 1}, {kLinearMode, 2}, {5, 2}, {-3, 2}};
    for (auto [host, expected] : followed)
    {
        HostKnobMode hostMode(*s.processor, host);
        EXPECT_EQ(editor->getKnobMode(), expected) << "host mode " << host;
    }
    // This effect chose linear whatever the host says.
    editor->setKnobMode(s.room->m_nKnobMode);
    HostKnobMode hostMode(*s.processor, kRelativCircularMode);
    EXPECT_EQ(editor->getKnobMode(), VSTGUI::kLinearMode);
}

TEST(EditorZx, SizeOfTheTemplateAndEverySizeAccepted)
{
    Session s;
    auto editor = Steinberg::owned(new VST3EditorZx(s.processor, "Editor", kDocument.c_str()));
    // Hosts ask before the view is attached.
    ViewRect size;
    ASSERT_EQ(editor->getSize(&size), kResultTrue);
    EXPECT_EQ(size.getWidth(), 303);
    EXPECT_EQ(size.getHeight(), 588);
    EXPECT_EQ(editor->canResize(), kResultFalse); // minimum and maximum are the same
    ViewRect proposed(0, 0, 1000, 10);
    EXPECT_EQ(editor->checkSizeConstraint(&proposed), kResultTrue);
    EXPECT_EQ(proposed.getWidth(), 303);
    EXPECT_EQ(proposed.getHeight(), 588);

    VSTGUI::ManualTimerScheduler clock;
    editor->setTimerScheduler(&clock);
    ASSERT_TRUE(editor->open(nullptr));
    // The frame's own proposals are all accepted, outside the template's limits too.
    EXPECT_TRUE(editor->getFrame()->setSize(500, 100));
    EXPECT_EQ(editor->getFrame()->getWidth(), 500);
    ViewRect hostSize(0, 0, 400, 700);
    EXPECT_EQ(editor->onSize(&hostSize), kResultTrue);
    EXPECT_EQ(editor->getFrame()->getHeight(), 700);
    editor->close();
}

TEST(EditorZx, EveryTickReachesTheEffectOnceAndRedrawsOnlyWhatChanged)
{
    Session s;
    VSTGUI::ManualTimerScheduler clock;
    auto editor = s.openEditor(&clock);
    ASSERT_EQ(s.room->messages.size(), 1u);
    EXPECT_EQ(s.room->messages[0].code, EditorMessage::kOpened);
    EXPECT_EQ(editor->getIdleRate(), 50);

    VSTGUI::CFrame* frame = editor->getFrame();
    VSTGUI::COffscreenContext window(303, 588, &frame->getTextRenderer());
    frame->paintDirtyRects(&window); // the first paint
    clock.advance(49);
    EXPECT_EQ(s.room->count(EditorMessage::kTimerTick), 0);
    clock.advance(1);
    EXPECT_EQ(s.room->count(EditorMessage::kTimerTick), 1);
    // Nothing changed: the tick redraws nothing.
    EXPECT_TRUE(frame->takeDirtyRects().empty());
    // A parameter the effect's side changed shows on the next tick, where its knob is.
    s.processor->setParamNormalized(0, 0.125);
    clock.advance(50);
    const VSTGUI::CRect dirty = frame->takeDirtyRect();
    EXPECT_FALSE(dirty.isEmpty());
    EXPECT_LT(dirty.getWidth() * dirty.getHeight(), 60 * 60);
    clock.advance(50 * 6);
    EXPECT_EQ(s.room->count(EditorMessage::kTimerTick), 8);
    // Nothing else on the way but the processor's notice of the parameter change.
    EXPECT_EQ(s.room->messages.size(), 10u);

    editor->close();
    EXPECT_EQ(s.room->messages.back().code, EditorMessage::kClosing);
    clock.advance(500);
    EXPECT_EQ(s.room->count(EditorMessage::kTimerTick), 8);
}

TEST(EditorZx, ARebuiltViewIsAnnouncedAsAnOpen)
{
    Session s;
    VSTGUI::ManualTimerScheduler clock;
    auto editor = s.openEditor(&clock);
    ASSERT_TRUE(editor->exchangeView("Editor"));
    s.room->messages.clear();
    clock.advance(50);
    // The tick is pinged first, then the rebuilt view is announced once.
    ASSERT_EQ(s.room->messages.size(), 2u);
    EXPECT_EQ(s.room->messages[0].code, EditorMessage::kTimerTick);
    EXPECT_EQ(s.room->messages[1].code, EditorMessage::kOpened);
    EXPECT_EQ(s.room->messages[1].viewName, "");
    EXPECT_FALSE(s.room->messages[1].wantsCustomView);
    clock.advance(50);
    EXPECT_EQ(s.room->count(EditorMessage::kOpened), 1);
    editor->close();
}

namespace
{
template <class Control> Control* controlOfTag(VSTGUI::CView* view, int32_t tag)
{
    if (auto* control = dynamic_cast<Control*>(view); control && control->getTag() == tag)
        return control;
    if (auto* container = dynamic_cast<VSTGUI::CViewContainer*>(view))
        for (size_t i = 0; i < container->getNbViews(); ++i)
            if (auto* control = controlOfTag<Control>(container->getView(i), tag)) return control;
    return nullptr;
}
} // namespace

TEST(EditorZx, AnEditWithoutLinkedChangesIsOneParameterEdit)
{
    Session s;
    VSTGUI::ManualTimerScheduler clock;
    auto editor = s.openEditor(&clock);
    VSTGUI::CKnob* gain = controlOfTag<VSTGUI::CKnob>(editor->getFrame(), 0);
    ASSERT_NE(gain, nullptr);
    gain->setValueNormalized(0.8f);
    editor->valueChanged(gain);

    const auto performs = s.handler.performs();
    ASSERT_EQ(performs.size(), 1u);
    EXPECT_EQ(performs[0].id, 0u);
    EXPECT_NEAR(performs[0].value, 0.8, 1e-6);
    // The effect was asked about linked changes with the control's id and plain value.
    ASSERT_EQ(s.room->collected.size(), 1u);
    EXPECT_EQ(s.room->collected[0].controlId, s.room->m_Controls.find(0)->id);
    EXPECT_NEAR(s.room->collected[0].value, s.processor->normalizedParamToPlain(0, 0.8), 1e-5);
    EXPECT_EQ(s.room->freeCalls, 1);
    editor->close();
}

TEST(EditorZx, TextThatIsNoValueChangesNothingAndLinksNothing)
{
    Session s;
    s.room->links = {{s.room->m_Controls.find(5)->id, 7.0f, nullptr}};
    VSTGUI::ManualTimerScheduler clock;
    auto editor = s.openEditor(&clock);
    constexpr int32_t kSpeed = 11;
    auto* field = controlOfTag<VSTGUI::CTextEdit>(editor->getFrame(), kSpeed);
    ASSERT_NE(field, nullptr);
    const std::string shown = field->getText();
    const ParamValue before = s.processor->getParamNormalized(kSpeed);

    field->setText("fast");
    editor->valueChanged(field);

    EXPECT_TRUE(s.handler.performs().empty());
    EXPECT_TRUE(s.room->collected.empty());
    EXPECT_EQ(s.processor->getParamNormalized(kSpeed), before);
    EXPECT_EQ(field->getText(), shown);
    editor->close();
}

TEST(EditorZx, LinkedChangesRunEvenForATagWithoutAParameterBinding)
{
    Session s;
    const ControlRecord& absFB = *s.room->m_Controls.find(5);
    s.room->links = {{absFB.id, 7.0f, nullptr}, {0xdeadu, 1.0f, nullptr}};
    // Not opened: no control is bound to a parameter, so the edit itself goes nowhere.
    auto editor = Steinberg::owned(new VST3EditorZx(s.processor, "Editor", kDocument.c_str()));
    editor->attachEffect(s.room);
    auto knob =
        VSTGUI::owned(new VSTGUI::CKnob(VSTGUI::CRect(0, 0, 10, 10), editor, 3, nullptr, nullptr));
    knob->setValueNormalized(0.5f);
    editor->valueChanged(knob.get());

    ASSERT_EQ(s.room->collected.size(), 1u);
    EXPECT_EQ(s.room->collected[0].controlId, s.room->m_Controls.find(3)->id);
    // Only the linked control is edited; the unknown id is skipped.
    const auto performs = s.handler.performs();
    ASSERT_EQ(performs.size(), 1u);
    EXPECT_EQ(performs[0].id, 5u);
    const ParamValue expected = s.processor->plainParamToNormalized(5, 7.0);
    EXPECT_DOUBLE_EQ(performs[0].value, expected);
    EXPECT_DOUBLE_EQ(s.processor->getParamNormalized(5), expected);
    EXPECT_EQ(s.room->freeCalls, 1);

    // An effect that leaves the list to the editor does not leak it (checked under ASan).
    s.room->freesLinkedUpdates = false;
    editor->valueChanged(knob.get());
    EXPECT_EQ(s.room->freeCalls, 2);

    // A tag beyond the effect's controls asks nothing.
    knob->setTag(40);
    editor->valueChanged(knob.get());
    EXPECT_EQ(s.room->collected.size(), 2u);
}

TEST(EditorDelegate, OpenCloseAndTextMessagesReachTheEffect)
{
    Session s;
    s.processor->didOpen(nullptr); // no editor: nothing
    EXPECT_TRUE(s.room->messages.empty());
    VSTGUI::ManualTimerScheduler clock;
    auto editor = s.openEditor(&clock);
    s.processor->receiveText("VSTGUITimerPing");
    s.processor->receiveText("RecreateView");
    s.processor->receiveText("vstguitimerping");
    s.processor->receiveText(nullptr);
    editor->close();
    std::vector<uint32_t> codes;
    for (const auto& m : s.room->messages)
        codes.push_back(m.code);
    EXPECT_EQ(codes, (std::vector<uint32_t>{0, 2, 0, 1}));
    EXPECT_EQ(s.processor->receiveText("VSTGUITimerPing"), kResultOk);
}

TEST(EditorDelegate, AProgramChangeReportsNewValuesOnTheNextTimerTickOnly)
{
    Session s;
    const ParamID presets = CCONST('p', 'r', 's', 't');
    // No editor: the host that set the program is not called back from inside its own call.
    ASSERT_EQ(s.processor->setParamNormalized(presets, 0.0), kResultOk);
    s.processor->receiveText("VSTGUITimerPing");
    EXPECT_TRUE(s.handler.restarts.empty());

    VSTGUI::ManualTimerScheduler clock;
    auto editor = s.openEditor(&clock);
    ASSERT_EQ(s.processor->setParamNormalized(presets, 0.0), kResultOk);
    EXPECT_TRUE(s.handler.restarts.empty());
    s.processor->receiveText("VSTGUITimerPing");
    EXPECT_EQ(s.handler.restarts, (std::vector<int32>{kParamValuesChanged}));
    s.processor->receiveText("VSTGUITimerPing");
    EXPECT_EQ(s.handler.restarts.size(), 1u);
    editor->close();
}
