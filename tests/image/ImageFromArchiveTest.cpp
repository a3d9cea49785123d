// The image viewer opened by the main window on a zip made at test time:
// the picture extracted into the temporary folder and shown turned as its
// Exif asks, the next picture extracted on demand as the user steps, the
// main list's cursor following; the same through a Susie archive plug-in.
#include <gtest/gtest.h>

#include <set>

#include "ExifTestData.h"
#include "FormTestSupport.h"
#include "ImageTestPictures.h"
#include "MainWindowHarness.h"
#include "QsaArchive.h"
#include "app/MainMenuTable.h"
#include "util/Controls.h"
#include "util/StrConv.h"
#include "viewers/image/FormImage.h"

using namespace quibtest;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0);

bool Near(COLORREF a, COLORREF b) {
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    return d(GetRValue(a), GetRValue(b)) < 60 && d(GetGValue(a), GetGValue(b)) < 60 && d(GetBValue(a), GetBValue(b)) < 60;
}

COLORREF AreaPixel(HWND area, int x, int y) {
    UpdateWindow(area);
    HDC dc = GetDC(area);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(area, dc);
    return c;
}

quib::TFormImage* FindViewer(const std::wstring& caption) {
    HWND w = FindThreadWindow(caption);
    return w ? dynamic_cast<quib::TFormImage*>(quib::TFormBase::FromHandle(w)) : nullptr;
}

TEST(ImageFromArchive, ShowsTurnedAndStepsWithExtraction) {
    TempDir dir;
    const std::string jpeg = EncodePicture(GUID_ContainerFormatJpeg, 40, 20, TwoBlocks(40, 20, kRed, kBlue));
    const std::string turned = InsertExifAfterSoi(jpeg, TiffBlock({{0x0112, 3, 1, Short1(6, true)}}, true));
    const std::string png = EncodePicture(GUID_ContainerFormatPng, 30, 10, TwoBlocks(30, 10, kGreen, kYellow));
    const std::wstring zip = dir / L"pictures.zip";
    ASSERT_TRUE(WriteFileBytes(zip, StoredZip({{"a.jpg", turned}, {"b.txt", "text"}, {"c.png", png}})));

    MainWindowHarness h;
    quib::TFormMain& f = h.Start({zip});
    HWND list = f.ListView1();
    ASSERT_EQ(ListRowCount(list), 4);  // <\>, a.jpg, b.txt, c.png
    PressKey(list, VK_DOWN);
    ASSERT_EQ(ListCellText(list, 1, 1), L"a.jpg");

    bool checked = false;
    DuringModal driver([&] {
        quib::TFormImage* v = FindViewer(L"画像表示[WIC]");
        if (!v || !v->BoolFormShow) return false;
        Pump(50);
        RECT r = v->PictureRect();
        EXPECT_EQ(r.right - r.left, 20);
        EXPECT_EQ(r.bottom - r.top, 40);
        const int cx = (r.left + r.right) / 2;
        EXPECT_TRUE(Near(AreaPixel(v->PictureArea(), cx, r.top + 8), kRed));
        EXPECT_TRUE(Near(AreaPixel(v->PictureArea(), cx, r.bottom - 9), kBlue));
        EXPECT_EQ(v->StrLoadFileName, f.StrExtractBase + L"a.jpg");
        // The next picture: the text row is passed over, c.png extracted now.
        EXPECT_FALSE(FileExists(f.StrExtractBase + L"c.png"));
        PressKey(v->PictureArea(), 'N');
        EXPECT_EQ(ListSelectedRow(list), 3);
        EXPECT_TRUE(FileExists(f.StrExtractBase + L"c.png"));
        EXPECT_EQ(f.StrExtractFolderFileName, f.StrExtractBase + L"c.png");
        r = v->PictureRect();
        EXPECT_EQ(r.right - r.left, 30);
        EXPECT_TRUE(Near(AreaPixel(v->PictureArea(), r.left + 5, (r.top + r.bottom) / 2), kGreen));
        EXPECT_NE(quib::GetText(v->InformationLabel()).find(L"[100 30,10]"), std::wstring::npos);
        PressKey(v->PictureArea(), VK_RETURN);  // Enter closes the viewer
        checked = true;
        return true;
    });
    h.Command(quib::tag::MenuImageWic);
    WaitFor([&] { return driver.Done(); });
    EXPECT_TRUE(checked);
    EXPECT_EQ(FindThreadWindow(L"画像表示[WIC]"), nullptr);
    EXPECT_TRUE(h.Messages().Texts().empty()) << quib::WideToUtf8(h.Messages().Texts().empty() ? L"" : h.Messages().Texts()[0]);
}

