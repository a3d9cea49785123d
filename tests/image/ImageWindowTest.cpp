// The image viewer on real windows, given its pictures by a host of the
// test's own: what the user sees (the picture's pixels read back from the
// window, its size, the caption, the information bar), driven by real keys.
#include <gtest/gtest.h>

#include "ExifTestData.h"
#include "FormTestSupport.h"
#include "ImageTestPictures.h"
#include "TestSupport.h"
#include "util/Controls.h"
#include "util/IniFile.h"
#include "util/StrConv.h"
#include "util/Theme.h"
#include "keymap/KeyMap.h"
#include "settings/FormSetting.h"
#include "viewers/image/FormImage.h"
#include "viewers/image/FormKeyMove.h"

using namespace quibtest;
using quib::TFormImage;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0);

// Rows are files in a folder; fetching a row gives its file.
class FakeHost : public quib::ImageViewerHost {
public:
    std::vector<std::wstring> files;  // full paths, one per row
    int current = 0;
    int decoder = 0;
    bool japanese = true;
    std::vector<bool> marks;
    std::vector<std::wstring> started;
    int fetches = 0;

    std::wstring FirstFile() const override { return files.at(static_cast<size_t>(current)); }
    int DecoderIndex() const override { return decoder; }
    bool Japanese() const override { return japanese; }
    bool ListsArchive() const override { return true; }
    int RowCount() const override { return static_cast<int>(files.size()); }
    int CurrentRow() const override { return current; }
    void SelectRow(int row) override { current = row; }
    std::wstring StoredPath(int row) const override {
        const std::wstring& f = files.at(static_cast<size_t>(row));
        return f.substr(f.find_last_of(L'\\') + 1);
    }
    bool MarkableRow(int) const override { return true; }
    bool RowMarked(int row) const override { return marks.size() > static_cast<size_t>(row) && marks[static_cast<size_t>(row)]; }
    void SetRowMarked(int row, bool m) override {
        marks.resize(files.size());
        marks[static_cast<size_t>(row)] = m;
    }
    std::vector<std::wstring> DecoderExtensions(int d) const override {
        if (d == 2) return {L".ppm"};
        return {L".jpg", L".png", L".bmp"};
    }
    std::vector<std::wstring> MarkedAtOpening() const override { return {}; }
    std::wstring FetchRow(int row, HWND) override {
        ++fetches;
        return files.at(static_cast<size_t>(row));
    }
    bool StartProgram(const std::wstring& program, const std::wstring& options) override {
        started.push_back(program + L"|" + options);
        return true;
    }
};

// A JPEG of two colour blocks with an Exif orientation in the given byte order.
std::string JpegWithOrientation(int w, int h, COLORREF a, COLORREF b, int orientation, bool bigEndian) {
    const std::string jpeg = EncodePicture(GUID_ContainerFormatJpeg, w, h, TwoBlocks(w, h, a, b));
    const auto tiff = TiffBlock({{0x010F, 2, 4, {'Q', 'F', 'M', 0}},
                                 {0x0112, 3, 1, Short1(static_cast<std::uint16_t>(orientation), bigEndian)}},
                                bigEndian);
    return InsertExifAfterSoi(jpeg, tiff);
}

// The colour at a point of the picture area, read from the window.
COLORREF AreaPixel(HWND area, int x, int y) {
    UpdateWindow(area);
    HDC dc = GetDC(area);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(area, dc);
    return c;
}

// The colour in the middle of a window, read from the screen.
COLORREF WindowPixel(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return AreaPixel(w, r.right / 2, r.bottom / 2);
}

bool Near(COLORREF a, COLORREF b) {
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    return d(GetRValue(a), GetRValue(b)) < 60 && d(GetGValue(a), GetGValue(b)) < 60 && d(GetBValue(a), GetBValue(b)) < 60;
}

std::string Hex(COLORREF c) {
    char buf[16];
    snprintf(buf, sizeof buf, "%06lX", static_cast<unsigned long>(c));
    return buf;
}

