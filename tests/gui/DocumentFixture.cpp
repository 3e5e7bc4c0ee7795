#include "DocumentFixture.h"

#include "vst3/ParameterIds.h"

#include "pluginterfaces/base/ustring.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

DelegateController::DelegateController()
{
    const char* names[] = {"Gain", "Rate", "Level", "Level Control", "Pan"};
    for (ParamID id = 0; id < ViewTestEffect::kControlCount; ++id)
        parameters.addParameter(new RangeParameter(USTRING(names[id]), id, USTRING(""), 0, 1, 0.5));
    using namespace Veru2ZOR3::ParameterIds;
    parameters.addParameter(
        new RangeParameter(USTRING("VectorJoystick X"), kJoystickX, nullptr, 0, 1, 0.5));
    parameters.addParameter(
        new RangeParameter(USTRING("VectorJoystick Y"), kJoystickY, nullptr, 0, 1, 0.5));
    setComponentHandler(&handler);
}

Veru2ZOR3::CustomViewFactory DelegateController::factory()
{
    return Veru2ZOR3::CustomViewFactory(&effect, message, this);
}

CView* DelegateController::createCustomView(UTF8StringPtr name, const UIAttributes& attributes,
                                            const IUIDescription* description, VST3Editor* editor)
{
    return factory().createCustomView(name, attributes, description, editor);
}

IController* DelegateController::createSubController(UTF8StringPtr name,
                                                     const IUIDescription* description,
                                                     VST3Editor* editor)
{
    return factory().createSubController(name, description, editor);
}

DocumentFixture::DocumentFixture() : controller(new DelegateController())
{
    writePng(folder.file("knob.png"), 20, 40,
             [](int, int y) { return y < 20 ? kRedCColor : kGreenCColor; });
    writeSolidPng(folder.file("on.png"), 10, 100, kGreenCColor);
    writeSolidPng(folder.file("off.png"), 10, 100, kRedCColor);
    writeFilmStripPng(folder.file("strip.png"), 10, 8, 10);
}

DocumentFixture::~DocumentFixture()
{
    if (editor)
    {
        editor->close();
        editor->release();
    }
    controller->release();
}

bool DocumentFixture::open(const std::string& views, EditController* editController)
{
    const std::string path = folder.file("test.uidesc");
    std::ofstream(path) << R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <colors>
    <color name="Handle" rgba="#00ff00ff"/>
    <color name="Panel" rgba="#102030ff"/>
  </colors>
  <control-tags>
    <control-tag name="Gain" tag="0"/>
    <control-tag name="Rate" tag="1"/>
    <control-tag name="Level" tag="2"/>
    <control-tag name="Pan" tag="4"/>
    <control-tag name="Far" tag="40"/>
  </control-tags>
  <template name="view" class="CViewContainer" origin="0, 0" size="300, 300">
)" << views << R"(
  </template>
</vstgui-ui-description>
)";
    editor = new VST3Editor(editController ? editController : controller, "view", path.c_str());
    return editor->open(nullptr);
}

std::vector<CView*> DocumentFixture::views() const
{
    std::vector<CView*> found;
    if (!frame() || frame()->getNbViews() != 1) return found;
    auto* root = dynamic_cast<CViewContainer*>(frame()->getView(0));
    for (size_t i = 0; root && i < root->getNbViews(); ++i)
        found.push_back(root->getView(i));
    return found;
}

CView* DocumentFixture::onlyView() const
{
    const auto found = views();
    if (found.size() != 1)
    {
        ADD_FAILURE() << found.size() << " views in the template";
        return nullptr;
    }
    return found[0];
}