TEST(ImageFromArchive, StepsThroughTheSusieArchivesPicturesFetchingThemThroughThePlugin) {
    const std::string red = EncodePicture(GUID_ContainerFormatPng, 40, 20, TwoBlocks(40, 20, kRed, kBlue));
    const std::string green = EncodePicture(GUID_ContainerFormatPng, 30, 10, TwoBlocks(30, 10, kGreen, kYellow));
    MainWindowHarness h;
    ASSERT_TRUE(CopyFileW(QsaPlugin().c_str(), (h.Folder() / L"quibqsa.spi").c_str(), FALSE));
    ASSERT_TRUE(WriteFileBytes(h.Folder() / L"quibFM-spm.txt", SpmListBytes({L".qsa", L"%P\\quibqsa.spi"})));
    const std::wstring archive = h.Folder() / L"pictures.qsa";
    const std::vector<QsaEntry> entries = {{"a.png", red, 0}, {"b.txt", "text", 0}, {"c.png", green, 0}};
    ASSERT_TRUE(WriteFileBytes(archive, QsaBytes(entries)));
    const std::wstring log = h.Folder() / L"qsa.log";
    SetEnvironmentVariableW(L"QUIB_QSA_LOG", log.c_str());

    quib::TFormMain& f = h.Start({L"hspm=%h", archive});
    ASSERT_EQ(f.ListingModeNow, quib::ListingMode::Susie);
    HWND list = f.ListView1();
    ASSERT_EQ(ListRowCount(list), 4);  // <\>, a.png, b.txt, c.png
    PressKey(list, VK_DOWN);
    ASSERT_EQ(ListCellText(list, 1, 1), L"a.png");

    bool checked = false;
    DuringModal driver([&] {
        quib::TFormImage* v = FindViewer(L"画像表示[WIC]");
        if (!v || !v->BoolFormShow) return false;
        Pump(50);
        RECT r = v->PictureRect();
        EXPECT_EQ(r.right - r.left, 40);
        EXPECT_TRUE(Near(AreaPixel(v->PictureArea(), r.left + 5, (r.top + r.bottom) / 2), kRed));
        EXPECT_EQ(v->StrLoadFileName, f.StrExtractBase + L"a.png");
        // Stepping on: the text entry is passed over and c.png is asked of
        // the plug-in only now.
        EXPECT_FALSE(FileExists(f.StrExtractBase + L"c.png"));
        PressKey(v->PictureArea(), 'N');
        EXPECT_EQ(ListSelectedRow(list), 3);
        EXPECT_EQ(ReadFileBytes(f.StrExtractBase + L"c.png"), green);
        EXPECT_EQ(f.StrExtractFolderFileName, f.StrExtractBase + L"c.png");
        r = v->PictureRect();
        EXPECT_EQ(r.right - r.left, 30);
        EXPECT_TRUE(Near(AreaPixel(v->PictureArea(), r.left + 5, (r.top + r.bottom) / 2), kGreen));
        PressKey(v->PictureArea(), VK_RETURN);
        checked = true;
        return true;
    });
    h.Command(quib::tag::MenuImageWic);
    WaitFor([&] { return driver.Done(); });
    SetEnvironmentVariableW(L"QUIB_QSA_LOG", nullptr);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(h.Messages().Texts().empty());
    // Both pictures came through the plug-in's GetFile, by their positions;
    // the text entry was never asked for.
    const std::string calls = ReadFileBytes(log);
    std::set<std::string> positions;
    size_t at = 0;
    while ((at = calls.find("GetFile\t", at)) != std::string::npos) {
        const size_t from = calls.find('\t', at + 8) + 1;
        positions.insert(calls.substr(from, calls.find('\t', from) - from));
        at = from;
    }
    EXPECT_EQ(positions, (std::set<std::string>{std::to_string(QsaPosition(entries, 0)),
                                                std::to_string(QsaPosition(entries, 2))}))
        << calls;
}

}  // namespace
