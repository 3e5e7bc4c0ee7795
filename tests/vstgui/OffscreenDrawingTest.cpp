// Drawing without a display: primitives, text, bitmaps (plain and nine-part), container
// translation and clipping, invalidation, and PNG output read back.
#include "vstgui/CFrame.h"
#include "vstgui/CNinePartTiledBitmap.h"
#include "vstgui/COffscreenContext.h"
#include "vstgui/CTextLabel.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace VSTGUI;

namespace
{
std::string tempFolder()
{
    char pattern[] = "/tmp/vstgui-test-XXXXXX";
    const char* folder = mkdtemp(pattern);
    return folder ? folder : "/tmp";
}

// A 30 x 30 PNG of nine 10 x 10 parts, each its own colour.
std::string writeNinePartPng(const std::string& folder)
{
    const CColor parts[9] = {kRedCColor,  kGreyCColor, kGreenCColor, kGreyCColor,  kWhiteCColor,
                             kGreyCColor, kBlueCColor, kGreyCColor,  kYellowCColor};
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 30, 30);
    cairo_t* cr = cairo_create(s);
    for (int i = 0; i < 9; ++i)
    {
        const CColor& c = parts[i];
        cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
        cairo_rectangle(cr, (i % 3) * 10, (i / 3) * 10, 10, 10);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    std::string path = folder + "/parts.png";
    cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
    return path;
}

int darkPixels(const COffscreenContext& context, const CRect& r)
{
    int n = 0;
    for (int y = static_cast<int>(r.top); y < r.bottom; ++y)
        for (int x = static_cast<int>(r.left); x < r.right; ++x)
        {
            CColor c = context.getPixel(x, y);
            n += c.alpha > 128 && c.red < 80 && c.green < 80 && c.blue < 80;
        }
    return n;
}
} // namespace

TEST(OffscreenContext, FillsAndStrokesInsideTheRectangle)
{
    COffscreenContext context(20, 20, nullptr);
    EXPECT_EQ(context.getPixel(5, 5), kTransparentCColor);
    context.setFillColor(kBlueCColor);
    context.setFrameColor(kRedCColor);
    context.drawRect(CRect(2, 2, 18, 18), kDrawFilledAndStroked);
    EXPECT_EQ(context.getPixel(2, 2), kRedCColor); // the frame is the outermost pixel row
    EXPECT_EQ(context.getPixel(17, 10), kRedCColor);
    EXPECT_EQ(context.getPixel(10, 10), kBlueCColor);
    EXPECT_EQ(context.getPixel(18, 10), kTransparentCColor);
    EXPECT_EQ(context.getPixel(-1, 0), kTransparentCColor); // outside the image
}

TEST(OffscreenContext, PngRoundTripThroughCBitmap)
{
    std::string folder = tempFolder();
    {
        COffscreenContext context(8, 4, nullptr);
        context.setFillColor(kGreenCColor);
        context.drawRect(CRect(0, 0, 4, 4), kDrawFilled);
        context.setFillColor(CColor(10, 20, 30, 255));
        context.drawRect(CRect(4, 0, 8, 4), kDrawFilled);
        ASSERT_TRUE(context.writePNG(folder + "/out.png"));
    }
    auto bitmap = owned(new CBitmap(CResourceDescription(folder + "/out.png")));
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 8);
    EXPECT_EQ(bitmap->getHeight(), 4);
    COffscreenContext target(4, 4, nullptr);
    bitmap->draw(&target, CRect(0, 0, 4, 4), CPoint(4, 0)); // the right half only
    EXPECT_EQ(target.getPixel(1, 1), CColor(10, 20, 30, 255));

    auto missing = owned(new CBitmap(CResourceDescription(folder + "/none.png")));
    EXPECT_FALSE(missing->isLoaded());
    missing->draw(&target, CRect(0, 0, 4, 4)); // draws nothing, no fault
    auto relative = owned(new CBitmap(CResourceDescription("out.png"), folder));
    EXPECT_TRUE(relative->isLoaded());
}

TEST(NinePartTiledBitmap, CornersStayAndEdgesAndMiddleTile)
{
    std::string folder = tempFolder();
    writeNinePartPng(folder);
    auto bitmap = owned(
        new CNinePartTiledBitmap(CResourceDescription("parts.png"), {10, 10, 10, 10}, folder));
    COffscreenContext context(100, 60, nullptr);
    bitmap->draw(&context, CRect(0, 0, 100, 60));
    EXPECT_EQ(context.getPixel(0, 0), kRedCColor);
    EXPECT_EQ(context.getPixel(99, 0), kGreenCColor);
    EXPECT_EQ(context.getPixel(0, 59), kBlueCColor);
    EXPECT_EQ(context.getPixel(99, 59), kYellowCColor);
    EXPECT_EQ(context.getPixel(50, 30), kWhiteCColor);
    EXPECT_EQ(context.getPixel(50, 5), kGreyCColor);
    EXPECT_EQ(context.getPixel(95, 30), kGreyCColor);

    // Offsets beyond the image are limited to it.
    auto oversized = owned(
        new CNinePartTiledBitmap(CResourceDescription("parts.png"), {50, 50, 50, 50}, folder));
    EXPECT_LE(oversized->getPartOffsets().left + oversized->getPartOffsets().right, 30);
}

