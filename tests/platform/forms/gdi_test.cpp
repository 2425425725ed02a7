#include "platform/forms/gdi.h"

#include <gtest/gtest.h>

using namespace forms;

TEST(FormsGdi, OwnersDeleteOnceAndMove) {
    HPEN raw = CreatePen(PS_SOLID, 1, 0);
    {
        GdiPen a(raw);
        GdiPen b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), raw);
        GdiPen c;
        c = std::move(b);
        EXPECT_EQ(c.get(), raw);
        EXPECT_NE(GetObjectType(raw), 0u);
    }
    EXPECT_EQ(GetObjectType(raw), 0u);

    GdiRegion region(CreateRectRgn(0, 0, 1, 1));
    HRGN given = region.release();
    EXPECT_FALSE(region);
    EXPECT_NE(GetObjectType(given), 0u);
    DeleteObject(given);
}

TEST(FormsGdi, ScopedSelectPutsThePreviousObjectBack) {
    MemoryDC dc = MemoryDC::compatibleWith(nullptr);
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_PEN);
    GdiPen pen(CreatePen(PS_SOLID, 3, RGB(255, 0, 0)));
    {
        ScopedSelect select(dc.get(), pen.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), original);
    WindowDC screen(nullptr);
    EXPECT_TRUE(screen);
}
