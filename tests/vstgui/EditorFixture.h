#pragma once

#include "TestController.h"

#include "vstgui/CFrame.h"
#include "vstgui/plugin-bindings/VST3Editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The plug-in's editor document opened offscreen on a test controller.
struct EditorFixture
{
    EditorFixture();
    ~EditorFixture();

    VSTGUI::CFrame* frame() const { return editor->getFrame(); }
    // Every view of the editor that satisfies the test, with its rectangle in frame coordinates.
    struct Placed
    {
        VSTGUI::CView* view;
        VSTGUI::CRect rect;
    };
    std::vector<Placed> find(const std::function<bool(VSTGUI::CView*)>& test) const;
    // The one control of a class and tag; fails the test when there is not exactly one.
    template <typename T> T* control(int32_t tag, VSTGUI::CRect* rect = nullptr) const;

    void click(VSTGUI::CPoint where, int32_t buttons = VSTGUI::kLButton);
    void drag(VSTGUI::CPoint from, VSTGUI::CPoint to);
    void key(unsigned char virt, int32_t character = 0);
    void type(const std::string& text);

    TestController* controller;
    VSTGUI::VST3Editor* editor;
};

std::string uiDescriptionPath();

template <typename T> T* EditorFixture::control(int32_t tag, VSTGUI::CRect* rect) const
{
    auto found = find(
        [tag](VSTGUI::CView* v)
        {
            auto* c = dynamic_cast<T*>(v);
            return c && c->getTag() == tag;
        });
    if (found.size() != 1)
    {
        ADD_FAILURE() << found.size() << " controls of tag " << tag;
        return nullptr;
    }
    if (rect) *rect = found[0].rect;
    return static_cast<T*>(found[0].view);
}
