#include <gtest/gtest.h>

#include "viewers/image/ImageGeometry.h"

using namespace quib;

namespace {

struct SizeCase {
    bool fit;
    int areaW, areaH, w, h, scale;
    int outW, outH, rate;
};

TEST(ImageGeometry, OutputSize) {
    const SizeCase cases[] = {
        {true, 1000, 800, 400, 300, 100, 400, 300, 100},        // fits: own size
        {false, 1000, 800, 400, 300, 100, 400, 300, 100},
        {true, 1020, 700, 4000, 1000, 100, 1000, 250, 25},      // wide: fit to width
        {true, 1020, 700, 1000, 4000, 100, 170, 680, 17},       // tall: fit to height
        {true, 1020, 700, 2000, 600, 100, 1000, 300, 50},       // only wider than the area
        {true, 1020, 700, 600, 1400, 100, 291, 680, 49},        // only taller (291.4, 48.57)
        {true, 1000, 1000, 2000, 2000, 100, 980, 980, 49},      // equal ratios: fit to height
        {false, 1000, 800, 8000, 6000, 300, 20480, 15360, 300}, // capped at 20480
        {false, 1000, 800, 6000, 8000, 300, 15360, 20480, 300},
        {false, 1000, 800, 401, 301, 50, 200, 150, 50},         // 200.5 -> 200, 150.5 -> 150 (ties to even)
        {false, 1000, 800, 403, 303, 50, 202, 152, 50},         // 201.5 -> 202, 151.5 -> 152
        {false, 1000, 800, 400, 300, 10, 40, 30, 10},
    };
    for (const SizeCase& c : cases) {
        const auto o = ComputeImageOutputSize(c.fit, c.areaW, c.areaH, c.w, c.h, c.scale);
        EXPECT_EQ(o.width, c.outW) << c.w << "x" << c.h << " fit " << c.fit;
        EXPECT_EQ(o.height, c.outH) << c.w << "x" << c.h << " fit " << c.fit;
        EXPECT_EQ(o.compressRate, c.rate) << c.w << "x" << c.h << " fit " << c.fit;
    }
}

TEST(ImageGeometry, PlacementCentredOnlyWithFit) {
    int l = -1, t = -1;
    PicturePosition(true, 1000, 800, 400, 300, l, t);
    EXPECT_EQ(l, 300);
    EXPECT_EQ(t, 250);
    PicturePosition(true, 1001, 801, 400, 300, l, t);  // 300.5 -> 300, 250.5 -> 250
    EXPECT_EQ(l, 300);
    EXPECT_EQ(t, 250);
    PicturePosition(true, 1003, 803, 400, 300, l, t);  // 301.5 -> 302
    EXPECT_EQ(l, 302);
    EXPECT_EQ(t, 252);
    PicturePosition(false, 1000, 800, 400, 300, l, t);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 0);
}

TEST(ImageGeometry, ZoomSteps) {
    std::vector<int> out;
    for (int s = 100; out.size() < 12;) out.push_back(s = ZoomOutScale(s));
    EXPECT_EQ(out, (std::vector<int>{90, 80, 70, 60, 50, 40, 30, 20, 10, 10, 10, 10}));
    std::vector<int> in;
    for (int s = 100; in.size() < 47;) in.push_back(s = ZoomInScale(s, 400, 300));
    EXPECT_EQ(in[0], 120);
    EXPECT_EQ(in[1], 140);
    EXPECT_EQ(in[44], 1000);
    EXPECT_EQ(in[45], 1000);
    EXPECT_EQ(ZoomInScale(90, 400, 300), 100);
    EXPECT_EQ(ZoomInScale(100, 400, 300), 120);
    EXPECT_EQ(ZoomOutScale(120), 100);
    EXPECT_EQ(ZoomOutScale(1000), 980);
    // 12000 wide: 20480 div 12000 = 1, so never beyond 100.
    EXPECT_EQ(ZoomInScale(100, 12000, 300), 100);
    EXPECT_EQ(ZoomInScale(90, 12000, 300), 100);
    // 5000 high: 4 x 100 = 400 at most; a larger scale is never made smaller.
    EXPECT_EQ(ZoomInScale(380, 300, 5000), 400);
    EXPECT_EQ(ZoomInScale(400, 300, 5000), 400);
    EXPECT_EQ(ZoomInScale(500, 300, 5000), 500);
    // No picture: nothing happens.
    EXPECT_EQ(ZoomInScale(100, 0, 0), 100);
}

TEST(ImageGeometry, Rotation) {
    EXPECT_EQ(RotateLeftIndex(0), 3);
    EXPECT_EQ(RotateRightIndex(3), 0);
    int r = 0;
    for (int i = 0; i < 4; ++i) r = RotateRightIndex(r);
    EXPECT_EQ(r, 0);
    int w = 0, h = 0;
    RotatedSize(1, 400, 300, w, h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 400);
    RotatedSize(2, 400, 300, w, h);
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 300);
}