// The colours at the centres of the picture's four quarters' middles:
// top-middle, bottom-middle, left-middle, right-middle.
struct Sides {
    COLORREF top, bottom, left, right;
};
Sides ReadSides(TFormImage& v) {
    const RECT r = v.PictureRect();
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const int qh = (r.bottom - r.top) / 4, qw = (r.right - r.left) / 4;
    return {AreaPixel(v.PictureArea(), cx, r.top + qh), AreaPixel(v.PictureArea(), cx, r.bottom - qh - 1),
            AreaPixel(v.PictureArea(), r.left + qw, cy), AreaPixel(v.PictureArea(), r.right - qw - 1, cy)};
}

// Shows the viewer modally and runs the check inside it; the check closes it.
void RunViewer(FakeHost& host, const std::function<void(TFormImage&)>& check) {
    quib::FormInstance<TFormImage> viewer(host);
    bool ran = false;
    DuringModal driver([&] {
        if (!viewer.Handle() || !IsWindowVisible(viewer.Handle()) || !viewer.BoolFormShow) return false;
        Pump(50);
        check(viewer);
        ran = true;
        if (viewer.Handle()) PostMessageW(viewer.Handle(), WM_CLOSE, 0, 0);
        return true;
    });
    viewer.ShowModal();
    EXPECT_TRUE(ran);
}

class ImageWindow : public ::testing::Test {
protected:
    TestProgramFolder folder;
    TempDir dir;
    MsgCapture messages;
    FakeHost host;
    std::wstring Write(const std::wstring& name, const std::string& bytes) {
        const std::wstring p = dir / name;
        EXPECT_TRUE(WriteFileBytes(p, bytes));
        return p;
    }
};

// Orientation 6 turns the picture a quarter clockwise in either byte order:
// the 40 x 20 picture (red left, blue right) stands 20 x 40 with red on top.
// Orientation 3 turns it half round; 2 (mirrored) and 1 leave it as it is.
TEST_F(ImageWindow, ExifOrientationTurnsThePictureAsTheUserSeesIt) {
    struct Case {
        int orientation;
        bool bigEndian;
        int w, h;
        COLORREF first, second;  // top/bottom when turned a quarter, else left/right
    } cases[] = {
        {6, false, 20, 40, kRed, kBlue}, {6, true, 20, 40, kRed, kBlue},  {8, false, 20, 40, kBlue, kRed},
        {3, true, 40, 20, kBlue, kRed},  {2, false, 40, 20, kRed, kBlue}, {1, true, 40, 20, kRed, kBlue},
    };
    for (const Case& c : cases) {
        host.files = {Write(L"o" + std::to_wstring(c.orientation) + (c.bigEndian ? L"mm" : L"ii") + L".jpg",
                            JpegWithOrientation(40, 20, kRed, kBlue, c.orientation, c.bigEndian))};
        host.current = 0;
        RunViewer(host, [&](TFormImage& v) {
            const RECT r = v.PictureRect();
            EXPECT_EQ(r.right - r.left, c.w) << c.orientation;
            EXPECT_EQ(r.bottom - r.top, c.h) << c.orientation;
            const Sides s = ReadSides(v);
            if (c.w < c.h) {
                EXPECT_TRUE(Near(s.top, c.first)) << c.orientation << " top " << Hex(s.top);
                EXPECT_TRUE(Near(s.bottom, c.second)) << c.orientation << " bottom " << Hex(s.bottom);
            } else {
                EXPECT_TRUE(Near(s.left, c.first)) << c.orientation << " left " << Hex(s.left);
                EXPECT_TRUE(Near(s.right, c.second)) << c.orientation << " right " << Hex(s.right);
            }
            EXPECT_EQ(v.IntImageRotateManualIndex, c.orientation == 6 ? 1 : c.orientation == 3 ? 2 : c.orientation == 8 ? 3 : 0);
            EXPECT_EQ(quib::GetText(v.InformationLabel()).substr(0, 12),
                      std::wstring(L"\u3000[100 ") + std::to_wstring(c.w) + L"," + std::to_wstring(c.h) + L"]");
            EXPECT_EQ(quib::GetText(v.Handle()), L"画像表示[WIC]");
        });
    }
    EXPECT_TRUE(messages.Texts().empty());
}

