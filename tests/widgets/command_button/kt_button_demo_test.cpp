// The twelve button styles (rows) in their normal, hot, pressed, disabled and focused states
// (columns), each state made by input one button at a time, captured from the screen and put
// together into one picture for a person to look at.
#include "kt_button_test_support.h"

#include "platform/forms/do_events.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"

#include "support/screenshot.h"

#include <string>
#include <vector>

namespace {

using namespace kttest;

constexpr int Rows = 12, Columns = 5;
constexpr int LabelWidth = 80, HeaderHeight = 24, CellWidth = 130, CellHeight = 40;
constexpr int ButtonWidth = 120, ButtonHeight = 30;

const wchar_t* const captions[Rows] = {L"Axtar",  L"Hə",    L" No",      L"Закрыть", L"Tamam", L"Отмена",
                                       L"&Axtar", L"Bağla", L"Скорость", L"Dil",     L"Выход", L"Haqqında"};
const wchar_t* const states[Columns] = {L"normal", L"hot", L"pressed", L"disabled", L"focused"};

std::wstring nameOf(int row, int column) {
    return L"b" + std::to_wstring(row) + L"_" + std::to_wstring(column);
}

class StylesForm : public HostForm {
public:
    StylesForm() : HostForm(table(), true) {
        setBorderStyle(1);
        setCaption(L"ktButton");
        setClientSize((LabelWidth + Columns * CellWidth) * 15, (HeaderHeight + Rows * CellHeight) * 15);
        setBackColor(0x00F0ECE8);
        setFont(forms::StdFont::create(L"Tahoma", 8));
    }

    static forms::Layout table() {
        forms::Layout t;
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Columns; ++c) {
                forms::PropertyBag stored;
                stored.WriteProperty(L"ButtonStyle", core::Variant(std::int32_t(r)));
                stored.WriteProperty(L"Caption", core::Variant(std::wstring(captions[r])));
                t.push_back(buttonEntry(nameOf(r, c), LabelWidth + c * CellWidth + 5,
                                        HeaderHeight + r * CellHeight + 5, ButtonWidth, ButtonHeight,
                                        std::move(stored)));
            }
        return t;
    }
};

std::shared_ptr<forms::StdPicture> iconPicture(LPCWSTR id) {
    return forms::StdPicture::fromIcon(CopyIcon(LoadIconW(nullptr, id)));
}

TEST(KtButtonDemo, TwelveStylesInFiveStatesScreenshot) {
    ktButton::registerType();
    auto form = std::make_shared<StylesForm>();
    form->load();
    const auto info = iconPicture(IDI_INFORMATION);
    const auto warning = iconPicture(IDI_WARNING);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) {
            ktButton& b = form->control<ktButton>(nameOf(r, c));
            b.ColorScheme(-1, false);
            if (r % 3 == 1) {
                b.setPictureNormal(info);
                b.setPictureSize(1);
                b.setPictureAlignment(3);
            } else if (r % 3 == 2) {
                b.setPictureNormal(warning);
                b.setPictureHot(info);
                b.setPictureSize(1);
                b.setPictureAlignment(4);
            }
            if (r == 4 || r == 8) b.setSpecialEffect(1);
        }
    form->Show();
    SetForegroundWindow(form->hWnd());
    forms::DoEvents();
    forms::Surface& s = form->surface();
    for (int c = 0; c < Columns; ++c) {
        s.setCurrentX(static_cast<float>((LabelWidth + c * CellWidth + 40) * 15));
        s.setCurrentY(60);
        s.Print(states[c]);
    }
    for (int r = 0; r < Rows; ++r) {
        s.setCurrentX(75);
        s.setCurrentY(static_cast<float>((HeaderHeight + r * CellHeight + 12) * 15));
        s.Print(L"Style " + std::to_wstring(r));
    }
    form->Refresh();
    forms::DoEvents();

    PointerSeam pointer;
    std::vector<testsupport::Shot> cells(Rows * Columns);
    auto capture = [&](ktButton& b, int r, int c) {
        UpdateWindow(b.hWnd());
        GdiFlush();
        cells[size_t(r * Columns + c)] = testsupport::captureWindow(b.hWnd());
    };
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            ktButton& b = form->control<ktButton>(nameOf(r, c));
            switch (c) {
            case 1:
                pointer.under = b.hWnd();
                SendMessageW(b.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
                EXPECT_EQ(b.look().State, 1) << r;
                capture(b, r, c);
                pointer.under = nullptr;
                SendMessageW(b.hWnd(), WM_MOUSELEAVE, 0, 0);
                break;
            case 2:
                pointer.under = b.hWnd();
                SendMessageW(b.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
                SendMessageW(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
                EXPECT_EQ(b.look().State, 2) << r;
                capture(b, r, c);
                SendMessageW(b.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
                pointer.under = nullptr;
                SendMessageW(b.hWnd(), WM_MOUSELEAVE, 0, 0);
                break;
            case 3:
                b.setEnabled(false);
                capture(b, r, c);
                break;
            case 4:
                SendMessageW(form->hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
                b.SetFocus();
                EXPECT_TRUE(b.state().paintedFocus) << r;
                capture(b, r, c);
                break;
            default:
                capture(b, r, c);
                break;
            }
        }
    }
    // The grid: the form as it stands, each cell replaced by its own capture.
    testsupport::Shot grid = testsupport::captureWindow(form->hWnd(), true);
    ASSERT_FALSE(grid.px.empty());
    POINT origin{0, 0};
    ClientToScreen(form->hWnd(), &origin);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) {
            const testsupport::Shot& cell = cells[size_t(r * Columns + c)];
            const HWND button = form->control<ktButton>(nameOf(r, c)).hWnd();
            RECT wr{};
            GetWindowRect(button, &wr);
            // Only what the window's region shows: the form is seen round the corners.
            HRGN shape = CreateRectRgn(0, 0, 0, 0);
            const bool shaped = GetWindowRgn(button, shape) != ERROR;
            for (int y = 0; y < cell.h; ++y)
                for (int x = 0; x < cell.w; ++x) {
                    if (shaped && !PtInRegion(shape, x, y)) continue;
                    const int gx = wr.left - origin.x + x, gy = wr.top - origin.y + y;
                    if (gx >= 0 && gy >= 0 && gx < grid.w && gy < grid.h)
                        grid.px[size_t(gy) * size_t(grid.w) + size_t(gx)] =
                            cell.px[size_t(y) * size_t(cell.w) + size_t(x)];
                }
            DeleteObject(shape);
        }
    EXPECT_TRUE(testsupport::saveShot(grid, L"kt-button-styles"));
    form->Unload();
}

} // namespace