std::vector<std::wstring> OrientationLines(const wchar_t* value) {
    return {std::wstring(L"0x010F\t0x0002\t0x00000004\t0x41424300\t\t0x00000016"),
            std::wstring(L"0x0112\t0x0003\t0x00000001\t") + value + L"\t\t0x00000022"};
}

TEST(ImageGeometry, AutoRotationAndItsExceptions) {
    struct Case {
        const wchar_t* value;
        int rotation;
    } cases[] = {{L"0x00010000", 0}, {L"0x00020000", 0}, {L"0x00030000", 2}, {L"0x00040000", 0},
                 {L"0x00050000", 0}, {L"0x00060000", 1}, {L"0x00070000", 0}, {L"0x00080000", 3},
                 {L"0x00090000", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(AutoRotationIndex(true, L"C:\\t\\a.jpg", L"", true, OrientationLines(c.value)), c.rotation) << c.value;
    const auto six = OrientationLines(L"0x00060000");
    EXPECT_EQ(AutoRotationIndex(false, L"a.jpg", L"", true, six), 0);
    EXPECT_EQ(AutoRotationIndex(true, L"a.jpg", L".JPG;.PNG;", true, six), 0);
    EXPECT_EQ(AutoRotationIndex(true, L"a.JPG", L".jpg;", true, six), 0);
    EXPECT_EQ(AutoRotationIndex(true, L"a.jpeg", L".JPG;.PNG;", true, six), 1);
    EXPECT_EQ(AutoRotationIndex(true, L"a.jpg", L"", false, six), 0);
    EXPECT_EQ(AutoRotationIndex(true, L"a.jpg", L"", true, {}), 0);
}

// Rows: 0 folder, 1-8 pictures with 4 and 6 not pictures.
std::vector<bool> Rows(std::initializer_list<int> pictures, int n) {
    std::vector<bool> v(static_cast<size_t>(n), false);
    for (int i : pictures) v[static_cast<size_t>(i)] = true;
    return v;
}

TEST(ImageGeometry, MoveTargets) {
    const auto c = Rows({1, 2, 3, 5, 7, 8}, 10);
    struct Case {
        ImageMove move;
        int r;
        bool slide;
        int target;
    } cases[] = {
        {ImageMove::Top, 5, false, 1},       {ImageMove::Top, 1, false, -1},
        {ImageMove::Up, 5, false, 3},        {ImageMove::Up, 1, false, -1},
        {ImageMove::Up, 1, true, 8},         // wraps to the bottom-most picture
        {ImageMove::Down, 5, false, 7},      {ImageMove::Down, 8, false, -1},
        {ImageMove::Down, 8, true, 1},       // wraps to the first picture
        {ImageMove::End, 5, false, 8},       {ImageMove::End, 8, false, -1},
        {ImageMove::Prev, 8, false, 5},      // short jump 3: first picture at or above row 5
        {ImageMove::Prev, 3, false, 1},      // none at 0 or above: the topmost above
        {ImageMove::PrevPrev, 8, false, 3},  // long jump 5: row 3 or above
        {ImageMove::PrevPrev, 5, false, 1},  // row 0 is no picture: the topmost above
        {ImageMove::Next, 1, false, 5},      // row 4 or below
        {ImageMove::Next, 5, false, 8},      // row 8 or below
        {ImageMove::Next, 7, false, 8},      // none at 10: the bottom-most below
        {ImageMove::NextNext, 1, false, 7},  // row 6 or below
        {ImageMove::NextNext, 8, false, -1},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ImageMoveTarget(k.move, k.r, c, 5, 3, k.slide), k.target)
            << static_cast<int>(k.move) << " from " << k.r << (k.slide ? " slide" : "");
    // A long jump of 20 from row 5 goes to the topmost picture above it.
    EXPECT_EQ(ImageMoveTarget(ImageMove::PrevPrev, 5, c, 20, 10, false), 1);
    // During a slide show with one picture only, down stays on it.
    EXPECT_EQ(ImageMoveTarget(ImageMove::Down, 2, Rows({2}, 4), 20, 10, true), 2);
    EXPECT_EQ(ImageMoveTarget(ImageMove::Up, 2, Rows({2}, 4), 20, 10, true), 2);
}

TEST(ImageGeometry, CandidatesFollowMarksTakenAtOpening) {
    const std::vector<std::wstring> ext{L".jpg", L".png"};
    const std::vector<std::wstring> stored{L"<\\>", L"d/a.JPG", L"d/b.txt", L"d/c.png", L"d/e.jpg", L"f.jpeg"};
    std::vector<bool> all, marked;
    for (const auto& s : stored) all.push_back(ImageMoveCandidate(s, ext, {}));
    EXPECT_EQ(all, (std::vector<bool>{false, true, false, true, true, false}));
    for (const auto& s : stored) marked.push_back(ImageMoveCandidate(s, ext, {L"D/C.PNG", L"d/e.jpg"}));
    EXPECT_EQ(marked, (std::vector<bool>{false, false, false, true, true, false}));
    // With two rows marked, movement visits only those two.
    EXPECT_EQ(ImageMoveTarget(ImageMove::Down, 3, marked, 20, 10, false), 4);
    EXPECT_EQ(ImageMoveTarget(ImageMove::Down, 4, marked, 20, 10, false), -1);
    EXPECT_EQ(ImageMoveTarget(ImageMove::Up, 4, marked, 20, 10, false), 3);
    EXPECT_EQ(ImageMoveTarget(ImageMove::Down, 4, marked, 20, 10, true), 3);
}

TEST(ImageGeometry, MoveKeys) {
    const auto& names = MoveKeyNames();
    ASSERT_EQ(names.size(), 55u);
    EXPECT_EQ(names[36], L"Up");
    EXPECT_EQ(names[37], L"Down");
    EXPECT_EQ(names[38], L"Left");
    EXPECT_EQ(names[39], L"Right");
    EXPECT_EQ(names[54], L"\\");
    const std::pair<const wchar_t*, int> cases[] = {
        {L"A", 65},  {L"Z", 90},   {L"0", 48},  {L"9", 57},   {L"Up", 38},  {L"Down", 40}, {L"Left", 37},
        {L"Right", 39}, {L"Home", 36}, {L"End", 35}, {L"PgUp", 33}, {L"PgDn", 34}, {L",", 188}, {L".", 190},
        {L"/", 191}, {L";", 187},  {L":", 186}, {L"]", 221},  {L"@", 192},  {L"[", 219},  {L"-", 189},
        {L"^", 222}, {L"\\", 220},
    };
    for (const auto& [name, code] : cases) {
        int k = 0;
        SetMoveKey(name, k);
        EXPECT_EQ(k, code) << name;
    }
    int k = 77;
    SetMoveKey(L"F1", k);
    EXPECT_EQ(k, 77);
    SetMoveKey(L"a", k);
    EXPECT_EQ(k, 77);
}

TEST(ImageGeometry, DepthAndInformationText) {
    EXPECT_EQ(DepthText(24), L"24Bits");
    EXPECT_EQ(DepthText(1), L"1Bits");
    EXPECT_EQ(DepthText(2), L"--Bits");
    EXPECT_EQ(DepthText(0), L"--Bits");
    ImageInfoItems it;
    it.marked = true, it.scale = 25, it.width = 4000, it.height = 1000, it.depth = L"24Bits";
    it.fileExists = true, it.fileSize = 1234567, it.fileName = L"a.jpg", it.dateTime = L"2024/01/02 03:04:05";
    EXPECT_EQ(ImageInformationText(it), L"●[25 4000,1000] 24Bits 1,234,567 a.jpg 2024/01/02 03:04:05");
    it.marked = false, it.showScale = false, it.fileExists = false;
    EXPECT_EQ(ImageInformationText(it), L"\u3000[4000,1000] 24Bits a.jpg");
    it.showSize = false, it.showDepth = false;
    EXPECT_EQ(ImageInformationText(it), L" a.jpg");
}

TEST(ImageGeometry, ExifOptionsAndPluginLines) {
    EXPECT_EQ(ExifProgramOptions(L"/a $(FileNameEx) /b $(FileNameEx)", L"C:\\t\\a b.jpg"),
              L"/a \"C:\\t\\a b.jpg\" /b \"C:\\t\\a b.jpg\"");
    EXPECT_EQ(ExifProgramOptions(L"/x /y", L"C:\\a.jpg"), L"/x /y");
    const std::vector<std::wstring> lines{L"有効\t.qpi\tQuib picture\t%P\\a.spi", L"Enable\t.QPI\tQuib\tC:\\b.spi",
                                          L"無効\t.qpi\tx\tC:\\c.spi", L"有効\t.bmp\tx\tC:\\d.spi", L"broken"};
    const auto ja = SpiLinesFor(lines, L"C:\\t\\x.QPI", true, L"C:\\prog\\quibFMarchive.exe");
    ASSERT_EQ(ja.size(), 1u);
    EXPECT_EQ(ja[0].pluginPath, L"C:\\prog\\a.spi");
    const auto en = SpiLinesFor(lines, L"C:\\t\\x.qpi", false, L"C:\\prog\\quibFMarchive.exe");
    ASSERT_EQ(en.size(), 1u);
    EXPECT_EQ(en[0].pluginPath, L"C:\\b.spi");
    // "有効" lines are not used in English.
    EXPECT_TRUE(SpiLinesFor({lines[0]}, L"x.qpi", false, L"C:\\prog\\q.exe").empty());
}

}  // namespace