// The keys of the key map turn, mirror and zoom the picture on show.
TEST_F(ImageWindow, KeysTurnMirrorAndZoom) {
    host.files = {Write(L"a.png", EncodePicture(GUID_ContainerFormatPng, 40, 20, TwoBlocks(40, 20, kRed, kBlue)))};
    RunViewer(host, [&](TFormImage& v) {
        EXPECT_NE(quib::GetText(v.InformationLabel()).find(L"[100 40,20] 24Bits "), std::wstring::npos)
            << quib::WideToUtf8(quib::GetText(v.InformationLabel()));
        HWND area = v.PictureArea();
        PressKey(area, 'R');
        RECT r = v.PictureRect();
        EXPECT_EQ(r.right - r.left, 20);
        EXPECT_TRUE(Near(ReadSides(v).top, kRed));
        PressKey(area, 'L');
        PressKey(area, 'L');
        r = v.PictureRect();
        EXPECT_EQ(v.IntImageRotateManualIndex, 3);
        EXPECT_TRUE(Near(ReadSides(v).top, kBlue));
        PressKey(area, 'R');
        PressKey(area, 'H');  // mirrored left-right: blue on the left
        EXPECT_TRUE(Near(ReadSides(v).left, kBlue));
        EXPECT_TRUE(Near(ReadSides(v).right, kRed));
        PressKey(area, 'H');
        PressKey(area, VK_OEM_6);  // "]" zooms in and switches fit off for this picture
        EXPECT_EQ(v.IntImageScale, 120);
        EXPECT_FALSE(v.Fit());
        r = v.PictureRect();
        EXPECT_EQ(r.right - r.left, 48);
        EXPECT_EQ(r.left, 0);
        PressKey(area, VK_OEM_4);
        PressKey(area, VK_OEM_4);
        EXPECT_EQ(v.IntImageScale, 90);
        r = v.PictureRect();
        EXPECT_EQ(r.right - r.left, 36);
    });
    EXPECT_TRUE(messages.Texts().empty());
}

// A picture no decoder can read says so, in the window's language, and the
// viewer stays usable: stepping on shows the next picture.
TEST_F(ImageWindow, CorruptPictureGivesItsMessageAndTheViewerGoesOn) {
    for (bool japanese : {true, false}) {
        messages.Clear();
        host.japanese = japanese;
        host.files = {Write(L"bad.jpg", std::string("\xFF\xD8\xFF\xE0 this is no picture at all", 33)),
                      Write(L"good.png", EncodePicture(GUID_ContainerFormatPng, 30, 10, TwoBlocks(30, 10, kGreen, kYellow)))};
        host.current = 0;
        RunViewer(host, [&](TFormImage& v) {
            EXPECT_EQ(v.PictureBitmap(), nullptr);
            PressKey(v.PictureArea(), 'N');
            EXPECT_EQ(host.current, 1);
            const RECT r = v.PictureRect();
            EXPECT_EQ(r.right - r.left, 30);
            EXPECT_TRUE(Near(ReadSides(v).left, kGreen));
            EXPECT_EQ(quib::GetText(v.Handle()), japanese ? L"画像表示[WIC]" : L"Image Viwer[WIC]");
        });
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], japanese ? L"Information : 画像が読み込めませんでした(読込)"
                                                : L"Information : Image file can not read(Raed).\r\n[OK]");
    }
}

