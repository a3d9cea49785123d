#pragma once
// The image viewer's arithmetic, free of any window: the size a picture is
// drawn at (fit or zoom), the zoom steps, rotation, automatic rotation from
// the Exif orientation, the placement in the picture area, the rows the
// movement commands go to, the full-screen key names, the colour-depth text,
// the information bar's text and the Exif program's options.
#include <cstdint>
#include <string>
#include <vector>

namespace quib {

// No side of the bitmap shown is longer than this.
constexpr int kImageMaxSide = 20480;

struct ImageOutputSize {
    int width = 0, height = 0;
    int compressRate = 100;  // the percentage a fitted picture is shown at
};

// The size the transformed picture (w x h) is drawn at in an area of
// areaW x areaH: with fit on it only ever shrinks (to the area less 20
// pixels on the side that decides); with fit off it is scaled by scale
// percent, and a side beyond kImageMaxSide brings both sides down together.
// Rounding is to the nearest integer with ties to even.
ImageOutputSize ComputeImageOutputSize(bool fit, int areaW, int areaH, int w, int h, int scale);

// Zoom steps: 10, 20, ... 100, 120, 140, ... 1000. A zoom-in never goes
// beyond what keeps the picture (w x h) within kImageMaxSide, never makes the
// scale smaller, and does nothing without a picture (w or h 0).
int ZoomInScale(int scale, int w, int h);
int ZoomOutScale(int scale);

// Quarter turns clockwise, 0 to 3.
inline int RotateRightIndex(int index) { return (index + 1) & 3; }
inline int RotateLeftIndex(int index) { return (index + 3) & 3; }

// The rotation a first load starts with: 0 when automatic rotation is off or
// the picture's extension (with its dot) occurs in the upper-cased exception
// list; otherwise from the Exif lines (exifRead false: 0; no orientation
// tag: 0).
int AutoRotationIndex(bool autoRotate, const std::wstring& fileName, const std::wstring& exceptList, bool exifRead,
                      const std::vector<std::wstring>& exifLines);

// The picture's size after the rotation (odd quarter turns swap the sides).
inline void RotatedSize(int rotation, int w, int h, int& outW, int& outH) {
    outW = (rotation & 1) ? h : w;
    outH = (rotation & 1) ? w : h;
}

// Where the picture control stands in the area: centred with fit on
// (rounded, ties to even), the top-left corner with fit off.
void PicturePosition(bool fit, int areaW, int areaH, int picW, int picH, int& left, int& top);

// The eight movement commands.
enum class ImageMove { Top, PrevPrev, Prev, Up, Down, Next, NextNext, End };

// The row a movement goes to from row r over the list's candidate rows
// (pictures of the active decoder, and when some were marked at opening,
// only those); -1 for none. longJump and shortJump are the row distances of
// the long and short jumps; during a slide show up and down wrap round.
int ImageMoveTarget(ImageMove move, int r, const std::vector<bool>& candidate, int longJump, int shortJump,
                    bool slideShow);

// A full-screen movement key by its name in the key dialog ("A", "0", "Up",
// "PgDn", ",", ...) as the virtual-key code of the Japanese layout; an
// unknown name leaves code as it was.
void SetMoveKey(const std::wstring& name, int& code);
// The 55 names the key dialog offers, in its order.
const std::vector<std::wstring>& MoveKeyNames();

// "1Bits" ... "64Bits" for 1, 4, 8, 16, 24, 32, 48, 64 bits per pixel; "--Bits" otherwise.
std::wstring DepthText(unsigned bitsPerPixel);

// The information bar's parts; a part not shown is left out.
struct ImageInfoItems {
    bool showScale = true, showSize = true, showDepth = true, showFileSize = true, showFileName = true,
         showDateTime = true;
    bool marked = false;
    int scale = 100;
    int width = 0, height = 0;
    std::wstring depth;
    bool fileExists = false;
    std::int64_t fileSize = 0;
    std::wstring fileName;  // name part
    std::wstring dateTime;  // "yyyy/mm/dd hh:mm:ss"
};
std::wstring ImageInformationText(const ImageInfoItems& items);

// The Exif program's options with every "$(FileNameEx)" made the picture's
// path in double quotes.
std::wstring ExifProgramOptions(const std::wstring& options, const std::wstring& picturePath);

// One usable line of the image plug-in list file.
struct SpiLine {
    std::wstring extension;  // with its dot
    std::wstring pluginPath; // prefixes expanded
};
// The enabled lines ("有効" in Japanese, "Enable" in English) whose extension
// matches the picture's (case-insensitive), in file order.
std::vector<SpiLine> SpiLinesFor(const std::vector<std::wstring>& listLines, const std::wstring& fileName,
                                 bool japanese, const std::wstring& programPath);

// Whether a row's stored path is a candidate for movement: its extension in
// the decoder's list and, when marks were taken at opening, among them.
bool ImageMoveCandidate(const std::wstring& storedPath, const std::vector<std::wstring>& extensions,
                        const std::vector<std::wstring>& markedPaths);

}  // namespace quib