TEST(ViewContainer, DrawsChildrenTranslatedAndClipped)
{
    auto* frame = new CFrame(CRect(0, 0, 60, 60), nullptr);
    frame->setBackgroundColor(kWhiteCColor);
    auto* container = new CViewContainer(CRect(10, 10, 40, 40));
    container->setBackgroundColor(kBlueCColor);
    auto* label = new CTextLabel(CRect(20, 20, 50, 50)); // reaches past the container
    label->setBackColor(kRedCColor);
    label->setStyle(kNoFrame);
    container->addView(label);
    frame->addView(container);

    COffscreenContext context(60, 60, &frame->getTextRenderer());
    frame->drawRect(&context, CRect(0, 0, 60, 60));
    EXPECT_EQ(context.getPixel(5, 5), kWhiteCColor);
    EXPECT_EQ(context.getPixel(15, 15), kBlueCColor);
    EXPECT_EQ(context.getPixel(35, 35), kRedCColor);
    EXPECT_EQ(context.getPixel(45, 45), kWhiteCColor); // clipped by the container

    frame->takeDirtyRect();
    label->invalid();
    EXPECT_EQ(frame->takeDirtyRect(), CRect(30, 30, 40, 40));
    frame->forget();
}

TEST(ViewContainer, ABackgroundBitmapStandsInsteadOfTheColourTransparentOrNot)
{
    const std::string folder = tempFolder();
    writeNinePartPng(folder); // 30 x 30, red top-left part
    auto* frame = new CFrame(CRect(0, 0, 100, 50), nullptr);
    frame->setBackgroundColor(kWhiteCColor);
    auto* opaque = new CViewContainer(CRect(0, 0, 40, 40));
    auto* transparent = new CViewContainer(CRect(50, 0, 90, 40));
    auto bitmap = owned(new CBitmap(CResourceDescription("parts.png"), folder));
    for (CViewContainer* container : {opaque, transparent})
    {
        container->setBackgroundColor(kBlueCColor);
        container->setBackground(bitmap.get());
        frame->addView(container);
    }
    transparent->setTransparency(true);

    COffscreenContext context(100, 50, &frame->getTextRenderer());
    frame->drawRect(&context, CRect(0, 0, 100, 50));
    EXPECT_EQ(context.getPixel(5, 5), kRedCColor);
    EXPECT_EQ(context.getPixel(55, 5), kRedCColor);
    // Beyond the bitmap neither container fills its colour.
    EXPECT_EQ(context.getPixel(35, 35), kWhiteCColor);
    EXPECT_EQ(context.getPixel(85, 35), kWhiteCColor);
    frame->forget();
}

TEST(TextRendering, LabelsDrawTheirTitleInsideTheirRectangle)
{
    auto* frame = new CFrame(CRect(0, 0, 120, 40), nullptr);
    frame->setBackgroundColor(kWhiteCColor);
    auto* label = new CTextLabel(CRect(10, 10, 110, 30), "Rara Vozo Ravo");
    label->setTransparency(true);
    label->setFontColor(kBlackCColor);
    label->setFont(CFontDesc("Verdana", 14, kBoldFace | kItalicFace));
    frame->addView(label);
    COffscreenContext context(120, 40, &frame->getTextRenderer());
    frame->drawRect(&context, CRect(0, 0, 120, 40));
    EXPECT_GT(darkPixels(context, CRect(10, 10, 110, 30)), 60);
    EXPECT_EQ(darkPixels(context, CRect(0, 0, 120, 10)), 0);
    EXPECT_EQ(darkPixels(context, CRect(0, 30, 120, 40)), 0);
    double width =
        frame->getTextRenderer().getStringWidth("Rara Vozo Ravo", CFontDesc("Verdana", 14));
    EXPECT_GT(width, 60);
    EXPECT_LT(width, 140);
    frame->forget();
}

TEST(Frame, RefusesSizesTheEditorRejects)
{
    struct FixedSize : VSTGUIEditorInterface
    {
        bool beforeSizeChange(const CRect& newSize, const CRect&) override
        {
            return newSize.getWidth() <= 100;
        }
        CFrame* getFrame() const override { return nullptr; }
    } editor;
    auto* frame = new CFrame(CRect(0, 0, 50, 50), &editor);
    EXPECT_TRUE(frame->setSize(100, 80));
    EXPECT_FALSE(frame->setSize(101, 80));
    EXPECT_EQ(frame->getViewSize(), CRect(0, 0, 100, 80));
    frame->forget();
}