// Down and up step through the rows that hold pictures; the last picture
// stays put; Space marks the row and moves on.
TEST_F(ImageWindow, SteppingAndMarking) {
    host.files = {Write(L"1.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, TwoBlocks(10, 10, kRed, kRed))),
                  Write(L"2.txt", "text"),
                  Write(L"3.bmp", EncodePicture(GUID_ContainerFormatBmp, 12, 10, TwoBlocks(12, 10, kBlue, kBlue))),
                  Write(L"4.jpg", EncodePicture(GUID_ContainerFormatJpeg, 14, 10, TwoBlocks(14, 10, kGreen, kGreen)))};
    RunViewer(host, [&](TFormImage& v) {
        HWND area = v.PictureArea();
        PressKey(area, 'N');
        EXPECT_EQ(host.current, 2);
        EXPECT_EQ(v.IntImageReadWidth, 12);
        PressKey(area, 'N');
        EXPECT_EQ(host.current, 3);
        PressKey(area, 'N');
        EXPECT_EQ(host.current, 3);
        PressKey(area, 'B');
        EXPECT_EQ(host.current, 2);
        PressKey(area, VK_SPACE);
        EXPECT_TRUE(host.RowMarked(2));
        EXPECT_EQ(host.current, 3);
        PressKey(area, 'B');
        EXPECT_EQ(quib::GetText(v.InformationLabel()).substr(0, 1), L"●");
        EXPECT_TRUE(Near(ReadSides(v).left, kBlue));
    });
}

// Full screen hides the taskbar; Esc, and closing the viewer while in full
// screen, give it back.
TEST_F(ImageWindow, FullScreenAlwaysGivesTheTaskbarBack) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    // A taskbar of the test's own, in front of any the system has, so it is
    // the one the viewer finds.
    HWND tray = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(tray, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(tray);
    ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray);
    host.files = {Write(L"a.png", EncodePicture(GUID_ContainerFormatPng, 40, 20, TwoBlocks(40, 20, kRed, kBlue)))};
    RunViewer(host, [&](TFormImage& v) {
        PressKey(v.PictureArea(), 'M');
        EXPECT_TRUE(v.FullScreen());
        EXPECT_FALSE(IsWindowVisible(tray));
        EXPECT_FALSE(IsWindowVisible(v.InformationLabel()));
        EXPECT_EQ(GetMenu(v.Handle()), nullptr);
        PressKey(v.PictureArea(), 'R');  // menu keys do nothing in full screen
        EXPECT_EQ(v.IntImageRotateManualIndex, 0);
        PressKeyOnFocus(VK_ESCAPE);
        EXPECT_FALSE(v.FullScreen());
        EXPECT_TRUE(IsWindowVisible(tray));
        EXPECT_NE(GetMenu(v.Handle()), nullptr);
        EXPECT_TRUE(IsWindowVisible(v.InformationLabel()));
        PressKey(v.PictureArea(), 'M');
        EXPECT_FALSE(IsWindowVisible(tray));
        // The check ends by closing the window while in full screen.
    });
    EXPECT_TRUE(IsWindowVisible(tray));
    EXPECT_FALSE(quib::TaskbarHiddenByViewer());
    DestroyWindow(tray);
}

// Without a picture, full screen and rotation say so.
TEST_F(ImageWindow, NoPictureNoFullScreen) {
    host.files = {L""};
    RunViewer(host, [&](TFormImage& v) {
        PressKey(v.PictureArea(), 'M');
        EXPECT_FALSE(v.FullScreen());
    });
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], L"Information : ファイルが読み込まれていません");
}

}  // namespace

namespace {

// A binary PPM of two colour blocks (left a, right b).
std::string Ppm(int w, int h, COLORREF a, COLORREF b) {
    std::string s = "P6\n# made by the test\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = x < w / 2 ? a : b;
            s += static_cast<char>(GetRValue(c)), s += static_cast<char>(GetGValue(c)), s += static_cast<char>(GetBValue(c));
        }
    return s;
}

class SusieWindow : public ImageWindow {
protected:
    void SetUp() override {
        host.decoder = 2;
        const std::wstring program = quib::ProgramFolder();
        ASSERT_TRUE(CopyFileW((BinDir() + L"\\quibppm.spi").c_str(), (program + L"\\quibppm.spi").c_str(), FALSE));
    }
    void ListFile(const std::string& utf8Lines) {
        ASSERT_TRUE(WriteFileBytes(quib::ProgramFolder() + L"\\quibFM-spi.txt", "\xEF\xBB\xBF" + utf8Lines));
    }
};

// A format WIC does not read, decoded by the plug-in named in the list file
// (the "%P" prefix made the program folder), turned by the keys like any.
TEST_F(SusieWindow, PluginPictureShownAndTurned) {
    ListFile("有効\t.ppm\tNetpbm\t%P\\quibppm.spi\r\n");
    host.files = {Write(L"p.ppm", Ppm(40, 20, kRed, kBlue))};
    RunViewer(host, [&](TFormImage& v) {
        EXPECT_EQ(quib::GetText(v.Handle()), L"画像表示[Susie]");
        EXPECT_NE(quib::GetText(v.InformationLabel()).find(L"[100 40,20] 24Bits "), std::wstring::npos);
        RECT r = v.PictureRect();
        EXPECT_EQ(r.right - r.left, 40);
        EXPECT_EQ(r.bottom - r.top, 20);
        EXPECT_TRUE(Near(ReadSides(v).left, kRed)) << Hex(ReadSides(v).left);
        EXPECT_TRUE(Near(ReadSides(v).right, kBlue));
        PressKey(v.PictureArea(), 'R');
        r = v.PictureRect();
        EXPECT_EQ(r.right - r.left, 20);
        EXPECT_TRUE(Near(ReadSides(v).top, kRed));
        EXPECT_TRUE(Near(ReadSides(v).bottom, kBlue));
    });
    EXPECT_TRUE(messages.Texts().empty());
}

// The enable word is the language's own: "有効" lines are not used in
// English, so no plug-in is found; a list file that is missing says so; a
// broken picture the plug-in refuses gives the reading message.
TEST_F(SusieWindow, PluginChoiceAndFailures) {
    host.files = {Write(L"p.ppm", Ppm(8, 8, kRed, kBlue))};
    struct Case {
        bool japanese;
        const char* list;  // null: no list file
        std::string picture;
        const wchar_t* message;
    } cases[] = {
        {false, "有効\t.ppm\tNetpbm\t%P\\quibppm.spi\r\n", Ppm(8, 8, kRed, kBlue),
         L"Information : Suported SPI file is not exist.\r\n[OK]"},
        {true, "有効\t.ppm\tNetpbm\t%P\\none.spi\r\n", Ppm(8, 8, kRed, kBlue), L"Information : サポートしている SPI がありません"},
        {true, nullptr, Ppm(8, 8, kRed, kBlue), L"Information : SPI の設定ファイルがありません"},
        {false, nullptr, Ppm(8, 8, kRed, kBlue), L"Information : SPI file is not exist.\r\n[OK]"},
        {true, "有効\t.ppm\tNetpbm\t%P\\quibppm.spi\r\n", Ppm(8, 8, kRed, kBlue).substr(0, 40),
         L"Information : 画像が読み込めませんでした(読込)"},
    };
    for (const Case& c : cases) {
        messages.Clear();
        DeleteFileW((quib::ProgramFolder() + L"\\quibFM-spi.txt").c_str());
        if (c.list) ListFile(c.list);
        host.japanese = c.japanese;
        host.files = {Write(L"p.ppm", c.picture)};
        RunViewer(host, [&](TFormImage& v) { EXPECT_EQ(v.PictureBitmap(), nullptr); });
        ASSERT_EQ(messages.Texts().size(), 1u) << (c.list ? c.list : "no list");
        EXPECT_EQ(messages.Texts()[0], c.message);
    }
}

}  // namespace

namespace {

// The key map written beside the program at the first show, one line per
// command of the key table, and the English captions from "Image.txt".
TEST_F(ImageWindow, KeyMapFileAndEnglishCaptions) {
    ASSERT_TRUE(CopyTree(BinDir() + L"\\Language", quib::ProgramFolder() + L"\\Language"));
    host.japanese = false;
    host.files = {Write(L"a.png", EncodePicture(GUID_ContainerFormatPng, 40, 20, TwoBlocks(40, 20, kRed, kBlue)))};
    RunViewer(host, [&](TFormImage& v) {
        EXPECT_EQ(v.MenuItemCaption(1204), L"Move &up");
        EXPECT_EQ(v.MenuItemCaption(1324), L"Shrink the image to &fit the window");
        EXPECT_EQ(v.MenuItemCaption(TFormImage::kTagMenuKeyMove), L"Keyboard settings of full screen &moves...");
        EXPECT_EQ(v.MenuItemCaption(TFormImage::kTagMenuSettingRate), L"Slide Show Interval[&5Sec]");
        EXPECT_EQ(quib::GetText(v.Handle()), L"Image Viwer[WIC]");
    });
    quib::KeyMapTable table;
    ASSERT_TRUE(quib::ReadKeyMapFile(quib::ProgramFolder() + L"\\quibFMarchive-KeyMapImage.txt", table));
    EXPECT_EQ(table.size(), 35u);
    const quib::KeyMapLine* mark = quib::FindKeyMapLine(table, L"1111");
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->category, L"操作");
    EXPECT_EQ(mark->keyText, L"Space");
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1512"), nullptr);
    EXPECT_EQ(quib::FindKeyMapLine(table, L"1600"), nullptr);
    const quib::KeyMapLine* scaleUp = quib::FindKeyMapLine(table, L"1302");
    ASSERT_NE(scaleUp, nullptr);
    EXPECT_EQ(scaleUp->keyText, L"]");
    EXPECT_TRUE(messages.Texts().empty());
}

}  // namespace

namespace {

// The full-screen movement keys chosen in their dialog: saved by name and
// list position, and in force at once in the open viewer.
TEST_F(ImageWindow, FullScreenMoveKeysChosenInTheirDialog) {
    host.files = {Write(L"1.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, TwoBlocks(10, 10, kRed, kRed))),
                  Write(L"2.png", EncodePicture(GUID_ContainerFormatPng, 12, 10, TwoBlocks(12, 10, kBlue, kBlue)))};
    RunViewer(host, [&](TFormImage& v) {
        bool saved = false;
        DuringModal dialog([&] {
            HWND d = FindThreadWindow(L"キーボード設定(移動)");
            auto* form = d ? dynamic_cast<quib::TFormKeyMove*>(quib::TFormBase::FromHandle(d)) : nullptr;
            if (!form) return false;
            EXPECT_EQ(SendMessageW(form->Combo(0), CB_GETCURSEL, 0, 0), 38);  // "Left"
            EXPECT_EQ(SendMessageW(form->Combo(3), CB_GETCOUNT, 0, 0), 55);
            SendMessageW(form->Combo(3), CB_SETCURSEL, 10, 0);  // "A"
            SendMessageW(form->Combo(0), CB_SETCURSEL, 54, 0);  // "\"
            form->ButtonSaveClick();
            saved = true;
            return true;
        });
        v.MenuKeyMoveClick();
        EXPECT_TRUE(saved);
        EXPECT_EQ(v.IntMoveNextKey, 'A');
        EXPECT_EQ(v.IntMovePrevKey, 220);
        PressKey(v.PictureArea(), 'M');
        ASSERT_TRUE(v.FullScreen());
        PressKey(v.PictureArea(), 'A');
        EXPECT_EQ(host.current, 1);
        PressKey(v.PictureArea(), VK_ESCAPE);
        EXPECT_FALSE(v.FullScreen());
    });
    EXPECT_EQ(folder.Read(L"FormMoveKey", L"Next"), L"A");
    EXPECT_EQ(folder.Read(L"FormMoveKey", L"NextIndex"), L"10");
    EXPECT_EQ(folder.Read(L"FormMoveKey", L"Prev"), L"\\");
    EXPECT_EQ(folder.Read(L"FormMoveKey", L"UpIndex"), L"36");
}

// The parameter settings opened from the viewer: after OK the side bars take
// their new width and the slide-show interval its caption at once; Cancel
// leaves both.
TEST_F(ImageWindow, ParameterSettingsApplyAtOnce) {
    folder.Write(L"Image", L"SideBar", L"1");
    host.files = {Write(L"a.png", EncodePicture(GUID_ContainerFormatPng, 40, 20, TwoBlocks(40, 20, kRed, kBlue)))};
    auto areaLeft = [](TFormImage& v) {
        RECT r{};
        GetWindowRect(v.PictureArea(), &r);
        MapWindowPoints(nullptr, v.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return static_cast<int>(r.left);
    };
    auto settings = [](TFormImage& v, bool ok) {
        bool ran = false;
        DuringModal dialog([&] {
            HWND w = FindThreadWindow(L"パラメータ設定");
            auto* f = w ? dynamic_cast<quib::TFormSetting*>(quib::TFormBase::FromHandle(w)) : nullptr;
            if (!f || !f->Visible()) return false;
            for (auto [list, index] : {std::pair{quib::ImageList::SideBar, 14}, std::pair{quib::ImageList::Interval, 9}}) {
                HWND combo = f->ImageCombo(list);
                SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
                SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(combo));
            }
            SendMessageW(ok ? f->ButtonOK() : f->ButtonCancel(), BM_CLICK, 0, 0);
            ran = true;
            return true;
        });
        v.RunCommand(1501);
        EXPECT_TRUE(ran);
    };
    RunViewer(host, [&](TFormImage& v) {
        EXPECT_EQ(areaLeft(v), 100);
        EXPECT_EQ(MenuText(GetMenu(v.Handle()), TFormImage::kTagMenuSettingRate), L"表示間隔[&5秒]");
        settings(v, false);
        EXPECT_EQ(areaLeft(v), 100);
        settings(v, true);
        EXPECT_EQ(areaLeft(v), 150);
        EXPECT_EQ(MenuText(GetMenu(v.Handle()), TFormImage::kTagMenuSettingRate), L"表示間隔[&10秒]");
    });
    EXPECT_EQ(folder.Read(L"ImageSideBar", L"Text"), L"150");
}


// The slide show steps to the next picture on its interval, from the last
// back to the first, with the menus that would disturb it switched off;
// stopping it stops the stepping and gives the menus back.
TEST_F(ImageWindow, SlideShowStepsOnItsIntervalUntilStopped) {
    folder.Write(L"ImageInterval", L"Index", L"0");  // one second
    host.files = {Write(L"1.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, TwoBlocks(10, 10, kRed, kRed))),
                  Write(L"2.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, TwoBlocks(10, 10, kBlue, kBlue))),
                  Write(L"3.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, TwoBlocks(10, 10, kGreen, kGreen)))};
    RunViewer(host, [&](TFormImage& v) {
        HMENU bar = GetMenu(v.Handle());
        auto grayed = [&](UINT item, UINT by) { return (GetMenuState(bar, item, by) & MF_GRAYED) != 0; };
        v.RunCommand(1101);
        EXPECT_TRUE(v.SlideShowRunning());
        EXPECT_TRUE(grayed(1101, MF_BYCOMMAND));
        EXPECT_FALSE(grayed(1102, MF_BYCOMMAND));
        for (UINT top : {3u, 4u, 5u}) EXPECT_TRUE(grayed(top, MF_BYPOSITION)) << top;
        EXPECT_FALSE(grayed(2, MF_BYPOSITION));  // moving by hand still works
        EXPECT_TRUE(WaitFor([&] { return host.current == 1; }, 4000));
        EXPECT_TRUE(Near(ReadSides(v).left, kBlue));
        EXPECT_TRUE(WaitFor([&] { return host.current == 2; }, 4000));
        EXPECT_TRUE(WaitFor([&] { return host.current == 0; }, 4000));
        EXPECT_TRUE(Near(ReadSides(v).left, kRed));
        v.RunCommand(1102);
        EXPECT_FALSE(v.SlideShowRunning());
        Pump(2500);
        EXPECT_EQ(host.current, 0);
        EXPECT_FALSE(grayed(1101, MF_BYCOMMAND));
        EXPECT_TRUE(grayed(1102, MF_BYCOMMAND));
        for (UINT top : {3u, 4u, 5u}) EXPECT_FALSE(grayed(top, MF_BYPOSITION)) << top;
    });
}

// The wheel over the picture steps one picture every second notch (the
// default count), not again within its short latch; over the vertical scroll
// bar of a picture taller than the window it scrolls by the wheel step
// instead and never steps.
TEST_F(ImageWindow, WheelStepsEverySecondNotchAndScrollsOverTheScrollBar) {
    folder.Write(L"Image", L"Fit", L"0");
    host.files = {Write(L"tall.png", EncodePicture(GUID_ContainerFormatPng, 60, 3000, TwoBlocks(60, 3000, kRed, kRed))),
                  Write(L"2.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, TwoBlocks(10, 10, kBlue, kBlue))),
                  Write(L"3.png", EncodePicture(GUID_ContainerFormatPng, 10, 10, TwoBlocks(10, 10, kGreen, kGreen)))};
    RunViewer(host, [&](TFormImage& v) {
        HWND area = v.PictureArea();
        RECT outer{}, client{};
        GetWindowRect(area, &outer);
        GetClientRect(area, &client);
        ASSERT_GT(outer.right - outer.left, client.right);  // the vertical scroll bar stands
        auto wheel = [&](int x, int y, bool down) {
            SendMessageW(area, WM_MOUSEWHEEL, MAKEWPARAM(0, down ? -WHEEL_DELTA : WHEEL_DELTA), MAKELPARAM(x, y));
        };
        const int barX = outer.left + client.right + 2, middleY = (outer.top + outer.bottom) / 2;
        wheel(barX, middleY, true);
        EXPECT_EQ(GetScrollPos(area, SB_VERT), 24);
        wheel(barX, middleY, true);
        EXPECT_EQ(GetScrollPos(area, SB_VERT), 48);
        wheel(barX, middleY, false);
        EXPECT_EQ(GetScrollPos(area, SB_VERT), 24);
        EXPECT_EQ(host.current, 0);

        const int pictureX = outer.left + 20, pictureY = outer.top + 20;
        Pump(60);
        wheel(pictureX, pictureY, true);  // the count was left at 1 by the scrolling
        EXPECT_EQ(host.current, 1);
        wheel(pictureX, pictureY, true);
        EXPECT_EQ(host.current, 1);
        wheel(pictureX, pictureY, true);  // a second notch while the latch is on: no step
        EXPECT_EQ(host.current, 1);
        Pump(60);
        wheel(pictureX, pictureY, true);
        wheel(pictureX, pictureY, false);  // the second notch's direction decides
        EXPECT_EQ(host.current, 0);
    });
}

// Side-bar colours: under the default style the bars follow the background
// while they are to match it and show their own colour otherwise; every
// colour command repaints them by that rule.
TEST_F(ImageWindow, SideBarsFollowTheBackgroundUnderTheDefaultStyle) {
    folder.Write(L"Image", L"SideBar", L"1");
    folder.Write(L"ImageSideBar", L"Color", L"$0000FF");
    host.files = {Write(L"a.png", EncodePicture(GUID_ContainerFormatPng, 40, 20, TwoBlocks(40, 20, kRed, kBlue)))};
    RunViewer(host, [&](TFormImage& v) {
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), RGB(0, 0, 0x40));  // the first background
        v.RunCommand(1322);
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), RGB(0x80, 0x80, 0x80));
        EXPECT_EQ(WindowPixel(v.RightSideBar()), RGB(0x80, 0x80, 0x80));
        v.RunCommand(1333);
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), RGB(0xFF, 0, 0));
        v.RunCommand(1322);
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), RGB(0xFF, 0, 0));
        // Full screen shows the top strip in the background colour, no menu bar.
        PressKey(v.PictureArea(), 'M');
        EXPECT_EQ(GetMenu(v.Handle()), nullptr);
        EXPECT_TRUE(IsWindowVisible(v.TopStrip()));
        EXPECT_EQ(WindowPixel(v.TopStrip()), RGB(0xF5, 0xF5, 0xF5));
        PressKeyOnFocus(VK_ESCAPE);
        EXPECT_FALSE(IsWindowVisible(v.TopStrip()));
    });
}

class DarkImageWindow : public ImageWindow {
protected:
    static constexpr COLORREF kListColor = RGB(0x20, 0x30, 0x28);
    void SetUp() override { quib::SetApplicationStyle(quib::VisualStyle::Carbon, kListColor); }
    void TearDown() override { quib::SetApplicationStyle(quib::VisualStyle::System, 0); }
};

// Under a dark style the bars are the style's panels: the background at the
// start when they are to match it, the style's list colour after either
// side-bar colour command, and a background change leaves them alone. Full
// screen keeps a blank menu bar instead of the top strip.
TEST_F(DarkImageWindow, SideBarsAreTheStylesPanels) {
    folder.Write(L"Image", L"SideBar", L"1");
    folder.Write(L"ImageSideBar", L"Color", L"$0000FF");
    host.files = {Write(L"a.png", EncodePicture(GUID_ContainerFormatPng, 40, 20, TwoBlocks(40, 20, kRed, kBlue)))};
    RunViewer(host, [&](TFormImage& v) {
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), RGB(0, 0, 0x40));
        v.RunCommand(1322);
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), RGB(0, 0, 0x40));
        v.RunCommand(1333);
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), kListColor);
        EXPECT_EQ(WindowPixel(v.RightSideBar()), kListColor);
        v.RunCommand(1333);
        EXPECT_EQ(WindowPixel(v.LeftSideBar()), kListColor);
        PressKey(v.PictureArea(), 'M');
        ASSERT_TRUE(v.FullScreen());
        HMENU blank = GetMenu(v.Handle());
        ASSERT_NE(blank, nullptr);
        EXPECT_EQ(GetMenuItemCount(blank), 1);
        EXPECT_EQ(MenuText(blank, 0), L" ");
        EXPECT_FALSE(IsWindowVisible(v.TopStrip()));
        PressKeyOnFocus(VK_ESCAPE);
        EXPECT_FALSE(v.FullScreen());
        EXPECT_GT(GetMenuItemCount(GetMenu(v.Handle())), 1);
    });
}

}  // namespace
